#pragma once

#include <windows.h>

#include <string>

#include "core/runtime_error.h"

namespace platform {

// A core::RuntimeError that stops a handler is caught at the edge of the window procedure and
// shown in a message box; the program goes on. Only a main window that cannot be made at start-up
// ends the program, after its box.

// Posted to a window so that an error is shown once the message being handled is done.
inline constexpr UINT kShowPendingError = WM_APP + 1;

// Shows the error in a box titled "Quenlow", owned by `window`, after the current message: never
// in the middle of a focus change. Only one error at a time: one that arrives while another is
// waiting or showing adds nothing for the user (the same empty field read again by Calculate) and
// is dropped, so no chain of boxes can start.
void report_error(HWND window, const core::RuntimeError& error);

// What a window does on kShowPendingError.
void show_pending_error(HWND owner);

// Whether an error box stands over the window now: it takes no input until the box closes.
bool error_box_over(HWND window);

void show_error_box(HWND owner, const std::wstring& message);

}  // namespace platform
