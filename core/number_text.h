#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "fields.h"
#include "number_locale.h"

namespace core {

// A field's text to a number. Accepted: optional blanks (space, tab) around the number; decimal
// digits with leading zeros allowed; at most one decimal separator (the locale's) with digits on
// at least one side of it; an optional exponent "E" or "e", an optional sign and digits. Nothing
// else: no sign before the number, no thousands separators, no non-ASCII digits.
// Throws RuntimeError naming the field: Empty (nothing but blanks), NotANumber, TooLarge (beyond
// the precision's finite range). A value too small to represent becomes 0 or the nearest subnormal.
float text_to_single(std::wstring_view text, FieldId field, const NumberLocale& locale = {});
double text_to_double(std::wstring_view text, FieldId field, const NumberLocale& locale = {});

// A rounded BMI (0, or finite from 0.1 up) to text: rounded to 7 significant digits, trailing
// zeros dropped, no separator for a whole number, the locale's otherwise; from 1E+07 up a mantissa
// and a two-digit exponent ("1.234568E+07").
std::wstring single_to_text(float value, const NumberLocale& locale = {});

// Decimal digits: a field's bound, a system error code.
std::wstring whole_number_text(std::uint32_t value);

}  // namespace core
