#include "core/bmi.h"

#include <cmath>
#include <limits>

#include "core/fields.h"
#include "core/number_text.h"
#include "core/rounding.h"
#include "core/runtime_error.h"
#include "core/texts.h"

namespace core {
namespace {

float single_from(std::wstring_view text, FieldId field, const NumberLocale& locale) {
    try {
        return text_to_single(text, locale);
    } catch (RuntimeError& error) {
        throw error.in_field(field);
    }
}

double double_from(std::wstring_view text, FieldId field, const NumberLocale& locale) {
    try {
        return text_to_double(text, locale);
    } catch (RuntimeError& error) {
        throw error.in_field(field);
    }
}

// The floating-point faults are read from the values themselves: compilers are free to ignore
// the floating-point environment, so its flags are no evidence.
void check_arithmetic(double value) {
    if (std::isnan(value)) {
        throw RuntimeError(ErrorKind::InvalidOperation);
    }
    if (std::isinf(value)) {
        throw RuntimeError(ErrorKind::Overflow);
    }
}

// Storing a double into a single. Out of the single's range the conversion is not defined by the
// language, so the overflow is decided here: from FLT_MAX plus half its last step upwards a
// double rounds to infinity (FLT_MAX has an odd last digit, so the tie goes up too).
float store_single(double value) {
    constexpr double kSingleMax = std::numeric_limits<float>::max();
    constexpr double kFirstOverflowing = kSingleMax + 0x1p103;
    if (std::fabs(value) >= kFirstOverflowing) {
        throw RuntimeError(ErrorKind::Overflow);
    }
    return static_cast<float>(value);
}

// One of a calculator's texts and the field it comes from.
struct FieldText {
    std::wstring_view text;
    FieldId field;
};

// The height from its two texts, in double: the scaled one first, then the other added to it,
// each step checked; stored as single.
float height_from(const FieldText& scaled, const FieldText& added, double scale,
                  const NumberLocale& locale) {
    double height = double_from(scaled.text, scaled.field, locale) * scale;
    check_arithmetic(height);
    height = double_from(added.text, added.field, locale) + height;
    check_arithmetic(height);
    return store_single(height);
}

// weight / (height * height) * factor, in double; the quotient is stored as single.
float divide_by_square(float weight, float height, double factor, const CalculatorFields& fields) {
    const double divisor = static_cast<double>(height) * static_cast<double>(height);
    const double bmi = static_cast<double>(weight) / divisor * factor;
    if (std::isnan(bmi)) {
        throw RuntimeError(ErrorKind::InvalidOperation).in_field(fields.weight);
    }
    if (std::isinf(bmi) && divisor == 0) {
        throw RuntimeError(ErrorKind::DivisionByZero).in_field(fields.height_major);
    }
    check_arithmetic(bmi);
    return store_single(bmi);
}

BmiResult rounded_result(float bmi) {
    const float rounded = round_single(bmi, 1);
    return {rounded, classify(rounded)};
}

std::wstring_view sentence(WeightCategory category) {
    switch (category) {
        case WeightCategory::Underweight:
            return texts::kUnderweight;
        case WeightCategory::NormalWeight:
            return texts::kNormalWeight;
        case WeightCategory::Overweight:
            return texts::kOverweight;
        case WeightCategory::Obesity:
            return texts::kObesity;
    }
    return {};
}

}  // namespace

BmiResult calculate_metric(std::wstring_view kilograms, std::wstring_view metres,
                           std::wstring_view centimetres, const NumberLocale& locale) {
    constexpr CalculatorFields fields = calculator_fields(UnitSystem::Metric);
    const float weight = single_from(kilograms, fields.weight, locale);
    const float height_metres = height_from({centimetres, fields.height_minor},
                                            {metres, fields.height_major}, 0.01, locale);
    return rounded_result(divide_by_square(weight, height_metres, 1.0, fields));
}

BmiResult calculate_standard(std::wstring_view pounds, std::wstring_view feet,
                             std::wstring_view inches, const NumberLocale& locale) {
    constexpr CalculatorFields fields = calculator_fields(UnitSystem::Standard);
    constexpr float kPoundsInchesToBmi = 703.0f;
    const float weight = single_from(pounds, fields.weight, locale);
    const float height_inches =
        height_from({feet, fields.height_major}, {inches, fields.height_minor}, 12, locale);
    return rounded_result(divide_by_square(weight, height_inches, kPoundsInchesToBmi, fields));
}

BmiResult calculate(UnitSystem system, const MeasurementTexts& texts, const NumberLocale& locale) {
    return system == UnitSystem::Metric
               ? calculate_metric(texts.weight, texts.height_major, texts.height_minor, locale)
               : calculate_standard(texts.weight, texts.height_major, texts.height_minor, locale);
}

WeightCategory classify(float rounded_bmi) {
    if (rounded_bmi < 18.5f) {
        return WeightCategory::Underweight;
    }
    if (rounded_bmi <= 24.9f) {
        return WeightCategory::NormalWeight;
    }
    // A rounded value never lies between 24.9 and 25 or between 29.9 and 30; an unrounded value
    // there goes to the higher category.
    if (rounded_bmi <= 29.9f) {
        return WeightCategory::Overweight;
    }
    return WeightCategory::Obesity;
}

std::wstring result_caption(const BmiResult& result, const NumberLocale& locale) {
    std::wstring caption(texts::kResultPrefix);
    caption += single_to_text(result.bmi, locale);
    caption += texts::kAfterNumber;
    caption += texts::kLineBreak;
    caption += sentence(result.category);
    return caption;
}

std::wstring legend_caption() {
    std::wstring legend(texts::kLegendHeading);
    legend += texts::kLineBreak;
    legend += texts::kLineBreak;
    legend += texts::kLegendUnderweight;
    legend += texts::kLineBreak;
    legend += texts::kLegendNormalWeight;
    legend += texts::kLineBreak;
    legend += texts::kLegendOverweight;
    legend += texts::kLineBreak;
    legend += texts::kLegendObesity;
    return legend;
}

}  // namespace core
