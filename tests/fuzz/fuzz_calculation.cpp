// Both calculations from three texts (the fuzz input split at line feeds): either a RuntimeError
// naming the field that failed, or a rounded BMI with exactly one category and a caption that
// reads back as that BMI.
#include <algorithm>
#include <cmath>

#include "core/bmi.h"
#include "core/error_text.h"
#include "core/number_text.h"
#include "core/rounding.h"
#include "core/runtime_error.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto input = fuzz::split_selector(data, size);
    const auto& locale = input.locale;
    const auto texts = fuzz::split_texts(input.payload, 3);
    for (const auto system : {core::UnitSystem::Metric, core::UnitSystem::Standard}) {
        const core::CalculatorFields fields = core::calculator_fields(system);
        try {
            const core::BmiResult result =
                core::calculate(system, {texts[0], texts[1], texts[2]}, locale);
            const float bmi = result.bmi;
            QUENLOW_FUZZ_CHECK(std::isfinite(bmi) && bmi >= 0 && core::round_single(bmi, 1) == bmi);
            QUENLOW_FUZZ_CHECK((bmi < 18.5f) + (18.5f <= bmi && bmi <= 24.9f) +
                                   (25.0f <= bmi && bmi <= 29.9f) + (bmi >= 30.0f) ==
                               1);
            QUENLOW_FUZZ_CHECK(result.category == core::classify(bmi));
            // Below a million the 7 digits shown hold every tenth.
            const std::wstring caption = core::result_caption(result, locale);
            const auto number_at = caption.find(L"is ") + 3;
            const std::wstring number = caption.substr(number_at, caption.find(L" \r") - number_at);
            QUENLOW_FUZZ_CHECK(bmi >= 1e6f || core::text_to_single(number, locale) == bmi);
        } catch (const core::RuntimeError& error) {
            const core::FieldId named[] = {fields.weight, fields.height_major, fields.height_minor};
            const auto field = std::find(std::begin(named), std::end(named), error.field());
            switch (error.kind()) {
                case core::ErrorKind::Empty:
                case core::ErrorKind::NotANumber:
                case core::ErrorKind::TooLarge:  // the field named holds the text that failed
                    QUENLOW_FUZZ_CHECK(field != std::end(named) &&
                                       error.input() == texts[field - std::begin(named)]);
                    break;
                case core::ErrorKind::DivisionByZero:
                    QUENLOW_FUZZ_CHECK(error.field() == fields.height_major);
                    break;
                case core::ErrorKind::InvalidOperation:
                    QUENLOW_FUZZ_CHECK(error.field() == fields.weight);
                    break;
                default:
                    QUENLOW_FUZZ_CHECK(error.kind() == core::ErrorKind::Overflow && !error.field());
            }
            const std::wstring message = core::describe(error);
            QUENLOW_FUZZ_CHECK(std::count(message.begin(), message.end(), L'\n') == 1);
        }
    }
    return 0;
}
