#pragma once

#include <string>

namespace core {

// The parts of the user's locale that number texts depend on. The Windows layer fills it from
// LOCALE_SDECIMAL; the core never asks the system itself.
struct NumberLocale {
    std::wstring decimal_separator = L".";
};

}  // namespace core
