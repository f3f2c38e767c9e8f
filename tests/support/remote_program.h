#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace remote {

// Driving a program of our own from another process, as a user would: the user session test and
// the benchmark use it.

// A program started from here, with its main window once shown.
struct RemoteProgram {
    PROCESS_INFORMATION process{};
    HWND window = nullptr;
    double startup_ms = 0;  // from CreateProcess to the window shown and the program idle
};

// Starts the program and waits until a visible top-level window of its own with this class and
// title is there and the program waits for input. Returns false (and ends the program) on failure.
bool start_and_wait(const std::wstring& path, const wchar_t* window_class, const wchar_t* title,
                    RemoteProgram& program);
// Closes the main window as the user would and waits for the process to end; returns its exit
// code, or -1 when it had to be ended by force.
long close_and_wait(RemoteProgram& program);

// The visible top-level windows of the process.
std::vector<HWND> top_level_windows(DWORD process);
// The visible top-level window of the process with this class and title, or nullptr.
HWND find_top_level(DWORD process, const wchar_t* window_class, const wchar_t* title);
// Every descendant of the window (all of them, or only those visible).
std::vector<HWND> descendants(HWND window, bool visible_only);
// A window's class name and text; the text through WM_GETTEXT, which works across processes.
std::wstring class_of(HWND window);
std::wstring text_of(HWND window);

// Chooses the first entry of the window's menu bar: by its command where the menu can be read
// from another process (Windows), by a click on the menu bar where it cannot (Wine).
void choose_first_menu_entry(HWND window);

// Polls until the condition holds or the time is up.
template <typename Condition>
bool wait_until(Condition condition, DWORD milliseconds = 15'000) {
    const ULONGLONG deadline = GetTickCount64() + milliseconds;
    while (!condition()) {
        if (GetTickCount64() > deadline) {
            return false;
        }
        Sleep(1);
    }
    return true;
}

}  // namespace remote
