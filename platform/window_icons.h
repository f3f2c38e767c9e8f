#pragma once

#include <windows.h>

#include <string_view>

namespace platform {

// Gives `window` the big and the small icon of the executable's icon group `icon_name`, each at the
// size the system reports for it. With `also_owner` the window at the top of the owner chain gets
// each icon just before `window` does. Icons are loaded shared and never destroyed; a group that
// cannot be loaded sends a null icon, which takes that icon away.
void SetWindowIcons(HWND window, std::wstring_view icon_name, bool also_owner);

}  // namespace platform
