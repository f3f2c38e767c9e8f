#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace remote {

// A program started by the benchmark, with its main window once shown.
struct RemoteProgram {
    PROCESS_INFORMATION process{};
    HWND window = nullptr;
    double startup_ms = 0;  // from CreateProcess to the main window shown and the program idle
};

// Starts the program and waits until a visible top-level window of its own has this title and
// the program waits for input. Returns false (and ends the program) on failure.
bool start_and_wait(const std::wstring& path, std::wstring_view title, RemoteProgram& program);
// Waits until the program has handled what it was sent and waits for input again.
void wait_until_idle(const RemoteProgram& program);
// Closes the main window as the user would and waits for the process to end; returns its exit
// code, or -1 when it had to be ended by force.
long close_and_wait(RemoteProgram& program);

// The first visible top-level window of the process whose title starts with this text, other
// than `except`; nullptr if there is none. The class is not looked at: a rewrite may rename it.
HWND find_top_level(DWORD process, std::wstring_view title_start, HWND except = nullptr);
// The visible descendants of the window.
std::vector<HWND> visible_descendants(HWND window);
// Whether the window's class is this one, in any case (Windows and Wine differ: "Button",
// "BUTTON").
bool has_class(HWND window, std::wstring_view window_class);
// Sends with a time-out (5 s): a program that crashed or hangs must fail the caller's check, not
// stop it. Returns the answer, 0 when there was none.
LRESULT send(HWND window, UINT message, WPARAM wparam = 0, LPARAM lparam = 0);
// A control's text through WM_GETTEXT, which also reaches an edit control of another process.
std::wstring text_of(HWND window);

// Chooses the first entry of the window's menu bar: by its command where the menu can be read
// from another process (Windows), by a click on the menu bar where it cannot (Wine).
void choose_first_menu_entry(HWND window);

// Polls until the condition holds or the time is up, handling this thread's messages meanwhile:
// out-of-context win events reach their hook as such.
template <typename Condition>
bool wait_until(Condition condition, DWORD milliseconds = 15'000) {
    const ULONGLONG deadline = GetTickCount64() + milliseconds;
    while (!condition()) {
        for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);) {
            DispatchMessageW(&message);
        }
        if (GetTickCount64() > deadline) {
            return false;
        }
        Sleep(1);
    }
    return true;
}

}  // namespace remote
