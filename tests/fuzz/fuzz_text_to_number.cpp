// Text to number: either a RuntimeError of a text kind, or a finite value that survives being
// shown and read again.
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "core/number_text.h"
#include "core/runtime_error.h"
#include "fuzz_support.h"

namespace {

using core::ErrorKind;
using core::RuntimeError;

bool only_blanks(const std::wstring& text) {
    return std::all_of(text.begin(), text.end(), [](wchar_t c) { return c == L' ' || c == L'\t'; });
}

template <typename Convert>
auto convert_or_error(const std::wstring& text, Convert convert)
    -> std::optional<decltype(convert(text))> {
    try {
        const auto value = convert(text);
        QUENLOW_FUZZ_CHECK(std::isfinite(value));
        QUENLOW_FUZZ_CHECK(!std::signbit(value));  // no sign is accepted
        return value;
    } catch (const RuntimeError& error) {
        QUENLOW_FUZZ_CHECK(error.input() == text);
        QUENLOW_FUZZ_CHECK(!error.field().has_value());
        QUENLOW_FUZZ_CHECK((error.kind() == ErrorKind::Empty) == only_blanks(text));
        QUENLOW_FUZZ_CHECK(error.kind() == ErrorKind::Empty ||
                           error.kind() == ErrorKind::NotANumber ||
                           error.kind() == ErrorKind::TooLarge);
        return std::nullopt;
    }
}

// Shown with 7 significant digits and read back, a value moves by at most half a unit of the
// 7th digit (a subnormal, with fewer bits, by its own last bit), and showing it again gives the
// same text.
void check_round_trip(float value, const core::NumberLocale& locale) {
    const std::wstring shown = core::single_to_text(value, locale);
    const float again = core::text_to_single(shown, locale);
    QUENLOW_FUZZ_CHECK(core::single_to_text(again, locale) == shown);
    const float allowed =
        std::max(std::abs(value) * 6e-7f, std::numeric_limits<float>::denorm_min());
    QUENLOW_FUZZ_CHECK(std::abs(again - value) <= allowed);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto input = fuzz::split_selector(data, size);
    const core::NumberLocale locale = fuzz::locale_from(input.selector);
    const std::wstring text = fuzz::decode(input.payload);

    const auto single = convert_or_error(
        text, [&](const std::wstring& t) { return core::text_to_single(t, locale); });
    const auto wide = convert_or_error(
        text, [&](const std::wstring& t) { return core::text_to_double(t, locale); });

    // The two precisions accept the same texts, except that a single overflows sooner.
    if (wide) {
        if (single) {
            const float narrowed = static_cast<float>(*wide);
            const float infinity = std::numeric_limits<float>::infinity();
            // Read directly or through the double: at most one step apart.
            QUENLOW_FUZZ_CHECK(std::nextafter(narrowed, -infinity) <= *single &&
                               *single <= std::nextafter(narrowed, infinity));
            check_round_trip(*single, locale);
        } else {
            QUENLOW_FUZZ_CHECK(*wide >= std::numeric_limits<float>::max());
        }
    } else {
        QUENLOW_FUZZ_CHECK(!single.has_value());
    }
    return 0;
}
