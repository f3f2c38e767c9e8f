#include "tests/support/gui_test_support.h"

#include <cstdio>
#include <cstdlib>

namespace gui_test {
namespace {

std::function<void(HWND)>* g_on_activate = nullptr;

}  // namespace

void pump_messages() {
    MSG message;
    for (int round = 0; round < 4; ++round) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

std::wstring window_text(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), length + 1)));
    return text;
}

RECT rect_in_parent(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    if (const HWND parent = GetAncestor(window, GA_PARENT);
        parent && parent != GetDesktopWindow()) {
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    }
    return rect;
}

namespace {

void post_key(UINT message, WORD virtual_key) {
    const UINT scan = MapVirtualKeyW(virtual_key, MAPVK_VK_TO_VSC);
    LPARAM lparam = 1 | (static_cast<LPARAM>(scan) << 16);
    if (message == WM_KEYUP) {
        lparam |= (1LL << 30) | (1LL << 31);
    }
    PostMessageW(GetFocus(), message, virtual_key, lparam);
}

void set_shift(bool down) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = down ? 0x80 : 0;
    keys[VK_LSHIFT] = down ? 0x80 : 0;
    SetKeyboardState(keys);
}

}  // namespace

void press_key(WORD virtual_key, bool shift) {
    set_shift(shift);
    post_key(WM_KEYDOWN, virtual_key);
    pump_messages();
    post_key(WM_KEYUP, virtual_key);
    pump_messages();
    set_shift(false);
}

void type_char(wchar_t character) {
    PostMessageW(GetFocus(), WM_CHAR, character, 1);
    pump_messages();
}

void click(HWND window, POINT at) {
    const LPARAM position = MAKELPARAM(at.x, at.y);
    // The cursor is where the click is, as GetMessagePos reports to notification handlers.
    POINT screen = at;
    ClientToScreen(window, &screen);
    SetCursorPos(screen.x, screen.y);
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, position);
    PostMessageW(window, WM_LBUTTONUP, 0, position);
    pump_messages();
}

void click_centre(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    click(window, POINT{client.right / 2, client.bottom / 2});
}

ActivationWatcher::ActivationWatcher(std::function<void(HWND)> on_activate) {
    g_on_activate = new std::function<void(HWND)>(std::move(on_activate));
    hook_ = SetWindowsHookExW(WH_CBT, &ActivationWatcher::hook, nullptr, GetCurrentThreadId());
}

ActivationWatcher::~ActivationWatcher() {
    UnhookWindowsHookEx(hook_);
    delete g_on_activate;
    g_on_activate = nullptr;
}

LRESULT CALLBACK ActivationWatcher::hook(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HCBT_ACTIVATE && g_on_activate) {
        (*g_on_activate)(reinterpret_cast<HWND>(wparam));
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
}

std::wstring message_box_text(HWND box) {
    std::wstring text;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t class_name[32] = {};
        GetClassNameW(child, class_name, 32);
        if (lstrcmpiW(class_name, L"Static") == 0) {
            const std::wstring part = window_text(child);
            if (!part.empty()) {
                text += (text.empty() ? L"" : L"\n") + part;
            }
        }
    }
    return text;
}

std::wstring save_screenshot(HWND window, const std::wstring& name) {
    const wchar_t* directory = _wgetenv(L"QUENLOW_SCREENSHOT_DIR");
    if (!directory || !*directory) {
        return {};
    }
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    pump_messages();
    RECT rect{};
    GetWindowRect(window, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    GdiFlush();
    const int stride = ((width * 3) + 3) & ~3;
    const DWORD image_size = static_cast<DWORD>(stride * height);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    file.bfSize = file.bfOffBits + image_size;
    info.bmiHeader.biSizeImage = image_size;
    const std::wstring path = std::wstring(directory) + L"\\" + name + L".bmp";
    if (FILE* out = _wfopen(path.c_str(), L"wb")) {
        fwrite(&file, sizeof file, 1, out);
        fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out);
        fwrite(bits, 1, image_size, out);
        fclose(out);
    }
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return path;
}

}  // namespace gui_test
