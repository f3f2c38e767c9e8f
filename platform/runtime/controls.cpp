#include "platform/runtime/controls.h"

#include <commctrl.h>

#include <string>

#include "platform/runtime/win32_check.h"

namespace rt {
namespace {

// Every control clips its siblings, so the stacking order decides what shows where they overlap.
constexpr DWORD kChild = WS_CHILD | WS_CLIPSIBLINGS;

struct ControlClass {
    const wchar_t* window_class;
    DWORD style;
    DWORD ex_style;
};

ControlClass control_class(const ControlDef& control) {
    switch (control.kind) {
        case ControlKind::TabStrip:
            return {WC_TABCONTROLW, kChild | WS_TABSTOP, 0};
        case ControlKind::PictureBox:
            return {kPanelClass, kChild | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
        case ControlKind::Label: {
            const DWORD align = (control.flags & kCentred)        ? SS_CENTER
                                : (control.flags & kRightAligned) ? SS_RIGHT
                                                                  : SS_LEFT;
            return {L"STATIC", kChild | SS_NOPREFIX | align, 0};
        }
        case ControlKind::TextBox:
            return {L"EDIT", kChild | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
        case ControlKind::CommandButton:
            return {L"BUTTON", kChild | WS_TABSTOP | BS_PUSHBUTTON, 0};
        case ControlKind::UpDown:
            return {UPDOWN_CLASSW, kChild | UDS_SETBUDDYINT | UDS_NOTHOUSANDS | UDS_ARROWKEYS, 0};
    }
    return {L"STATIC", kChild, 0};
}

}  // namespace

void register_window_classes(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSEXW form{};
    if (GetClassInfoExW(instance, kFormClass, &form)) {
        return;
    }
    form.cbSize = sizeof form;
    form.lpfnWndProc = procedure;
    form.hInstance = instance;
    form.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    form.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    form.lpszClassName = kFormClass;
    check(RegisterClassExW(&form), L"register the form window class");

    WNDCLASSEXW panel = form;
    panel.hbrBackground = nullptr;  // painted in the panel's own colour
    panel.lpszClassName = kPanelClass;
    check(RegisterClassExW(&panel), L"register the panel window class");
}

HWND create_control_window(const ControlDef& control, HWND parent, HINSTANCE instance, void* form) {
    const ControlClass kind = control_class(control);
    const DWORD visible = (control.flags & kHidden) ? 0 : WS_VISIBLE;
    const std::wstring content(control.content);
    return CreateWindowExW(kind.ex_style, kind.window_class, content.c_str(), kind.style | visible,
                           0, 0, 0, 0, parent, nullptr, instance,
                           control.kind == ControlKind::PictureBox ? form : nullptr);
}

bool takes_focus(ControlKind kind) noexcept {
    return kind == ControlKind::TabStrip || kind == ControlKind::TextBox ||
           kind == ControlKind::CommandButton;
}

void add_tabs(HWND tab_strip, std::span<const std::wstring_view> captions) {
    int index = 0;
    for (std::wstring_view caption : captions) {
        std::wstring text(caption);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text.data();
        if (SendMessageW(tab_strip, TCM_INSERTITEMW, index, reinterpret_cast<LPARAM>(&item)) < 0) {
            throw_last_error(L"add the tab " + text);
        }
        ++index;
    }
    SendMessageW(tab_strip, TCM_SETCURSEL, 0, 0);
}

void bind_updown(HWND updown, HWND buddy, const UpDownDef& binding) {
    SendMessageW(updown, UDM_SETRANGE32, binding.minimum, binding.maximum);
    SendMessageW(updown, UDM_SETPOS32, 0, binding.start);
    UDACCEL step{0, static_cast<UINT>(binding.increment)};
    SendMessageW(updown, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&step));
    SendMessageW(updown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
}

}  // namespace rt
