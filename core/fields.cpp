#include "core/fields.h"

#include <algorithm>

#include "core/number_text.h"
#include "core/runtime_error.h"

namespace core {
namespace {

constexpr bool table_follows_ids() {
    for (std::size_t i = 0; i < kFields.size(); ++i) {
        if (static_cast<std::size_t>(kFields[i].id) != i) {
            return false;
        }
    }
    return true;
}
static_assert(table_follows_ids(), "field_rule() indexes the table by FieldId");

// The range rule writes a bound as text and reads it back; the number texts take no sign.
constexpr bool bounds_are_readable() {
    return std::all_of(kFields.begin(), kFields.end(), [](const FieldRule& rule) {
        return 0 <= rule.lower && rule.lower <= rule.upper && rule.lower <= rule.updown_start &&
               rule.updown_start <= rule.upper;
    });
}
static_assert(bounds_are_readable(), "bounds must be ordered and not negative");

double field_value(std::wstring_view text, const FieldRule& field, const NumberLocale& locale) {
    try {
        return text_to_double(text, locale);
    } catch (RuntimeError& error) {
        throw error.in_field(field.id);
    }
}

}  // namespace

std::int16_t keystroke_rule(std::int16_t code) {
    const bool discarded =
        (code >= 0 && code <= 7) || (code >= 9 && code <= 47) || (code >= 58 && code <= 127);
    return discarded ? std::int16_t{0} : code;
}

std::optional<std::wstring> range_rule(std::wstring_view text, const FieldRule& field,
                                       const NumberLocale& locale) {
    std::optional<std::wstring> replaced;
    if (field_value(text, field, locale) < field.lower) {
        replaced = int16_to_text(field.lower);
    }
    // Read again: the text may have been replaced just now.
    const std::wstring_view current = replaced ? std::wstring_view(*replaced) : text;
    if (field_value(current, field, locale) > field.upper) {
        replaced = int16_to_text(field.upper);
    }
    return replaced;
}

}  // namespace core
