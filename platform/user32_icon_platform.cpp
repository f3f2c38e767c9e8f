#include "platform/user32_icon_platform.h"

#include "core/runtime_error.h"

namespace platform {

static_assert(kGwOwner == GW_OWNER);
static_assert(kSmCxIcon == SM_CXICON && kSmCyIcon == SM_CYICON);
static_assert(kSmCxSmIcon == SM_CXSMICON && kSmCySmIcon == SM_CYSMICON);
static_assert(kImageIcon == IMAGE_ICON && kLrShared == LR_SHARED);
static_assert(kWmSetIcon == WM_SETICON && kIconBig == ICON_BIG && kIconSmall == ICON_SMALL);

namespace {

HWND to_hwnd(WindowHandle window) {
    return reinterpret_cast<HWND>(window);
}

}  // namespace

User32IconPlatform::User32IconPlatform()
    : instance_(GetModuleHandleW(nullptr)), instance_error_(instance_ ? 0 : GetLastError()) {}

User32IconPlatform::User32IconPlatform(HINSTANCE instance)
    : instance_(instance), instance_error_(instance ? 0 : ERROR_INVALID_HANDLE) {}

WindowHandle User32IconPlatform::get_window(WindowHandle window, unsigned command) {
    return reinterpret_cast<WindowHandle>(GetWindow(to_hwnd(window), command));
}

int User32IconPlatform::get_system_metrics(int index) {
    return GetSystemMetrics(index);
}

IconHandle User32IconPlatform::load_image(InstanceHandle instance,
                                          std::string_view name_in_system_code_page, unsigned type,
                                          int cx, int cy, unsigned flags) {
    // LoadImageA wants the name NUL-terminated.
    const std::string name(name_in_system_code_page);
    return reinterpret_cast<IconHandle>(
        LoadImageA(reinterpret_cast<HINSTANCE>(instance), name.c_str(), type, cx, cy, flags));
}

void User32IconPlatform::send_message(WindowHandle window, unsigned message, std::uintptr_t wparam,
                                      std::intptr_t lparam) {
    SendMessageA(to_hwnd(window), message, wparam, lparam);
}

InstanceHandle User32IconPlatform::app_instance() {
    if (instance_ == nullptr) {
        throw core::RuntimeError::control_call(L"read the module instance handle", instance_error_);
    }
    return reinterpret_cast<InstanceHandle>(instance_);
}

std::string User32IconPlatform::to_system_code_page(std::wstring_view text) {
    if (text.empty()) {
        return {};
    }
    // Characters the code page lacks become its default character, as in any "A" call.
    const int wide_length = static_cast<int>(text.size());
    const int length =
        WideCharToMultiByte(CP_ACP, 0, text.data(), wide_length, nullptr, 0, nullptr, nullptr);
    std::string converted(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), wide_length, converted.data(), length, nullptr,
                        nullptr);
    return converted;
}

}  // namespace platform
