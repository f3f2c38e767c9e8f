#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "number_locale.h"

namespace core {

// Text to number. Accepted: optional blanks (space, tab) around the number; decimal digits with
// leading zeros allowed; at most one decimal separator (the locale's) with digits on at least
// one side of it; an optional exponent "E" or "e", an optional sign and digits. Nothing else: no
// sign before the number, no thousands separators, no non-ASCII digits.
// Throws RuntimeError: Empty (nothing but blanks), NotANumber, TooLarge (beyond the precision's
// finite range). A value too small to represent becomes 0 or the nearest subnormal.
float text_to_single(std::wstring_view text, const NumberLocale& locale = {});
double text_to_double(std::wstring_view text, const NumberLocale& locale = {});

// Single to text: rounded to 7 significant digits, trailing zeros dropped, no separator for a
// whole number, the locale separator otherwise; "E+07"/"E-05" exponent form when the decimal
// exponent is 7 or more, or below -4 ("1.234568E+07", "1E-05", but "0.0001"). A minus sign for
// negatives (not for negative zero, "0"). Infinities and NaN, which no calculation yields, give
// "Infinity", "-Infinity" and "NaN".
std::wstring single_to_text(float value, const NumberLocale& locale = {});

// Decimal digits, a minus sign only for a negative value, no leading blank.
std::wstring int16_to_text(std::int16_t value);

}  // namespace core
