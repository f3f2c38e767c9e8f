#pragma once

// The code module's window icon routine, written against the few platform operations it needs so
// that it runs unchanged over user32 in the program and over a recording fake in tests.

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

using WindowHandle = std::uintptr_t;
using IconHandle = std::uintptr_t;
using InstanceHandle = std::uintptr_t;

// The Win32 values the routine passes; the user32 adapter checks them against <windows.h>.
inline constexpr unsigned kGwOwner = 4;
inline constexpr int kSmCxIcon = 11;
inline constexpr int kSmCyIcon = 12;
inline constexpr int kSmCxSmIcon = 49;
inline constexpr int kSmCySmIcon = 50;
inline constexpr unsigned kImageIcon = 1;
inline constexpr unsigned kLrShared = 0x8000;
inline constexpr unsigned kWmSetIcon = 0x0080;
inline constexpr std::uintptr_t kIconBig = 1;
inline constexpr std::uintptr_t kIconSmall = 0;

// The platform operations the routine uses, and nothing else.
class WindowIconPlatform {
  public:
    virtual ~WindowIconPlatform() = default;

    // GetWindow: with kGwOwner, the window's owner, or 0 when it has none.
    virtual WindowHandle get_window(WindowHandle window, unsigned command) = 0;
    // GetSystemMetrics: the width or height in pixels of a big or small icon.
    virtual int get_system_metrics(int index) = 0;
    // LoadImageA: an icon of that size made from the named icon group, or 0.
    virtual IconHandle load_image(InstanceHandle instance,
                                  std::string_view name_in_system_code_page, unsigned type, int cx,
                                  int cy, unsigned flags) = 0;
    // SendMessageA; its result means nothing to the routine.
    virtual void send_message(WindowHandle window, unsigned message, std::uintptr_t wparam,
                              std::intptr_t lparam) = 0;
    // App.hInstance: the module holding the resources. Throws core::RuntimeError
    // (ErrorKind::ControlCall) when it cannot be read.
    virtual InstanceHandle app_instance() = 0;
    // The name as the system code page encodes it, as a string argument of an "A" function is.
    virtual std::string to_system_code_page(std::wstring_view text) = 0;
};

// Gives hWnd the big and small icons of the icon group iconName, each at the size the system
// reports for it. When alsoOwner is non-zero (a 16-bit Boolean, True being -1), the window at the
// top of hWnd's owner chain gets each icon first. Icons are loaded shared and never destroyed; an
// icon that cannot be loaded is sent as 0, which takes that icon away. An error reading the module
// instance propagates, and nothing is sent after it.
void SetWindowIcons(WindowIconPlatform& platform, WindowHandle hWnd, std::wstring_view iconName,
                    std::int16_t alsoOwner);

}  // namespace platform
