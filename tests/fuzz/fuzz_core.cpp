// The core's readers and writers of numbers, on any bytes. The first byte chooses the decimal
// separator in its low bits and the field above; the rest is the payload, which is read as a
// number and as the text of a field that loses the focus, and its first four bytes taken as a
// single that a calculation could have rounded and written.
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <system_error>

#include "core/fields.h"
#include "core/number_text.h"
#include "core/rounding.h"
#include "core/runtime_error.h"

// Stops the run at the first broken invariant, so that the fuzzer keeps the input.
#define CHECK(holds) \
    ((holds) ? void() : (std::fprintf(stderr, "invariant broken: %s\n", #holds), std::abort()))

namespace {

using namespace core;

// Each byte is the character of that code, except that 0xFF and the two bytes after it give any
// 16-bit code, so that non-ASCII digits and blanks are reachable.
std::wstring decode(std::string_view bytes) {
    const auto at = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    std::wstring text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const bool wide = at(i) == 0xFF && i + 2 < bytes.size();
        text.push_back(static_cast<wchar_t>(wide ? at(i + 1) << 8 | at(i + 2) : at(i)));
        i += wide ? 2 : 0;
    }
    return text;
}

// The text as std::from_chars must read it for the two to agree: blanks trimmed, the separator
// as a point, and any other character that has no place in a number as '?'.
std::string as_ascii(const std::wstring& text, std::wstring_view separator) {
    const std::string_view kept = "0123456789eE+-";
    std::string ascii;
    const auto last = text.find_last_not_of(L" \t");
    for (auto i = text.find_first_not_of(L" \t"); last != text.npos && i <= last; ++i) {
        const bool at_separator = text.compare(i, separator.size(), separator) == 0;
        const bool keep = text[i] < 128 && kept.find(static_cast<char>(text[i])) != kept.npos;
        ascii += at_separator ? '.' : keep ? static_cast<char>(text[i]) : '?';
        i += at_separator ? separator.size() - 1 : 0;
    }
    return ascii;
}

// A text reads as the library reads it (beyond the finite range: too large, or zero); one the
// library cannot read whole, or with a sign in front, fails as empty or not a number.
template <typename Real>
void read_number(Real (*convert)(std::wstring_view, FieldId, const NumberLocale&),
                 const std::wstring& text, const NumberLocale& locale) {
    const std::string ascii = as_ascii(text, locale.decimal_separator());
    Real expected = 0;
    const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), expected);
    const bool whole = !ascii.empty() && ascii[0] != '-' && end == ascii.data() + ascii.size();
    try {
        const Real value = convert(text, FieldId::WeightMetric, locale);
        CHECK(whole && (error == std::errc() ? value == expected : value == 0));
    } catch (const RuntimeError& failure) {
        using enum ErrorKind;
        CHECK(failure.input() == text && failure.field() == FieldId::WeightMetric);
        CHECK(failure.kind() == (ascii.empty() ? Empty : whole ? TooLarge : NotANumber));
        CHECK(!whole || error == std::errc::result_out_of_range);
    }
}

// Any single's magnitude rounded to one decimal as the library writes one decimal; then written
// with seven significant digits as the library rounds them, no trailing zero, and from 1E+07 up
// with the library's exponent.
void write_number(float any, const NumberLocale& locale) {
    if (!std::isfinite(any)) {
        return;
    }
    char fixed[64];
    *std::to_chars(fixed, fixed + 63, std::fabs(any), std::chars_format::fixed, 1).ptr = '\0';
    const float value = round_to_one_decimal(std::fabs(any));
    CHECK(value == std::strtof(fixed, nullptr));

    const std::wstring text = single_to_text(value, locale);
    char expected[32];  // the library's seven digits
    *std::to_chars(expected, expected + 31, value, std::chars_format::scientific, 6).ptr = '\0';
    const int exponent = std::atoi(std::strchr(expected, 'e') + 1);
    const std::string shown = as_ascii(text, locale.decimal_separator());
    CHECK(std::strtod(shown.c_str(), nullptr) == std::strtod(expected, nullptr));
    CHECK((shown.find('E') != std::string::npos) == (exponent > 6));
    CHECK(exponent <= 6 || shown.substr(shown.find('E') + 1) == std::strchr(expected, 'e') + 1);
    const std::string mantissa = shown.substr(0, shown.find('E'));
    CHECK(mantissa.find('.') == std::string::npos || mantissa.back() != '0');
}

// As the focus-loss handler does it: the field's text becomes the nearer bound when the value is
// outside, stays when inside, and is untouched when the rule fails for that field.
void leave_field(const std::wstring& typed, const FieldRule& field, const NumberLocale& locale) {
    try {
        const auto replacement = range_rule(typed, field, locale);
        const double value = text_to_double(typed, field.id, locale);
        const bool outside = value < field.lower || value > field.upper;
        CHECK(replacement.has_value() == outside);
        CHECK(!outside ||
              *replacement == whole_number_text(value < field.lower ? field.lower : field.upper));
    } catch (const RuntimeError& error) {
        CHECK(error.input() == typed && error.field() == field.id);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const NumberLocale kLocales[] = {NumberLocale(L"."), NumberLocale(L","),
                                            NumberLocale(L"::")};
    if (size == 0) {
        return 0;
    }
    const NumberLocale& locale = kLocales[data[0] % 3];
    const std::string_view payload(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::wstring text = decode(payload);
    read_number(text_to_single, text, locale);
    read_number(text_to_double, text, locale);
    leave_field(text, kFields[(data[0] >> 5) % kFields.size()], locale);
    if (payload.size() >= sizeof(float)) {
        float value = 0;
        std::memcpy(&value, payload.data(), sizeof value);
        write_number(value, locale);
    }
    return 0;
}
