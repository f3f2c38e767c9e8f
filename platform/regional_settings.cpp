#include "platform/regional_settings.h"

#include <windows.h>

namespace platform {

core::NumberLocale user_number_locale() {
    // The value stored in the user's settings comes first: Wine's GetLocaleInfoEx reads it once
    // per process and would miss a change made while the program runs. The locale's own separator
    // where none is stored.
    wchar_t separator[8] = {};
    DWORD size = sizeof separator;
    core::NumberLocale locale;
    if ((RegGetValueW(HKEY_CURRENT_USER, L"Control Panel\\International", L"sDecimal",
                      RRF_RT_REG_SZ, nullptr, separator, &size) == ERROR_SUCCESS &&
         separator[0]) ||
        GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) > 1) {
        locale.decimal_separator = separator;
    }
    return locale;
}

}  // namespace platform
