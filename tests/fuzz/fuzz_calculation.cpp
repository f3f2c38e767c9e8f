// Both calculations from three texts (the fuzz input split at line feeds): either a RuntimeError
// naming a sensible field, or a rounded BMI with exactly one category and a caption showing it.
#include <algorithm>
#include <cmath>
#include <iterator>
#include <optional>
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

void check_result(const core::BmiResult& result, const core::NumberLocale& locale) {
    const float bmi = result.bmi;
    QUENLOW_FUZZ_CHECK(std::isfinite(bmi) && bmi >= 0);
    QUENLOW_FUZZ_CHECK(core::round_single(bmi, 1) == bmi);
    const int holding = (bmi < 18.5f) + (18.5f <= bmi && bmi <= 24.9f) +
                        (25.0f <= bmi && bmi <= 29.9f) + (bmi >= 30.0f);
    QUENLOW_FUZZ_CHECK(holding == 1);
    QUENLOW_FUZZ_CHECK(result.category == core::classify(bmi));

    namespace texts = core::texts;
    const std::wstring_view sentences[] = {texts::kUnderweight, texts::kNormalWeight,
                                           texts::kOverweight, texts::kObesity};
    const std::wstring caption = core::result_caption(result, locale);
    const std::wstring prefix(texts::kResultPrefix);
    const std::wstring ending = L" " + std::wstring(texts::kLineBreak) +
                                std::wstring(sentences[static_cast<int>(result.category)]);
    QUENLOW_FUZZ_CHECK(caption.size() > prefix.size() + ending.size() &&
                       caption.starts_with(prefix) && caption.ends_with(ending));
    const std::wstring number =
        caption.substr(prefix.size(), caption.size() - prefix.size() - ending.size());
    // Below a million the 7 digits shown hold every tenth. (Above, the text is the BMI to 7
    // significant digits, as fuzz_number_to_text checks for every value.)
    QUENLOW_FUZZ_CHECK(bmi >= 1e6f || core::text_to_single(number, locale) == bmi);
}

void check_error(const core::RuntimeError& error, bool metric,
                 const std::vector<std::wstring>& texts) {
    const FieldId fields[] = {metric ? FieldId::WeightMetric : FieldId::WeightStandard,
                              metric ? FieldId::MetresMetric : FieldId::FeetStandard,
                              metric ? FieldId::CentimetresMetric : FieldId::InchesStandard};
    const ErrorKind kind = error.kind();
    QUENLOW_FUZZ_CHECK(kind != ErrorKind::ControlCall);
    if (kind == ErrorKind::Empty || kind == ErrorKind::NotANumber || kind == ErrorKind::TooLarge) {
        // The field named holds the text that failed.
        const auto named = std::find(std::begin(fields), std::end(fields), error.field());
        QUENLOW_FUZZ_CHECK(named != std::end(fields) &&
                           error.input() == texts[named - std::begin(fields)]);
    } else {
        // A zero height names the whole height, zero by zero the weight, an overflow no field.
        QUENLOW_FUZZ_CHECK(error.field() == (kind == ErrorKind::DivisionByZero ? fields[1]
                                             : kind == ErrorKind::InvalidOperation
                                                 ? fields[0]
                                                 : std::optional<FieldId>()));
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
            check_error(error, system == core::UnitSystem::Metric, texts);
        }
    }
    return 0;
}
