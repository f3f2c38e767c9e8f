#include "core/number_locale.h"

#include <algorithm>

namespace core {
namespace {

// Unicode's control characters and blanks (its White_Space), the ASCII space among them.
constexpr bool is_control_or_blank(wchar_t c) {
    return c <= L' ' || (c >= 0x7F && c <= 0xA0) || c == 0x1680 || (c >= 0x2000 && c <= 0x200A) ||
           c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F || c == 0x3000;
}

constexpr bool can_be_in_a_number(wchar_t c) {
    return (c >= L'0' && c <= L'9') || c == L'+' || c == L'-' || c == L'e' || c == L'E';
}

}  // namespace

NumberLocale::NumberLocale(std::wstring_view separator) {
    constexpr std::size_t kLongest = 3;
    if (!separator.empty() && separator.size() <= kLongest &&
        std::none_of(separator.begin(), separator.end(),
                     [](wchar_t c) { return is_control_or_blank(c) || can_be_in_a_number(c); })) {
        separator_ = separator;
    }
}

}  // namespace core
