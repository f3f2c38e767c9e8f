#include "platform/window_icons.h"

#include <algorithm>
#include <string>
#include <vector>

#include "core/runtime_error.h"

namespace platform {
namespace {

// Follows the owner links to the first window that has none. Win32 lets no owner chain close on
// itself; should a handle come round again all the same, the walk stops there rather than spin
// on the user-interface thread for ever.
HWND top_of_owner_chain(HWND window) {
    std::vector<HWND> passed{window};
    HWND top = window;
    while (const HWND owner = GetWindow(top, GW_OWNER)) {
        if (std::find(passed.begin(), passed.end(), owner) != passed.end()) {
            break;
        }
        passed.push_back(owner);
        top = owner;
    }
    return top;
}

// Resource names are passed to the "A" function as the system code page encodes them.
std::string in_system_code_page(std::wstring_view text) {
    const int wide_length = static_cast<int>(text.size());
    const int length =
        WideCharToMultiByte(CP_ACP, 0, text.data(), wide_length, nullptr, 0, nullptr, nullptr);
    std::string converted(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), wide_length, converted.data(), length, nullptr,
                        nullptr);
    return converted;
}

void send_icon(HWND window, HWND top, bool also_owner, const std::string& name, int width_metric,
               int height_metric, WPARAM kind) {
    const int width = GetSystemMetrics(width_metric);
    const int height = GetSystemMetrics(height_metric);
    // The module is asked for each icon, as it is for every load.
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    if (!instance) {
        throw core::RuntimeError::control_call(L"find the program's icon", GetLastError());
    }
    const auto icon = reinterpret_cast<LPARAM>(
        LoadImageA(instance, name.c_str(), IMAGE_ICON, width, height, LR_SHARED));
    if (also_owner) {
        SendMessageA(top, WM_SETICON, kind, icon);
    }
    SendMessageA(window, WM_SETICON, kind, icon);
}

}  // namespace

void SetWindowIcons(HWND window, std::wstring_view icon_name, bool also_owner) {
    const std::string name = in_system_code_page(icon_name);
    // Without the owner flag the chain is not looked at at all.
    const HWND top = also_owner && window ? top_of_owner_chain(window) : window;
    send_icon(window, top, also_owner, name, SM_CXICON, SM_CYICON, ICON_BIG);
    send_icon(window, top, also_owner, name, SM_CXSMICON, SM_CYSMICON, ICON_SMALL);
}

}  // namespace platform
