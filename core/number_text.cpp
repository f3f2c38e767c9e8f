#include "core/number_text.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <type_traits>

#include "core/big_natural.h"
#include "core/runtime_error.h"

namespace core {
namespace {

constexpr bool is_blank(wchar_t c) {
    return c == L' ' || c == L'\t';
}
constexpr bool is_ascii_digit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

// Both directions are worked out exactly, on integers, rather than with the library's floating
// charconv: that alone would add a quarter of a megabyte of code and tables to the release.

// A number text's value as digits × 10^(exponent - digits + 1).
struct DecimalNumber {
    std::string digits;         // the significant ones, the first not zero; none for zero
    std::int64_t exponent = 0;  // of the first digit
};

// The longest exact decimal form of a midpoint between two doubles, the closest a text can come
// to changing its rounding, has 768 significant digits. Digits after the 800th therefore matter
// only as being all zeros or not, and stand as one digit 1 in place 801 when they are not.
constexpr std::size_t kKeptDigits = 800;

// Beyond 10^400 every value is infinite in both precisions, below 10^-400 zero.
constexpr std::int64_t kCertainExponent = 400;

// Accepts exactly what the header describes, blanks already trimmed.
std::optional<DecimalNumber> read_number(std::wstring_view text, std::wstring_view separator) {
    DecimalNumber number;
    std::size_t i = 0;
    std::int64_t digits = 0;              // all of them, leading zeros included
    std::int64_t first_significant = -1;  // its index among them
    bool dropped_non_zero = false;

    auto take_digits = [&] {
        for (; i < text.size() && is_ascii_digit(text[i]); ++i, ++digits) {
            const char c = static_cast<char>(text[i]);
            if (first_significant < 0 && c != '0') {
                first_significant = digits;
            }
            if (first_significant < 0) {
                continue;
            }
            if (number.digits.size() < kKeptDigits) {
                number.digits.push_back(c);
            } else if (c != '0') {
                dropped_non_zero = true;
            }
        }
    };

    take_digits();
    const std::int64_t integer_digits = digits;
    if (text.substr(i).starts_with(separator)) {
        i += separator.size();
        take_digits();
    }
    if (digits == 0) {
        return std::nullopt;
    }

    std::int64_t exponent = 0;
    if (i < text.size() && (text[i] == L'E' || text[i] == L'e')) {
        ++i;
        bool negative = false;
        if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) {
            negative = text[i] == L'-';
            ++i;
        }
        // The digits' own place moves the value by at most the text's length in powers of ten;
        // an exponent beyond that and kCertainExponent decides the result alone.
        const std::int64_t far = static_cast<std::int64_t>(text.size()) + kCertainExponent + 1;
        const std::size_t exponent_start = i;
        for (; i < text.size() && is_ascii_digit(text[i]); ++i) {
            exponent = std::min(far, exponent * 10 + (text[i] - L'0'));
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

    if (first_significant < 0) {
        return number;  // zero, whatever the exponent
    }
    if (dropped_non_zero) {
        number.digits.push_back('1');
    } else {
        number.digits.erase(number.digits.find_last_not_of('0') + 1);
    }
    number.exponent = integer_digits - 1 - first_significant + exponent;
    return number;
}

BigNatural integer_of(std::string_view digits) {
    BigNatural integer;
    std::uint32_t chunk = 0;
    std::uint32_t scale = 1;
    for (const char c : digits) {
        chunk = chunk * 10 + static_cast<std::uint32_t>(c - '0');
        scale *= 10;
        if (scale == 1'000'000'000) {
            integer.multiply_add(scale, chunk);
            chunk = 0;
            scale = 1;
        }
    }
    integer.multiply_add(scale, chunk);
    return integer;
}

// The float or double nearest to the number (a tie to the even one), or nothing when that is
// beyond the largest finite value.
template <typename Real>
std::optional<Real> nearest(const DecimalNumber& number) {
    using Limits = std::numeric_limits<Real>;
    using Bits = std::conditional_t<sizeof(Real) == 4, std::uint32_t, std::uint64_t>;
    constexpr int kPrecision = Limits::digits;
    constexpr int kLowestUnit = Limits::min_exponent - Limits::digits;   // the smallest subnormal's
    constexpr int kHighestUnit = Limits::max_exponent - Limits::digits;  // the largest finite's

    if (number.digits.empty() || number.exponent < -kCertainExponent) {
        return Real{0};
    }
    if (number.exponent > kCertainExponent) {
        return std::nullopt;
    }

    // value = numerator / denominator * 2^decimal, with decimal the power of ten of the last
    // digit: 10^decimal is 5^decimal * 2^decimal.
    const int decimal =
        static_cast<int>(number.exponent) - static_cast<int>(number.digits.size()) + 1;
    BigNatural numerator = integer_of(number.digits);
    numerator.multiply_by_power_of_5(std::max(decimal, 0));
    BigNatural denominator(1);
    denominator.multiply_by_power_of_5(std::max(-decimal, 0));

    // The value lies below 2^(top + 1) and above 2^(top - 1). Its unit in the last place is that
    // of a kPrecision-bit significand, but never below the smallest subnormal's.
    const int top = numerator.bit_length() - denominator.bit_length() + decimal;
    int unit = std::max(top - kPrecision + 1, kLowestUnit);
    Quotient significand;
    for (;;) {
        significand = divide(numerator, denominator, decimal - unit);
        if (significand.whole >= (std::uint64_t{1} << (kPrecision - 1)) || unit == kLowestUnit) {
            break;
        }
        --unit;  // the value was below 2^top: one bit more
    }
    if (unit > kHighestUnit) {
        return std::nullopt;
    }
    // The encoding counts units from the smallest subnormal's, with the significand's leading
    // bit added to the exponent field: so subnormals come out right, and so does a significand
    // rounded up to 2^kPrecision, which carries into the exponent (the largest one: infinity).
    const std::uint64_t bits =
        (static_cast<std::uint64_t>(unit - kLowestUnit) << (kPrecision - 1)) +
        significand.rounded();
    if (bits >= std::bit_cast<Bits>(Limits::infinity())) {
        return std::nullopt;
    }
    return std::bit_cast<Real>(static_cast<Bits>(bits));
}

template <typename Real>
Real text_to_real(std::wstring_view text, FieldId field, const NumberLocale& locale) {
    const auto first = std::find_if_not(text.begin(), text.end(), is_blank);
    const auto last = std::find_if_not(text.rbegin(), text.rend(), is_blank).base();
    if (first >= last) {
        throw RuntimeError(ErrorKind::Empty, field, std::wstring(text));
    }
    const std::wstring_view trimmed(&*first, static_cast<std::size_t>(last - first));

    const auto number = read_number(trimmed, locale.decimal_separator());
    if (!number) {
        throw RuntimeError(ErrorKind::NotANumber, field, std::wstring(text));
    }
    const auto value = nearest<Real>(*number);
    if (!value) {
        throw RuntimeError(ErrorKind::TooLarge, field, std::wstring(text));
    }
    return *value;
}

// A positive finite single to 7 significant digits, correctly rounded (a tie to the even one):
// an integer from 1000000 to 9999999 and the decimal exponent of its first digit.
struct SevenDigits {
    std::uint32_t digits = 0;
    int exponent = 0;
};

SevenDigits seven_digits(float value) {
    int power_of_two = 0;  // value = fraction * 2^power_of_two, the fraction from 1/2 up to 1
    const float fraction = std::frexp(value, &power_of_two);
    const auto significand = static_cast<std::uint32_t>(std::ldexp(fraction, 24));
    const int binary = power_of_two - 24;  // value = significand * 2^binary

    // floor(log10(2) * n) for n = floor(log2(value)), or one off; the loop corrects it.
    int exponent = ((power_of_two - 1) * 1233) >> 12;
    for (;;) {
        // value / 10^scale = significand * 2^(binary - scale) / 5^scale
        const int scale = exponent - 6;
        BigNatural numerator(significand);
        numerator.multiply_by_power_of_5(std::max(-scale, 0));
        BigNatural denominator(1);
        denominator.multiply_by_power_of_5(std::max(scale, 0));
        const Quotient quotient = divide(numerator, denominator, binary - scale);
        if (quotient.whole >= 10'000'000) {
            ++exponent;
        } else if (quotient.whole < 1'000'000) {
            --exponent;
        } else if (quotient.rounded() == 10'000'000) {
            return {1'000'000, exponent + 1};  // 9999999.5 and above: 1E+(exponent + 1)
        } else {
            return {static_cast<std::uint32_t>(quotient.rounded()), exponent};
        }
    }
}

}  // namespace

float text_to_single(std::wstring_view text, FieldId field, const NumberLocale& locale) {
    return text_to_real<float>(text, field, locale);
}

double text_to_double(std::wstring_view text, FieldId field, const NumberLocale& locale) {
    return text_to_real<double>(text, field, locale);
}

std::wstring single_to_text(float value, const NumberLocale& locale) {
    if (value == 0) {
        return L"0";
    }
    const SevenDigits rounded = seven_digits(value);
    const std::wstring digits = whole_number_text(rounded.digits);
    const int exponent = rounded.exponent;

    // Trailing zeros go, and the separator with them when no digit is left after it.
    const auto fraction = [&](std::wstring_view after_separator) {
        const std::size_t kept = after_separator.find_last_not_of(L'0');
        return kept == std::wstring_view::npos
                   ? std::wstring()
                   : std::wstring(locale.decimal_separator()) +
                         std::wstring(after_separator.substr(0, kept + 1));
    };

    // As printf's %.7G: plain digits up to 9999999, then a mantissa and an exponent of two
    // digits. A rounded value below 1 is 0.1 at least: its first digit is the first decimal.
    if (exponent < 0) {
        return L"0" + fraction(digits);
    }
    if (exponent <= 6) {
        const auto integer_length = static_cast<std::size_t>(exponent) + 1;
        return digits.substr(0, integer_length) + fraction(digits.substr(integer_length));
    }
    return digits.substr(0, 1) + fraction(digits.substr(1)) + (exponent < 10 ? L"E+0" : L"E+") +
           whole_number_text(static_cast<std::uint32_t>(exponent));
}

std::wstring whole_number_text(std::uint32_t value) {
    std::array<char, 10> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::wstring(buffer.data(), result.ptr);
}

}  // namespace core
