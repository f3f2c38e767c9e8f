#pragma once

// The least a Win32 program does to show a window of Quenlow's size and run a message loop:
// the floor both of the start-up comparison and of the size figures.
#include <windows.h>

namespace bench {

inline LRESULT CALLBACK bare_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

// Shows the window and returns when it is closed.
inline int run_bare_window(HINSTANCE instance, const wchar_t* title, int show) {
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = &bare_window_proc;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    window_class.lpszClassName = L"MinimalWindow";
    if (!RegisterClassExW(&window_class)) {
        return 1;
    }
    // Quenlow's client area at 96 DPI, 528 x 321 pixels.
    RECT frame{0, 0, 528, 321};
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    AdjustWindowRect(&frame, style, FALSE);
    const HWND window = CreateWindowExW(
        0, window_class.lpszClassName, title, style, CW_USEDEFAULT, CW_USEDEFAULT,
        frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    if (!window) {
        return 1;
    }
    ShowWindow(window, show);
    UpdateWindow(window);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace bench
