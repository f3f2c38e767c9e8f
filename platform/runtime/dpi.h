#pragma once

#include <windows.h>

namespace rt {

inline constexpr UINT kDefaultDpi = 96;

// The DPI a window is shown at: per monitor where the system supports it, the system DPI
// otherwise (the function is looked up at run time, so older Windows still start).
UINT dpi_for_window(HWND window);

}  // namespace rt
