// The range rule on any text in any field: either a RuntimeError for that field with the field's
// text untouched, or a bound as text when the value was outside, nothing when it was inside.
#include "core/fields.h"
#include "core/number_text.h"
#include "core/runtime_error.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto input = fuzz::split_selector(data, size);
    const core::NumberLocale& locale = input.locale;
    const core::FieldRule& field = core::kFields[(input.selector >> 2) % core::kFields.size()];
    const std::wstring typed = fuzz::decode(input.payload);

    // As the focus-loss handler does it: the field's text changes only on success.
    std::wstring field_text = typed;
    try {
        const auto replacement = core::range_rule(field_text, field, locale);
        const double value = core::text_to_double(typed, locale);
        const bool outside = value < field.lower || value > field.upper;
        QUENLOW_FUZZ_CHECK(replacement.has_value() == outside);
        if (replacement) {
            field_text = *replacement;
            const double bound = core::text_to_double(field_text, locale);
            QUENLOW_FUZZ_CHECK(field.lower <= bound && bound <= field.upper);
            QUENLOW_FUZZ_CHECK(
                field_text == core::int16_to_text(value < field.lower ? field.lower : field.upper));
        }
    } catch (const core::RuntimeError& error) {
        QUENLOW_FUZZ_CHECK(field_text == typed && error.input() == typed);
        QUENLOW_FUZZ_CHECK(error.field() == field.id);
    }
    return 0;
}
