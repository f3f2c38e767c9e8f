// Single to text from any 32 bits, against the library's correctly rounded formatting: the same
// seven significant digits, no trailing zero, and the exponent form exactly when the decimal
// exponent is below -4 or above 6. Rounding to 0-7 decimals gives the single nearest to the
// value written with that many decimals, ties to even.
// `fuzz_number_to_text_replay --every-float` runs it over all 2^32 bit patterns.
#include <charconv>
#include <cmath>
#include <cstring>
#include <string>

#include "core/number_text.h"
#include "core/rounding.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto input = fuzz::split_selector(data, size);
    if (input.payload.size() < sizeof(float)) {
        return 0;
    }
    float value = 0;
    std::memcpy(&value, input.payload.data(), sizeof value);
    const std::wstring text = core::single_to_text(value, input.locale);
    if (!std::isfinite(value)) {
        QUENLOW_FUZZ_CHECK(text == L"NaN" || text == L"Infinity" || text == L"-Infinity");
        return 0;
    }
    char expected[32];
    const char* end =
        std::to_chars(expected, expected + sizeof expected, value, std::chars_format::scientific, 6)
            .ptr;
    const char* exponent_at = std::strchr(expected, 'e') + 1;
    int exponent = 0;
    std::from_chars(exponent_at + (*exponent_at == '+'), end, exponent);

    const std::string shown = fuzz::as_ascii(text, input.locale.decimal_separator);
    double shown_value = 1, expected_value = 0;
    std::from_chars(shown.data(), shown.data() + shown.size(), shown_value);
    std::from_chars(expected, end, expected_value);
    QUENLOW_FUZZ_CHECK(shown_value == expected_value);
    QUENLOW_FUZZ_CHECK((shown.find('E') != std::string::npos) == (exponent < -4 || exponent > 6));
    const std::string mantissa = shown.substr(0, shown.find('E'));
    QUENLOW_FUZZ_CHECK(mantissa.find('.') == std::string::npos || mantissa.back() != '0');

    const int decimals = (input.selector >> 2) % 8;
    char fixed[64];
    end = std::to_chars(fixed, fixed + sizeof fixed, value, std::chars_format::fixed, decimals).ptr;
    float rounded = 0;
    std::from_chars(fixed, end, rounded);
    QUENLOW_FUZZ_CHECK(core::round_single(value, decimals) == rounded);
    return 0;
}
