// Number to text and rounding, from any 32 bits: the text keeps to its form and reads back as
// the same text and a value close to the number; rounding is idempotent and near.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

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
    const core::NumberLocale& locale = input.locale;
    const std::wstring text = core::single_to_text(value, locale);
    if (!std::isfinite(value)) {
        QUENLOW_FUZZ_CHECK(text == L"NaN" || text == L"Infinity" || text == L"-Infinity");
        return 0;
    }
    QUENLOW_FUZZ_CHECK((text.front() == L'-') == (value < 0));
    const std::wstring unsigned_text = value < 0 ? text.substr(1) : text;

    // At most 7 significant digits, and no trailing zero after the separator.
    const std::wstring mantissa = unsigned_text.substr(0, unsigned_text.find(L'E'));
    const auto first_significant = mantissa.find_first_of(L"123456789");
    QUENLOW_FUZZ_CHECK(first_significant == std::wstring::npos ||
                       std::count_if(mantissa.begin() + first_significant, mantissa.end(),
                                     [](wchar_t c) { return c >= L'0' && c <= L'9'; }) <= 7);
    QUENLOW_FUZZ_CHECK(mantissa.find_first_of(L".,:") == std::wstring::npos ||
                       mantissa.back() != L'0');

    // Shown and read back, a value moves by at most half a unit of the 7th digit (a subnormal
    // by its own last bit), and showing it again gives the same text.
    const float again = core::text_to_single(unsigned_text, locale);
    const float allowed =
        std::max(std::abs(value) * 6e-7f, std::numeric_limits<float>::denorm_min());
    QUENLOW_FUZZ_CHECK(std::abs(again - std::abs(value)) <= allowed);
    QUENLOW_FUZZ_CHECK(core::single_to_text(again, locale) == unsigned_text);

    const int decimals = (input.selector >> 2) % 8;
    const float rounded = core::round_single(value, decimals);
    QUENLOW_FUZZ_CHECK(core::round_single(rounded, decimals) == rounded);
    const double distance = std::abs(static_cast<double>(rounded) - value);
    QUENLOW_FUZZ_CHECK(distance <= std::pow(10.0, -decimals) / 2 +
                                       std::abs(static_cast<double>(rounded)) * 6e-8);
    return 0;
}
