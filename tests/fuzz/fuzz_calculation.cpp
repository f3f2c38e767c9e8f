// Both calculations from three texts (the fuzz input split at line feeds): either a RuntimeError
// that names a sensible field, or a rounded BMI with exactly one category and a caption that
// shows it.
#include <algorithm>
#include <cmath>
#include <vector>

#include "core/bmi.h"
#include "core/error_text.h"
#include "core/number_text.h"
#include "core/rounding.h"
#include "core/runtime_error.h"
#include "core/texts.h"
#include "fuzz_support.h"

namespace {

using core::ErrorKind;
using core::FieldId;
using core::WeightCategory;

std::wstring_view sentence_of(WeightCategory category) {
    switch (category) {
        case WeightCategory::Underweight:
            return core::texts::kUnderweight;
        case WeightCategory::NormalWeight:
            return core::texts::kNormalWeight;
        case WeightCategory::Overweight:
            return core::texts::kOverweight;
        case WeightCategory::Obesity:
            break;
    }
    return core::texts::kObesity;
}

void check_result(const core::BmiResult& result, const core::NumberLocale& locale) {
    QUENLOW_FUZZ_CHECK(std::isfinite(result.bmi) && result.bmi >= 0);
    QUENLOW_FUZZ_CHECK(core::round_single(result.bmi, 1) == result.bmi);
    const float bmi = result.bmi;
    const int holding = (bmi < 18.5f) + (18.5f <= bmi && bmi <= 24.9f) +
                        (25.0f <= bmi && bmi <= 29.9f) + (bmi >= 30.0f);
    QUENLOW_FUZZ_CHECK(holding == 1);
    QUENLOW_FUZZ_CHECK(result.category == core::classify(bmi));

    const std::wstring caption = core::result_caption(result, locale);
    const std::wstring prefix(core::texts::kResultPrefix);
    const std::wstring ending = std::wstring(L" ") + std::wstring(core::texts::kLineBreak) +
                                std::wstring(sentence_of(result.category));
    QUENLOW_FUZZ_CHECK(caption.size() > prefix.size() + ending.size());
    QUENLOW_FUZZ_CHECK(caption.starts_with(prefix) && caption.ends_with(ending));
    const std::wstring number =
        caption.substr(prefix.size(), caption.size() - prefix.size() - ending.size());
    // Below a million the 7 digits shown hold every tenth, so the number reads back exactly;
    // above, the text is the BMI to 7 significant digits.
    const float shown = core::text_to_single(number, locale);
    if (bmi < 1e6f) {
        QUENLOW_FUZZ_CHECK(shown == bmi);
    } else {
        QUENLOW_FUZZ_CHECK(std::abs(shown - bmi) <= bmi * 6e-7f);
        QUENLOW_FUZZ_CHECK(core::single_to_text(shown, locale) == number);
    }
}

void check_error(const core::RuntimeError& error, core::UnitSystem system,
                 const std::vector<std::wstring>& texts) {
    const bool metric = system == core::UnitSystem::Metric;
    const FieldId fields[] = {metric ? FieldId::WeightMetric : FieldId::WeightStandard,
                              metric ? FieldId::MetresMetric : FieldId::FeetStandard,
                              metric ? FieldId::CentimetresMetric : FieldId::InchesStandard};
    switch (error.kind()) {
        case ErrorKind::Empty:
        case ErrorKind::NotANumber:
        case ErrorKind::TooLarge: {
            QUENLOW_FUZZ_CHECK(error.field().has_value());
            bool matched = false;
            for (std::size_t i = 0; i < 3; ++i) {
                matched = matched || (*error.field() == fields[i] && error.input() == texts[i]);
            }
            QUENLOW_FUZZ_CHECK(matched);
            break;
        }
        case ErrorKind::DivisionByZero:
            QUENLOW_FUZZ_CHECK(error.field() == fields[1]);
            break;
        case ErrorKind::InvalidOperation:
            QUENLOW_FUZZ_CHECK(error.field() == fields[0]);
            break;
        case ErrorKind::Overflow:
            break;
        case ErrorKind::ControlCall:
            QUENLOW_FUZZ_CHECK(false);
    }
    const std::wstring message = core::describe(error);
    QUENLOW_FUZZ_CHECK(std::count(message.begin(), message.end(), L'\n') == 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto input = fuzz::split_selector(data, size);
    const core::NumberLocale locale = fuzz::locale_from(input.selector);
    const auto texts = fuzz::split_texts(input.payload, 3);
    for (const auto system : {core::UnitSystem::Metric, core::UnitSystem::Standard}) {
        try {
            check_result(core::calculate(system, {texts[0], texts[1], texts[2]}, locale), locale);
        } catch (const core::RuntimeError& error) {
            check_error(error, system, texts);
        }
    }
    return 0;
}
