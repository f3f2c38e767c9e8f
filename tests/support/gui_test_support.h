#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace gui_test {

// Delivers every message waiting for this thread (and any they post in turn).
void pump_messages();

// The window's text, as a screen reader or the user would see it.
std::wstring window_text(HWND window);

// The window's rectangle in its parent's client coordinates (screen ones for top-level windows).
RECT rect_in_parent(HWND window);

// Presses and releases a key through the thread's message queue, as the keyboard would, and
// delivers the resulting messages (WM_KEYDOWN, WM_CHAR, WM_KEYUP) to the focused window.
void press_key(WORD virtual_key, bool shift = false);
// Types a character into the focused window as WM_CHAR.
void type_char(wchar_t character);
// Clicks at a point of a window's client area (button down and up, delivered in order).
void click(HWND window, POINT at);
void click_centre(HWND window);

// Watches for windows of this thread that become active (message boxes, modal forms) and
// hands each to `on_activate`, which typically reads it and closes it. Uninstalls itself.
class ActivationWatcher {
  public:
    explicit ActivationWatcher(std::function<void(HWND)> on_activate);
    ~ActivationWatcher();
    ActivationWatcher(const ActivationWatcher&) = delete;
    ActivationWatcher& operator=(const ActivationWatcher&) = delete;

  private:
    static LRESULT CALLBACK hook(int code, WPARAM wparam, LPARAM lparam);
    HHOOK hook_;
};

// The text of every STATIC child of a message box (its message), joined by newlines.
std::wstring message_box_text(HWND box);

// Saves an image of the window as a 24-bit BMP in $QUENLOW_SCREENSHOT_DIR (if set) and returns
// the path, or an empty string when no directory is set.
std::wstring save_screenshot(HWND window, const std::wstring& name);

}  // namespace gui_test
