// Text to number, in both precisions: either a RuntimeError of a text kind, or a finite value
// without a sign. (How a value is shown and read back is fuzz_number_to_text's part.)
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "core/number_text.h"
#include "core/runtime_error.h"
#include "fuzz_support.h"

namespace {

using core::ErrorKind;

template <typename Real>
std::optional<Real> read(Real (*convert)(std::wstring_view, const core::NumberLocale&),
                         const std::wstring& text, const core::NumberLocale& locale) {
    try {
        const Real value = convert(text, locale);
        QUENLOW_FUZZ_CHECK(std::isfinite(value) && !std::signbit(value));
        return value;
    } catch (const core::RuntimeError& error) {
        const bool only_blanks = text.find_first_not_of(L" \t") == std::wstring::npos;
        QUENLOW_FUZZ_CHECK(error.input() == text && !error.field().has_value());
        QUENLOW_FUZZ_CHECK((error.kind() == ErrorKind::Empty) == only_blanks);
        QUENLOW_FUZZ_CHECK(error.kind() == ErrorKind::Empty ||
                           error.kind() == ErrorKind::NotANumber ||
                           error.kind() == ErrorKind::TooLarge);
        return std::nullopt;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto input = fuzz::split_selector(data, size);
    const core::NumberLocale& locale = input.locale;
    const std::wstring text = fuzz::decode(input.payload);
    const auto single = read(core::text_to_single, text, locale);
    const auto wide = read(core::text_to_double, text, locale);

    // The two precisions accept the same texts, except that a single overflows sooner; read
    // directly or through the double, a single is at most one step off.
    if (single) {
        QUENLOW_FUZZ_CHECK(wide.has_value());
        const float narrowed = static_cast<float>(*wide);
        const float infinity = std::numeric_limits<float>::infinity();
        QUENLOW_FUZZ_CHECK(std::nextafter(narrowed, -infinity) <= *single &&
                           *single <= std::nextafter(narrowed, infinity));
    } else if (wide) {
        QUENLOW_FUZZ_CHECK(*wide >= std::numeric_limits<float>::max());
    }
    return 0;
}
