#include "tests/support/remote_program.h"

#include <vector>

namespace remote {
namespace {

BOOL CALLBACK add_window(HWND window, LPARAM windows) {
    reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    return TRUE;
}

double elapsed_ms(LARGE_INTEGER since) {
    LARGE_INTEGER now;
    LARGE_INTEGER frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(now.QuadPart - since.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

}  // namespace

bool start_and_wait(const std::wstring& path, const wchar_t* window_class, const wchar_t* title,
                    RemoteProgram& program) {
    program = {};
    std::wstring command = L"\"" + path + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &program.process)) {
        return false;
    }
    CloseHandle(program.process.hThread);
    WaitForInputIdle(program.process.hProcess, 15'000);
    const DWORD id = program.process.dwProcessId;
    const bool shown = wait_until([&] {
        program.window = find_top_level(id, window_class, title);
        return program.window != nullptr;
    });
    // Shown is not yet usable: the program is ready once it waits for input again.
    WaitForInputIdle(program.process.hProcess, 15'000);
    program.startup_ms = elapsed_ms(start);
    if (!shown) {
        TerminateProcess(program.process.hProcess, 1);
        CloseHandle(program.process.hProcess);
        program.process = {};
    }
    return shown;
}

long close_and_wait(RemoteProgram& program) {
    if (!program.process.hProcess) {
        return -1;
    }
    PostMessageW(program.window, WM_CLOSE, 0, 0);
    long exit_code = -1;
    if (WaitForSingleObject(program.process.hProcess, 15'000) == WAIT_OBJECT_0) {
        DWORD code = 0;
        GetExitCodeProcess(program.process.hProcess, &code);
        exit_code = static_cast<long>(code);
    } else {
        TerminateProcess(program.process.hProcess, 1);
    }
    CloseHandle(program.process.hProcess);
    program.process = {};
    return exit_code;
}

std::vector<HWND> top_level_windows(DWORD process) {
    std::vector<HWND> windows;
    EnumWindows(&add_window, reinterpret_cast<LPARAM>(&windows));
    std::erase_if(windows, [process](HWND window) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        return owner != process || !IsWindowVisible(window);
    });
    return windows;
}

HWND find_top_level(DWORD process, const wchar_t* window_class, const wchar_t* title) {
    for (HWND window : top_level_windows(process)) {
        if (class_of(window) == window_class && text_of(window) == title) {
            return window;
        }
    }
    return nullptr;
}

std::vector<HWND> descendants(HWND window, bool visible_only) {
    std::vector<HWND> windows;
    EnumChildWindows(window, &add_window, reinterpret_cast<LPARAM>(&windows));
    if (visible_only) {
        std::erase_if(windows, [](HWND child) { return !IsWindowVisible(child); });
    }
    return windows;
}

std::wstring class_of(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

std::wstring text_of(HWND window) {
    wchar_t text[512] = {};
    SendMessageW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
    return text;
}

void choose_first_menu_entry(HWND window) {
    const UINT command = GetMenuItemID(GetMenu(window), 0);
    if (command != static_cast<UINT>(-1)) {
        PostMessageW(window, WM_COMMAND, MAKEWPARAM(command, 0), 0);
        return;
    }
    SetForegroundWindow(window);
    POINT client_origin{};
    ClientToScreen(window, &client_origin);
    // Two clicks in a row at one spot would make a double click, which the menu bar ignores.
    static int clicks = 0;
    const int shift = (clicks++ % 2) * 2 * GetSystemMetrics(SM_CXDOUBLECLK);
    SetCursorPos(client_origin.x + GetSystemMetrics(SM_CXMENUCHECK) + shift,
                 client_origin.y - GetSystemMetrics(SM_CYMENU) / 2);
    INPUT click[2] = {};
    click[0].type = click[1].type = INPUT_MOUSE;
    click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, click, sizeof(INPUT));
}

}  // namespace remote
