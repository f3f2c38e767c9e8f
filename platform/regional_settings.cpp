#include "platform/regional_settings.h"

#include <windows.h>

namespace platform {

core::NumberLocale user_number_locale() {
    // The value stored in the user's settings comes first: Wine's GetLocaleInfoEx reads it once
    // per process and would miss a change made while the program runs. The locale's own separator
    // where none is stored.
    wchar_t separator[8] = {};
    DWORD size = sizeof separator;
    const LSTATUS stored = RegGetValueW(HKEY_CURRENT_USER, L"Control Panel\\International",
                                        L"sDecimal", RRF_RT_REG_SZ, nullptr, separator, &size);
    if (stored == ERROR_MORE_DATA) {
        return {};  // longer than any separator can be: the point
    }
    if ((stored != ERROR_SUCCESS || !separator[0]) &&
        GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) == 0) {
        separator[0] = L'\0';
    }
    return core::NumberLocale(separator);
}

}  // namespace platform
