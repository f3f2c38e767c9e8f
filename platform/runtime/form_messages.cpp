// The window procedures of forms, panels and controls: Win32 messages become events.
#include "platform/runtime/form.h"

#include <commctrl.h>

#include <string>

#include "core/runtime_error.h"
#include "platform/runtime/accessible_name.h"
#include "platform/runtime/application.h"
#include "platform/runtime/controls.h"
#include "platform/runtime/form_detail.h"

namespace rt {

using detail::named;

LRESULT CALLBACK Form::window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
        auto* form = static_cast<Form*>(create->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
        if (form && !form->window_) {
            form->window_ = window;  // the top-level window; panels are created later
        }
    }
    auto* form = reinterpret_cast<Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!form) {
        return DefWindowProcW(window, message, wparam, lparam);
    }
    return form->on_message(window, message, wparam, lparam);
}

LRESULT Form::on_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    const bool is_form = window == window_;
    switch (message) {
        case WM_COMMAND:
            if (on_command(wparam, lparam)) {
                return 0;
            }
            break;
        case WM_NOTIFY:
            on_notify(*reinterpret_cast<const NMHDR*>(lparam));
            return 0;
        case WM_CTLCOLORSTATIC:
            return on_ctlcolor(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam));
        case WM_SETCURSOR:
            if (on_setcursor(reinterpret_cast<HWND>(wparam), lparam)) {
                return TRUE;
            }
            break;
        case WM_ERASEBKGND:
            if (!is_form) {
                RECT area;
                GetClientRect(window, &area);
                FillRect(reinterpret_cast<HDC>(wparam), &area, background_brush(window));
                return 1;
            }
            break;
        case WM_KEYDOWN:
            if (wparam == VK_TAB) {
                move_focus(GetFocus(), GetKeyState(VK_SHIFT) >= 0);
                return 0;
            }
            break;
        case WM_ACTIVATE:
            if (is_form) {
                on_activate(wparam);
                return 0;
            }
            break;
        case WM_DPICHANGED:
            if (is_form) {
                apply_dpi(HIWORD(wparam));
                const auto* suggested = reinterpret_cast<const RECT*>(lparam);
                SetWindowPos(window_, nullptr, suggested->left, suggested->top, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
                return 0;
            }
            break;
        case WM_CLOSE:
            if (is_form) {
                unload();
                return 0;
            }
            break;
        case kShowPendingError:
            if (is_form) {
                app_.show_pending_error(window_);
                return 0;
            }
            break;
        case WM_NCDESTROY:
            if (is_form) {
                window_ = nullptr;
                controls_.clear();
                fonts_.clear();
                last_focus_ = nullptr;
            }
            break;
        default:
            break;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

bool Form::on_command(WPARAM wparam, LPARAM lparam) {
    if (lparam == 0 && HIWORD(wparam) == 0) {
        const UINT index = LOWORD(wparam) - detail::kFirstMenuId;
        if (index < definition_.menu.size()) {
            raise(definition_.menu[index].name, Event::Click);
            return true;
        }
        return false;
    }
    const Control* control = find(reinterpret_cast<HWND>(lparam));
    if (control && control->def->kind == ControlKind::CommandButton &&
        HIWORD(wparam) == BN_CLICKED) {
        raise(control->def->name, Event::Click);
        return true;
    }
    return false;
}

void Form::on_notify(const NMHDR& header) {
    const Control* control = find(header.hwndFrom);
    if (!control || control->def->kind != ControlKind::TabStrip) {
        return;
    }
    if (header.code == TCN_SELCHANGE) {
        tab_changed_by_press_ = true;
        raise(control->def->name, Event::Click);
    } else if (header.code == NM_CLICK && !tab_changed_by_press_) {
        // A click on the tab that is already selected changes nothing but is still a click.
        TCHITTESTINFO hit{};
        const DWORD position = GetMessagePos();
        hit.pt = {static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
        ScreenToClient(control->window, &hit.pt);
        if (SendMessageW(control->window, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)) >= 0) {
            raise(control->def->name, Event::Click);
        }
    }
}

LRESULT Form::on_ctlcolor(HDC dc, HWND window) {
    const Control* control = find(window);
    HWND container = control && !control->def->container.empty()
                         ? container_window(control->def->container)
                         : window_;
    const HBRUSH background = background_brush(container);
    if (control && (control->def->flags & kTransparent)) {
        SetBkMode(dc, TRANSPARENT);
    } else {
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    }
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    return reinterpret_cast<LRESULT>(background);
}

bool Form::on_setcursor(HWND under_mouse, LPARAM lparam) {
    const Control* control = find(under_mouse);
    if (control && (control->def->flags & kHandPointer) && LOWORD(lparam) == HTCLIENT) {
        SetCursor(app_.hand_cursor());
        return true;
    }
    return false;
}

void Form::on_activate(WPARAM wparam) {
    if (LOWORD(wparam) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (focus && IsChild(window_, focus)) {
            last_focus_ = focus;
        }
        return;
    }
    if (last_focus_ && IsWindow(last_focus_) && IsWindowVisible(last_focus_)) {
        SetFocus(last_focus_);
    } else if (!IsIconic(window_)) {
        focus_first();
    }
}

LRESULT CALLBACK Form::control_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                    UINT_PTR, DWORD_PTR form_pointer) {
    auto* form = reinterpret_cast<Form*>(form_pointer);
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, &Form::control_proc, 0);
        return DefSubclassProc(window, message, wparam, lparam);
    }
    const Control* control = form->find(window);
    if (!control) {
        return DefSubclassProc(window, message, wparam, lparam);
    }
    return form->on_control_message(*control, message, wparam, lparam);
}

LRESULT Form::on_control_message(const Control& control, UINT message, WPARAM wparam,
                                 LPARAM lparam) {
    const HWND window = control.window;
    const ControlKind kind = control.def->kind;
    switch (message) {
        case WM_KEYDOWN:
            if (wparam == VK_TAB && takes_focus(kind)) {
                move_focus(window, GetKeyState(VK_SHIFT) >= 0);
                return 0;
            }
            break;
        case WM_CHAR:
            if (kind == ControlKind::TextBox) {
                EventArgs args{static_cast<std::int16_t>(static_cast<std::uint16_t>(wparam))};
                if (raise(control.def->name, Event::KeyPress, args)) {
                    if (args.KeyAscii == 0) {
                        return 0;
                    }
                    wparam = static_cast<std::uint16_t>(args.KeyAscii);
                }
            }
            break;
        case WM_KILLFOCUS:
            if (kind == ControlKind::TextBox) {
                const std::wstring name(control.def->name);
                const LRESULT result = DefSubclassProc(window, message, wparam, lparam);
                // Only a move to another control of this form is a focus loss for the field;
                // a message box, another window or another program taking over is not.
                if (focus_stays_in_form(reinterpret_cast<HWND>(wparam))) {
                    raise(name, Event::LostFocus);
                }
                return result;
            }
            break;
        case WM_GETOBJECT:
            if (static_cast<LONG>(lparam) == OBJID_CLIENT && definition_.accessible_name) {
                const std::wstring_view name = definition_.accessible_name(control.def->name);
                if (!name.empty()) {
                    if (const LRESULT object = accessible_object_with_name(window, wparam, name)) {
                        return object;
                    }
                }
            }
            break;
        case WM_LBUTTONDOWN:
            if (kind == ControlKind::TabStrip) {
                tab_changed_by_press_ = false;
            }
            break;
        default:
            break;
    }
    return DefSubclassProc(window, message, wparam, lparam);
}

}  // namespace rt
