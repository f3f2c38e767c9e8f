#include "remote/remote_process.h"

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

bool has_ended(HANDLE process) {
    return WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
}

}  // namespace

bool start_and_wait(const std::wstring& path, std::wstring_view title, RemoteProgram& program) {
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
    const HANDLE process = program.process.hProcess;
    const DWORD id = program.process.dwProcessId;
    // Waiting for input idle blocks where a bare poll would compete with the starting program
    // for the processor and for Wine's server.
    wait_until([&] {
        WaitForInputIdle(process, 1'000);
        program.window = find_top_level(id, title);
        return program.window != nullptr || has_ended(process);
    });
    if (program.window) {
        // Shown is not yet started: the program may still be in its start-up code, its window
        // unpainted.
        wait_until_idle(program);
        program.startup_ms = elapsed_ms(start);
        return true;
    }
    TerminateProcess(process, 1);
    CloseHandle(process);
    program.process = {};
    return false;
}

void wait_until_idle(const RemoteProgram& program) {
    // The program answers a sent message only once it reads its messages; then Wine signals
    // input idle only while it waits on an empty queue (Windows signals it once, at the first
    // wait, which the answered message has already passed).
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(program.window, WM_NULL, 0, 0, SMTO_NORMAL, 15'000, &answer);
    WaitForInputIdle(program.process.hProcess, 15'000);
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

HWND find_top_level(DWORD process, std::wstring_view title_start, HWND except) {
    std::vector<HWND> windows;
    EnumWindows(&add_window, reinterpret_cast<LPARAM>(&windows));
    for (HWND window : windows) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != process || window == except || !IsWindowVisible(window)) {
            continue;
        }
        // GetWindowText reads another process's title without sending it a message, so the
        // search does not interrupt a program that is still starting.
        wchar_t title[256] = {};
        GetWindowTextW(window, title, 256);
        if (std::wstring_view(title).starts_with(title_start)) {
            return window;
        }
    }
    return nullptr;
}

std::vector<HWND> visible_descendants(HWND window) {
    std::vector<HWND> windows;
    EnumChildWindows(window, &add_window, reinterpret_cast<LPARAM>(&windows));
    std::erase_if(windows, [](HWND child) { return !IsWindowVisible(child); });
    return windows;
}

bool has_class(HWND window, std::wstring_view window_class) {
    wchar_t name[64] = {};
    const int length = GetClassNameW(window, name, 64);
    return CompareStringOrdinal(name, length, window_class.data(),
                                static_cast<int>(window_class.size()), TRUE) == CSTR_EQUAL;
}

std::wstring text_of(HWND window) {
    wchar_t text[512] = {};
    DWORD_PTR length = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 5'000,
                        &length);
    return text;
}

LRESULT send(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, message, wparam, lparam, SMTO_ABORTIFHUNG, 5'000, &result);
    return static_cast<LRESULT>(result);
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
