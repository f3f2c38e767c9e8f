// The control properties that event procedures read and write, each call checked.
#include "platform/runtime/form.h"

#include <commctrl.h>

#include <string>

#include "core/runtime_error.h"
#include "platform/runtime/application.h"
#include "platform/runtime/form_detail.h"

namespace rt {

using detail::named;

WindowHandle Form::hWnd() const {
    if (!window_) {
        throw core::RuntimeError::control_call(named(L"read the window of", definition_.name),
                                               ERROR_INVALID_WINDOW_HANDLE);
    }
    return reinterpret_cast<WindowHandle>(window_);
}

std::wstring Form::text(std::wstring_view name) const {
    const HWND window = find(name).window;
    const std::wstring operation = named(L"read the text of", name);
    SetLastError(ERROR_SUCCESS);
    const int length = GetWindowTextLengthW(window);
    if (length == 0 && GetLastError() != ERROR_SUCCESS) {
        throw_last_error(operation);
    }
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SetLastError(ERROR_SUCCESS);
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    if (copied == 0 && GetLastError() != ERROR_SUCCESS) {
        throw_last_error(operation);
    }
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

void Form::set_text(std::wstring_view name, std::wstring_view text) {
    const std::wstring value(text);
    check(SetWindowTextW(find(name).window, value.c_str()), named(L"set the text of", name));
}

void Form::set_caption(std::wstring_view name, std::wstring_view caption) {
    const std::wstring value(caption);
    check(SetWindowTextW(find(name).window, value.c_str()), named(L"set the caption of", name));
}

void Form::set_visible(std::wstring_view name, bool visible) {
    const HWND window = find(name).window;
    if (!IsWindow(window)) {
        throw core::RuntimeError::control_call(named(L"show or hide", name),
                                               ERROR_INVALID_WINDOW_HANDLE);
    }
    const HWND focus = GetFocus();
    const bool loses_focus = !visible && focus && (focus == window || IsChild(window, focus));
    ShowWindow(window, visible ? SW_SHOWNA : SW_HIDE);
    // A hidden control must not keep the keyboard: the focus moves on in tab order, and a
    // field losing it this way goes through its LostFocus like any other.
    if (loses_focus) {
        move_focus(focus, true);
    }
}

int Form::selected_tab(std::wstring_view name) const {
    const Control& control = find(name);
    return static_cast<int>(SendMessageW(control.window, TCM_GETCURSEL, 0, 0)) + 1;
}

Application& Form::app() {
    return app_;
}

}  // namespace rt
