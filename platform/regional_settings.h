#pragma once

#include "core/number_locale.h"

namespace platform {

// The user's decimal separator, from the Windows regional settings as they are now.
core::NumberLocale user_number_locale();

}  // namespace platform
