#pragma once

#include <string>
#include <string_view>

namespace core {

// The decimal separator that number texts are read and written with. The Windows layer passes
// what the user's regional settings hold; the core never asks the system itself.
class NumberLocale {
  public:
    NumberLocale() = default;  // the point
    // Any program can write the regional settings. A separator that a number text could hold
    // anyway (a digit, a sign, an "e" or "E"), that a reader cannot see (a blank, a control
    // character), that is empty or longer than the 3 characters Windows allows would make the
    // texts ambiguous: the point stands in for it.
    explicit NumberLocale(std::wstring_view separator);

    std::wstring_view decimal_separator() const noexcept { return separator_; }

  private:
    std::wstring separator_ = L".";
};

}  // namespace core
