// Text to number in both precisions, against the library's correctly rounded reading of the same
// text: a text the program accepts reads as the library reads it (beyond the finite range: too
// large, or zero), and one it refuses fails with an error of a text kind naming no field.
#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

#include "core/number_text.h"
#include "core/runtime_error.h"
#include "fuzz_support.h"

namespace {

template <typename Real>
void compare(Real (*convert)(std::wstring_view, const core::NumberLocale&),
             const std::wstring& text, const core::NumberLocale& locale) {
    const std::string ascii = fuzz::as_ascii(text, locale.decimal_separator);
    Real expected = 0;
    const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), expected);
    try {
        const Real value = convert(text, locale);
        QUENLOW_FUZZ_CHECK(end == ascii.data() + ascii.size());
        QUENLOW_FUZZ_CHECK(error == std::errc() ? value == expected : value == 0);
    } catch (const core::RuntimeError& failure) {
        const core::ErrorKind kind = failure.kind();
        QUENLOW_FUZZ_CHECK(failure.input() == text && !failure.field());
        QUENLOW_FUZZ_CHECK((kind == core::ErrorKind::Empty) == ascii.empty());
        QUENLOW_FUZZ_CHECK(kind != core::ErrorKind::TooLarge ||
                           error == std::errc::result_out_of_range);
        QUENLOW_FUZZ_CHECK(kind == core::ErrorKind::Empty || kind == core::ErrorKind::NotANumber ||
                           kind == core::ErrorKind::TooLarge);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto input = fuzz::split_selector(data, size);
    const std::wstring text = fuzz::decode(input.payload);
    compare(core::text_to_single, text, input.locale);
    compare(core::text_to_double, text, input.locale);
    return 0;
}
