#include "platform/error_box.h"

#include <optional>

#include "core/error_text.h"

namespace platform {
namespace {

std::optional<std::wstring> pending_message;
HWND pending_owner = nullptr;
HWND showing_over = nullptr;  // the window the box stands over, while one shows

}  // namespace

void report_error(HWND window, const core::RuntimeError& error) {
    // A message posted to a window that has gone since will never arrive: forget it.
    if (pending_message && !IsWindow(pending_owner)) {
        pending_message.reset();
    }
    if (pending_message || showing_over || !IsWindow(window)) {
        return;
    }
    pending_message = core::describe(error);
    pending_owner = window;
    PostMessageW(window, kShowPendingError, 0, 0);
}

void show_pending_error(HWND owner) {
    if (!pending_message || showing_over) {
        return;
    }
    const std::wstring message = std::move(*pending_message);
    pending_message.reset();
    showing_over = owner;
    show_error_box(owner, message);
    showing_over = nullptr;
}

bool error_box_over(HWND window) {
    return window && showing_over == window;
}

void show_error_box(HWND owner, const std::wstring& message) {
    MessageBoxW(owner, message.c_str(), L"Quenlow", MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace platform
