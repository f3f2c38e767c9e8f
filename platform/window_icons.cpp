#include "platform/window_icons.h"

#include <unordered_set>

namespace platform {
namespace {

// One of the two icons a window keeps: which metrics give its size and which WM_SETICON slot
// takes it.
struct IconKind {
    int width_metric;
    int height_metric;
    std::uintptr_t slot;
};

constexpr IconKind kBigIcon{kSmCxIcon, kSmCyIcon, kIconBig};
constexpr IconKind kSmallIcon{kSmCxSmIcon, kSmCySmIcon, kIconSmall};

// Follows the owner links from window to the first window that has no owner. Win32 does not let
// an owner chain close on itself, but a handle that comes round again would make the walk spin
// on the user-interface thread forever, so the walk stops at the window whose owner was already
// passed. On every chain without such a loop it asks exactly the same questions as a plain walk.
WindowHandle top_of_owner_chain(WindowIconPlatform& platform, WindowHandle window) {
    WindowHandle top = window;
    WindowHandle current = window;
    std::unordered_set<WindowHandle> passed{window};
    while (current != 0) {
        const WindowHandle owner = platform.get_window(current, kGwOwner);
        if (owner == 0 || !passed.insert(owner).second) {
            break;
        }
        top = owner;
        current = owner;
    }
    return top;
}

void set_icon(WindowIconPlatform& platform, const IconKind& kind, const std::wstring& name,
              bool also_top, WindowHandle top, WindowHandle window) {
    const int width = platform.get_system_metrics(kind.width_metric);
    const int height = platform.get_system_metrics(kind.height_metric);
    // The name is converted for each call, as it is for every call of an "A" function.
    const std::string system_name = platform.to_system_code_page(name);
    const InstanceHandle instance = platform.app_instance();
    const IconHandle icon =
        platform.load_image(instance, system_name, kImageIcon, width, height, kLrShared);
    // A 0 icon is sent as it is: it takes the old icon away, which is all a missing group means.
    const auto icon_param = static_cast<std::intptr_t>(icon);
    if (also_top) {
        platform.send_message(top, kWmSetIcon, kind.slot, icon_param);
    }
    platform.send_message(window, kWmSetIcon, kind.slot, icon_param);
}

}  // namespace

void SetWindowIcons(WindowIconPlatform& platform, WindowHandle hWnd, std::wstring_view iconName,
                    std::int16_t alsoOwner) {
    const std::wstring name(iconName);
    const bool also_owner = alsoOwner != 0;
    // Without the owner flag the chain is not looked at at all.
    const WindowHandle top = also_owner ? top_of_owner_chain(platform, hWnd) : hWnd;
    set_icon(platform, kBigIcon, name, also_owner, top, hWnd);
    set_icon(platform, kSmallIcon, name, also_owner, top, hWnd);
}

}  // namespace platform
