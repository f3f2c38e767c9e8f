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

// Storing a double into a single. Out of the single's range the conversion is not defined by the
// language, so the overflow is decided here: from FLT_MAX plus half its last step upwards a
// double rounds to infinity (FLT_MAX has an odd last digit, so the tie goes up too). A pasted
// "1e39" metres overflows here, and so does a quotient beyond the single range.
float store_single(double value) {
    constexpr double kSingleMax = std::numeric_limits<float>::max();
    constexpr double kFirstOverflowing = kSingleMax + 0x1p103;
    if (std::fabs(value) >= kFirstOverflowing) {
        throw RuntimeError::overflow();
    }
    return static_cast<float>(value);
}

// The height from its two texts, in double: centimetres * 0.01 plus metres, or feet * 12 plus
// inches, the scaled text read first; stored as single.
float height_from(UnitSystem system, const CalculatorTexts& texts, const CalculatorFields& fields,
                  const NumberLocale& locale) {
    if (system == UnitSystem::Metric) {
        const double centimetres = text_to_double(texts.height_minor, fields.height_minor, locale);
        return store_single(text_to_double(texts.height_major, fields.height_major, locale) +
                            centimetres * 0.01);
    }
    const double feet = text_to_double(texts.height_major, fields.height_major, locale) * 12;
    // Pasted feet from 1.5e307 up overflow here, before the inches are read.
    if (std::isinf(feet)) {
        throw RuntimeError::overflow();
    }
    return store_single(text_to_double(texts.height_minor, fields.height_minor, locale) + feet);
}

// weight / (height * height) * factor, in double; the quotient is stored as single.
float divide_by_square(float weight, float height, double factor, const CalculatorFields& fields) {
    const double divisor = static_cast<double>(height) * static_cast<double>(height);
    // A zero height ("0" in both fields). Any other height's square is 2^-298 or more, so a weight
    // below 2^128 gives a finite quotient, times 703 too.
    if (divisor == 0) {
        throw weight == 0 ? RuntimeError(ErrorKind::InvalidOperation, fields.weight)
                          : RuntimeError(ErrorKind::DivisionByZero, fields.height_major);
    }
    return store_single(static_cast<double>(weight) / divisor * factor);
}

// The first of < 18.5, <= 24.9, <= 29.9 that holds, else Obesity, compared as singles. A rounded
// value is never in the gaps (24.9, 25) and (29.9, 30).
WeightCategory classify(float rounded_bmi) {
    if (rounded_bmi < 18.5f) {
        return WeightCategory::Underweight;
    }
    if (rounded_bmi <= 24.9f) {
        return WeightCategory::NormalWeight;
    }
    if (rounded_bmi <= 29.9f) {
        return WeightCategory::Overweight;
    }
    return WeightCategory::Obesity;
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

BmiResult calculate(UnitSystem system, const CalculatorTexts& texts, const NumberLocale& locale) {
    const CalculatorFields fields = calculator_fields(system);
    constexpr float kPoundsInchesToBmi = 703.0f;
    const float weight = text_to_single(texts.weight, fields.weight, locale);
    const float height = height_from(system, texts, fields, locale);
    const double factor = system == UnitSystem::Metric ? 1.0 : kPoundsInchesToBmi;
    const float bmi = round_to_one_decimal(divide_by_square(weight, height, factor, fields));
    return {bmi, classify(bmi)};
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
