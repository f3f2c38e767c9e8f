#include "core/fields.h"

#include <algorithm>

#include "core/number_text.h"

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

// A bound is written as digits without a sign, which the field's next reading must take back; the
// range rule reads a text once, which is enough only for ordered bounds.
constexpr bool bounds_are_readable() {
    return std::all_of(kFields.begin(), kFields.end(), [](const FieldRule& rule) {
        return 0 <= rule.lower && rule.lower <= rule.upper && rule.lower <= rule.updown_start &&
               rule.updown_start <= rule.upper;
    });
}
static_assert(bounds_are_readable(), "bounds must be ordered and not negative");

}  // namespace

std::int16_t keystroke_rule(std::int16_t code) {
    const bool discarded =
        (code >= 0 && code <= 7) || (code >= 9 && code <= 47) || (code >= 58 && code <= 127);
    return discarded ? std::int16_t{0} : code;
}

std::optional<std::wstring> range_rule(std::wstring_view text, const FieldRule& field,
                                       const NumberLocale& locale) {
    // Read once: a text raised to the lower bound is never above the upper one.
    const double value = text_to_double(text, field.id, locale);
    if (value < field.lower) {
        return whole_number_text(field.lower);
    }
    if (value > field.upper) {
        return whole_number_text(field.upper);
    }
    return std::nullopt;
}

}  // namespace core
