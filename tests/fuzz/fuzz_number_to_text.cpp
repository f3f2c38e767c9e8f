// Number to text and rounding, from any 32 bits: the text reads back close to the value, keeps
// to its form, and rounding is idempotent and near.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "core/number_text.h"
#include "core/rounding.h"
#include "fuzz_support.h"

namespace {

void check_form(const std::wstring& text) {
    // At most 7 significant digits, and no trailing zero after the separator.
    std::size_t digits = 0;
    bool significant = false;
    for (const wchar_t c : text.substr(0, text.find(L'E'))) {
        significant = significant || (c >= L'1' && c <= L'9');
        digits += significant && c >= L'0' && c <= L'9';
    }
    QUENLOW_FUZZ_CHECK(digits <= 7);
    const std::wstring mantissa = text.substr(0, text.find(L'E'));
    QUENLOW_FUZZ_CHECK(mantissa.find_first_of(L".,:") == std::wstring::npos ||
                       mantissa.back() != L'0');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto input = fuzz::split_selector(data, size);
    if (input.payload.size() < sizeof(float)) {
        return 0;
    }
    float value = 0;
    std::memcpy(&value, input.payload.data(), sizeof value);
    const core::NumberLocale locale = fuzz::locale_from(input.selector);
    const std::wstring text = core::single_to_text(value, locale);

    if (!std::isfinite(value)) {
        QUENLOW_FUZZ_CHECK(text == L"NaN" || text == L"Infinity" || text == L"-Infinity");
        return 0;
    }
    const bool negative = value < 0;
    QUENLOW_FUZZ_CHECK((text.front() == L'-') == negative);
    const std::wstring unsigned_text = negative ? text.substr(1) : text;
    check_form(unsigned_text);
    const float again = core::text_to_single(unsigned_text, locale);
    const float allowed =
        std::max(std::abs(value) * 6e-7f, std::numeric_limits<float>::denorm_min());
    QUENLOW_FUZZ_CHECK(std::abs(again - std::abs(value)) <= allowed);
    QUENLOW_FUZZ_CHECK(core::single_to_text(again, locale) == unsigned_text);

    const int decimals = (input.selector >> 2) % 8;
    const float rounded = core::round_single(value, decimals);
    QUENLOW_FUZZ_CHECK(core::round_single(rounded, decimals) == rounded);
    const double step = std::pow(10.0, -decimals);
    const double distance = std::abs(static_cast<double>(rounded) - value);
    QUENLOW_FUZZ_CHECK(distance <= step / 2 + std::abs(static_cast<double>(rounded)) * 6e-8);
    return 0;
}
