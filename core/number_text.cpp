#include "core/number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <system_error>

#include "core/runtime_error.h"

namespace core {
namespace {

constexpr bool is_blank(wchar_t c) {
    return c == L' ' || c == L'\t';
}
constexpr bool is_ascii_digit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

// An empty separator would make every fraction unreadable; treat it as the point.
std::wstring_view separator_of(const NumberLocale& locale) {
    return locale.decimal_separator.empty() ? std::wstring_view(L".")
                                            : std::wstring_view(locale.decimal_separator);
}

// A number text checked character by character, rewritten in the plain ASCII form that
// std::from_chars reads. Checking first keeps from_chars' own extras ("inf", "nan", hex digits,
// a leading minus) out of reach.
struct CheckedNumber {
    std::string ascii;
    // Decimal exponent of the first significant digit, clamped far beyond any finite range; tells
    // an overflow from an underflow when from_chars reports the value out of range.
    long magnitude = 0;
};

constexpr long kExponentClamp = 1'000'000;

std::optional<CheckedNumber> check_number(std::wstring_view text, std::wstring_view separator) {
    CheckedNumber number;
    std::size_t i = 0;
    long integer_digits = 0;          // significant digits before the separator
    long leading_fraction_zeros = 0;  // zeros after the separator before the first other digit
    bool seen_significant = false;
    std::size_t digits = 0;

    auto take_digits = [&](bool fraction) {
        while (i < text.size() && is_ascii_digit(text[i])) {
            const char c = static_cast<char>(text[i]);
            if (c != '0') {
                seen_significant = true;
            }
            if (!fraction && seen_significant) {
                ++integer_digits;
            } else if (fraction && !seen_significant) {
                ++leading_fraction_zeros;
            }
            number.ascii.push_back(c);
            ++digits;
            ++i;
        }
    };

    take_digits(false);
    if (text.substr(i).starts_with(separator)) {
        number.ascii.push_back('.');
        i += separator.size();
        take_digits(true);
    }
    if (digits == 0) {
        return std::nullopt;
    }

    long exponent = 0;
    if (i < text.size() && (text[i] == L'E' || text[i] == L'e')) {
        number.ascii.push_back('e');
        ++i;
        bool negative = false;
        if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) {
            negative = text[i] == L'-';
            number.ascii.push_back(negative ? '-' : '+');
            ++i;
        }
        const std::size_t exponent_start = i;
        while (i < text.size() && is_ascii_digit(text[i])) {
            exponent = std::min(kExponentClamp, exponent * 10 + (text[i] - L'0'));
            number.ascii.push_back(static_cast<char>(text[i]));
            ++i;
        }
        if (i == exponent_start) {
            return std::nullopt;
        }
        if (negative) {
            exponent = -exponent;
        }
    }
    if (i != text.size()) {
        return std::nullopt;
    }

    const long first_digit_position =
        integer_digits > 0 ? integer_digits - 1 : -(leading_fraction_zeros + 1);
    number.magnitude = first_digit_position + exponent;
    return number;
}

template <typename Real>
Real text_to_real(std::wstring_view text, const NumberLocale& locale) {
    const auto first = std::find_if_not(text.begin(), text.end(), is_blank);
    const auto last = std::find_if_not(text.rbegin(), text.rend(), is_blank).base();
    if (first >= last) {
        throw RuntimeError(ErrorKind::Empty, std::wstring(text));
    }
    const std::wstring_view trimmed(&*first, static_cast<std::size_t>(last - first));

    const auto number = check_number(trimmed, separator_of(locale));
    if (!number) {
        throw RuntimeError(ErrorKind::NotANumber, std::wstring(text));
    }

    Real value{};
    const char* begin = number->ascii.data();
    const char* end = begin + number->ascii.size();
    const auto [stop, error] = std::from_chars(begin, end, value, std::chars_format::general);
    if (error == std::errc::result_out_of_range) {
        // libstdc++ reports both ends this way and leaves the value alone: a number below the
        // smallest subnormal is simply zero, one above the largest finite value is an error.
        if (number->magnitude < 0) {
            return Real{0};
        }
        throw RuntimeError(ErrorKind::TooLarge, std::wstring(text));
    }
    if (error != std::errc() || stop != end) {
        throw RuntimeError(ErrorKind::NotANumber, std::wstring(text));
    }
    if (!std::isfinite(value)) {
        throw RuntimeError(ErrorKind::TooLarge, std::wstring(text));
    }
    return value;
}

std::wstring widen(std::string_view ascii) {
    return std::wstring(ascii.begin(), ascii.end());
}

std::wstring non_finite_text(float value) {
    if (std::isnan(value)) {
        return L"NaN";
    }
    return value < 0 ? L"-Infinity" : L"Infinity";
}

}  // namespace

float text_to_single(std::wstring_view text, const NumberLocale& locale) {
    return text_to_real<float>(text, locale);
}

double text_to_double(std::wstring_view text, const NumberLocale& locale) {
    return text_to_real<double>(text, locale);
}

std::wstring single_to_text(float value, const NumberLocale& locale) {
    if (!std::isfinite(value)) {
        return non_finite_text(value);
    }
    if (value == 0) {
        return L"0";  // negative zero too: it is not a negative number
    }

    // "d.dddddde+XX": the value rounded once, correctly, to 7 significant digits.
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::scientific, 6);
    const std::string_view scientific(buffer.data(),
                                      static_cast<std::size_t>(result.ptr - buffer.data()));

    const bool negative = scientific.front() == '-';
    const std::string_view unsigned_part = scientific.substr(negative ? 1 : 0);
    const std::size_t e_at = unsigned_part.find('e');
    std::string digits;  // the 7 significant digits without the point
    digits.push_back(unsigned_part[0]);
    digits.append(unsigned_part.substr(2, e_at - 2));
    int exponent = 0;
    const std::string_view exponent_text = unsigned_part.substr(e_at + 1);
    std::from_chars(exponent_text.data() + (exponent_text.front() == '+' ? 1 : 0),
                    exponent_text.data() + exponent_text.size(), exponent);

    const std::wstring separator(separator_of(locale));
    std::wstring text = negative ? L"-" : L"";
    auto append_fraction = [&](std::string_view fraction) {
        const std::size_t kept = fraction.find_last_not_of('0');
        if (kept != std::string_view::npos) {
            text += separator;
            text += widen(fraction.substr(0, kept + 1));
        }
    };

    // The same choice as printf's %.7G: plain digits from 1E-04 up to 9999999, otherwise a
    // mantissa and a signed exponent of at least two digits.
    if (exponent >= -4 && exponent <= 6) {
        if (exponent >= 0) {
            const auto integer_length = static_cast<std::size_t>(exponent) + 1;
            text += widen(std::string_view(digits).substr(0, integer_length));
            append_fraction(std::string_view(digits).substr(integer_length));
        } else {
            text += L"0";
            append_fraction(std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits);
        }
        return text;
    }
    text += static_cast<wchar_t>(digits[0]);
    append_fraction(std::string_view(digits).substr(1));
    text += exponent < 0 ? L"E-" : L"E+";
    const int magnitude = exponent < 0 ? -exponent : exponent;
    if (magnitude < 10) {
        text += L"0";
    }
    text += std::to_wstring(magnitude);
    return text;
}

std::wstring int16_to_text(std::int16_t value) {
    std::array<char, 8> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return widen(
        std::string_view(buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data())));
}

}  // namespace core
