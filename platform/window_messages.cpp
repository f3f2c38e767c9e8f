// How messages reach a window's handlers: the window and control procedures, focus and Tab, the
// up-downs' focus frame, modal showing and the message loops. Creation and layout are in
// window.cpp.
#include "platform/window.h"

#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <type_traits>
#include <utility>

#include "platform/error_box.h"
#include "platform/screen_reader.h"

namespace platform {
namespace {

// Waits for the next message and delivers it; false once WM_QUIT arrives, with its exit code.
// Only WM_QUIT (0) ends a loop: an error (-1, as when another program sent a message too large to
// copy) loses that one message, not the program.
bool deliver_next_message(int& exit_code) {
    MSG message{};
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) {
        exit_code = static_cast<int>(message.wParam);
        return false;
    }
    if (got > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return true;
}

}  // namespace

// --- modal windows -------------------------------------------------------------------------------

// Posted to a window to bring its enabled state back in line with what stands over it.
constexpr UINT kApplyInputRule = WM_APP + 2;

bool Window::takes_input() const {
    return !modal_ && !error_box_over(window_);
}

void Window::apply_input_rule() {
    if (window_) {
        EnableWindow(window_, takes_input());
    }
}

void Window::show_modal(Window& owner) {
    open(owner.window_);
    modal_owner_ = &owner;
    owner.modal_ = this;
    owner.apply_input_rule();
    show();
    int exit_code = 0;
    while (is_open()) {
        if (!deliver_next_message(exit_code)) {
            PostQuitMessage(exit_code);  // for the loop outside
            break;
        }
    }
}

void Window::close() {
    if (!window_) {
        return;
    }
    // The input goes back before the window goes, so that the owner is the one activated.
    if (Window* owner = std::exchange(modal_owner_, nullptr)) {
        owner->modal_ = nullptr;
        owner->apply_input_rule();
    }
    DestroyWindow(window_);
}

// --- messages ------------------------------------------------------------------------------------

const ControlRow* Window::row_of(HWND window) const noexcept {
    const int id = GetDlgCtrlID(window) - kFirstControlId;
    return window && control(id) == window ? &layout_.controls[static_cast<std::size_t>(id)]
                                           : nullptr;
}

void Window::move_focus(HWND from, bool forward) {
    std::vector<const ControlRow*> order;
    for (const ControlRow& row : layout_.controls) {
        const HWND control = controls_[row.id];
        if (takes_focus(row.kind) && IsWindowVisible(control) && IsWindowEnabled(control)) {
            order.push_back(&row);
        }
    }
    if (order.empty()) {
        return;
    }
    std::sort(order.begin(), order.end(),
              [](const ControlRow* a, const ControlRow* b) { return a->tab_index < b->tab_index; });
    const ControlRow* current = nullptr;
    for (HWND w = from; w && w != window_ && !current; w = GetParent(w)) {
        current = row_of(w);
    }
    const ControlRow* target = forward ? order.front() : order.back();
    if (current && forward) {
        const auto next = std::find_if(order.begin(), order.end(), [&](const ControlRow* row) {
            return row->tab_index > current->tab_index;
        });
        target = next != order.end() ? *next : order.front();
    } else if (current) {
        const auto previous = std::find_if(
            order.rbegin(), order.rend(),
            [&](const ControlRow* row) { return row->tab_index < current->tab_index; });
        target = previous != order.rend() ? *previous : order.back();
    }
    const HWND control = controls_[target->id];
    SetFocus(control);
    if (target->kind == Kind::TextBox) {
        SendMessageW(control, EM_SETSEL, 0, -1);
    }
}

LRESULT CALLBACK Window::window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    // Only the window's own creation: another program can send WM_NCCREATE too.
    if (message == WM_NCCREATE && !GetWindowLongPtrW(window, GWLP_USERDATA)) {
        auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        if (!self->window_) {
            self->window_ = window;  // the window itself; its panels come later
        }
    }
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return self ? self->on_message(window, message, wparam, lparam)
                : DefWindowProcW(window, message, wparam, lparam);
}

LRESULT Window::on_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    const bool itself = window == window_;
    switch (message) {
        case WM_COMMAND: {
            const int id = LOWORD(wparam) - kFirstControlId;
            const ControlRow* row = row_of(reinterpret_cast<HWND>(lparam));
            const bool menu_entry =
                lparam == 0 && HIWORD(wparam) == 0 &&
                std::any_of(layout_.menu.begin(), layout_.menu.end(),
                            [id](const MenuEntry& entry) { return entry.id == id; });
            if (menu_entry || (row && row->kind == Kind::Button && HIWORD(wparam) == BN_CLICKED)) {
                guarded([this, id] { on_click(id); });
                return 0;
            }
            break;
        }
        case WM_NOTIFY: {
            // Any program can post this message with any pointer: the sender's id is taken from
            // wparam and the tab strip's selection read from the control itself.
            const ControlRow* row = row_of(GetDlgItem(window, static_cast<int>(wparam)));
            if (row && row->kind == Kind::Tabs) {
                const int selected =
                    static_cast<int>(SendMessageW(controls_[row->id], TCM_GETCURSEL, 0, 0));
                if (selected != std::exchange(selected_tab_, selected)) {
                    guarded([this, row] { on_click(row->id); });
                }
            }
            return 0;
        }
        case WM_CTLCOLORSTATIC: {
            const auto dc = reinterpret_cast<HDC>(wparam);
            const ControlRow* row = row_of(reinterpret_cast<HWND>(lparam));
            const bool on_panel = row && row->container != kOnWindow;
            if (row && (row->settings & kTransparent)) {
                SetBkMode(dc, TRANSPARENT);
            } else {
                SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
            }
            SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
            return reinterpret_cast<LRESULT>(
                GetSysColorBrush(on_panel ? COLOR_WINDOW : COLOR_BTNFACE));
        }
        case WM_SETCURSOR: {
            const ControlRow* row = row_of(reinterpret_cast<HWND>(wparam));
            if (row && (row->settings & kHandPointer) && LOWORD(lparam) == HTCLIENT) {
                // The program's own pointing hand; the system's if the resource is missing.
                HANDLE hand = LoadImageW(GetModuleHandleW(nullptr), L"HAND", IMAGE_CURSOR, 0, 0,
                                         LR_DEFAULTSIZE | LR_SHARED);
                SetCursor(hand ? static_cast<HCURSOR>(hand) : LoadCursorW(nullptr, IDC_HAND));
                return TRUE;
            }
            break;
        }
        case WM_ACTIVATE:
            if (!itself) {
                break;
            }
            // Back to the control last used. It is the one that last had the focus, not the one
            // at the last deactivation: Wine does not deactivate a window it minimises.
            if (LOWORD(wparam) != WA_INACTIVE) {
                if (last_focus_ && IsWindowVisible(last_focus_)) {
                    SetFocus(last_focus_);
                } else if (!IsIconic(window_)) {
                    move_focus(nullptr, true);
                }
            }
            return 0;
        case WM_ENABLE:
            if (itself && (wparam != 0) != takes_input()) {
                if (modal_) {
                    // At once, so that the modal window stays the one activated.
                    EnableWindow(window_, FALSE);
                } else {
                    // A message box gives its owner the input back just before it goes: decide
                    // once it has.
                    PostMessageW(window_, kApplyInputRule, 0, 0);
                }
            }
            break;
        case kApplyInputRule:
            apply_input_rule();
            return 0;
        case WM_SETTINGCHANGE:
            // Which setting changed is not read: lparam may point anywhere when another program
            // posts this message.
            if (itself) {
                guarded([this] { on_settings_changed(); });
            }
            break;
        case WM_DPICHANGED:
            // Scaled about its centre, without the suggested rectangle: another program can post
            // this message with any pointer.
            if (itself && LOWORD(wparam) == HIWORD(wparam) &&
                HIWORD(wparam) >= USER_DEFAULT_SCREEN_DPI / 2 &&
                HIWORD(wparam) <= USER_DEFAULT_SCREEN_DPI * 8) {
                RECT before{};
                GetWindowRect(window_, &before);
                apply_dpi(HIWORD(wparam));
                RECT after{};
                GetWindowRect(window_, &after);
                SetWindowPos(window_, nullptr,
                             (before.left + before.right - (after.right - after.left)) / 2,
                             (before.top + before.bottom - (after.bottom - after.top)) / 2, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
                return 0;
            }
            break;
        case WM_CLOSE:
            if (itself) {
                close();
                return 0;
            }
            break;
        case kShowPendingError: {
            // Over the modal window shown over this one, if any: the user then closes the box
            // first, never the modal window under it.
            Window* owner = this;
            while (owner->modal_) {
                owner = owner->modal_;
            }
            show_pending_error(owner->window_);
            owner->apply_input_rule();
            return 0;
        }
        case WM_NCDESTROY:
            if (itself) {
                window_ = nullptr;
                if (Window* owner = std::exchange(modal_owner_, nullptr)) {
                    owner->modal_ = nullptr;
                    owner->apply_input_rule();
                }
                selected_tab_ = 0;
                last_focus_ = nullptr;
                controls_.clear();
                release_fonts();
                on_closed();
            }
            break;
        default:
            break;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

LRESULT CALLBACK Window::control_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                      UINT_PTR, DWORD_PTR self_pointer) {
    auto* self = reinterpret_cast<Window*>(self_pointer);
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, &Window::control_proc, 0);
    } else if (const ControlRow* row = self->window_ ? self->row_of(window) : nullptr) {
        return self->on_control_message(*row, window, message, wparam, lparam);
    }
    return DefSubclassProc(window, message, wparam, lparam);
}

LRESULT Window::on_control_message(const ControlRow& row, HWND window, UINT message, WPARAM wparam,
                                   LPARAM lparam) {
    const std::optional<core::FieldId> field =
        row.kind == Kind::TextBox ? row.content.field : std::nullopt;
    switch (message) {
        case WM_KEYDOWN:
            if (wparam == VK_TAB) {
                move_focus(window, GetKeyState(VK_SHIFT) >= 0);
                return 0;
            }
            break;
        case WM_CHAR:
            if (field) {
                auto code = static_cast<std::int16_t>(static_cast<std::uint16_t>(wparam));
                guarded([&] { on_field_key(*field, code); });
                if (code == 0) {
                    return 0;
                }
                wparam = static_cast<std::uint16_t>(code);
            }
            break;
        case WM_KILLFOCUS:
            if (field) {
                const LRESULT result = DefSubclassProc(window, message, wparam, lparam);
                // Only a move to another control of this window is a focus loss for the field; a
                // message box, another window or another program taking over is not.
                const auto next = reinterpret_cast<HWND>(wparam);
                if (next && IsChild(window_, next)) {
                    guarded([&] { on_field_left(*field); });
                }
                return result;
            }
            if (row.kind == Kind::UpDown) {
                InvalidateRect(window, nullptr, TRUE);
            }
            break;
        case WM_SETFOCUS:
            last_focus_ = window;
            if (row.kind == Kind::UpDown) {
                InvalidateRect(window, nullptr, TRUE);
            }
            break;
        case WM_PAINT:
            // An up-down draws no focus cue of its own: a dotted frame inside its arrows shows it.
            if (row.kind == Kind::UpDown && GetFocus() == window) {
                const LRESULT result = DefSubclassProc(window, message, wparam, lparam);
                RECT area{};
                GetClientRect(window, &area);
                InflateRect(&area, -2, -2);
                const HDC dc = GetDC(window);
                DrawFocusRect(dc, &area);
                ReleaseDC(window, dc);
                return result;
            }
            break;
        case WM_GETOBJECT:
            // Both a field and its up-down answer with the field's name (screen_reader.h).
            if (row.content.field && static_cast<LONG>(lparam) == OBJID_CLIENT) {
                if (const LRESULT object = accessible_object_with_name(
                        window, wparam, core::field_rule(*row.content.field).display_name)) {
                    return object;
                }
            }
            break;
        default:
            break;
    }
    return DefSubclassProc(window, message, wparam, lparam);
}

// --- the message loop ----------------------------------------------------------------------------

namespace {

// A pointer is only ever sent: one that another program posts points nowhere in this one. The
// system refuses to post its own messages that carry one, but not a common control's
// (TCM_GETITEMW, UDM_GETRANGE32, ...), and no control is ever posted those. Every loop on this
// thread, a message box's too, gives them to a control as WM_NULL. Other windows keep them:
// COM's calls come to its own window as posted WM_USER messages.
LRESULT CALLBACK drop_posted_pointers(int code, WPARAM removed, LPARAM message) {
    MSG& posted = *reinterpret_cast<MSG*>(message);
    const bool control_message = posted.message >= WM_USER && posted.message < WM_APP;
    if (code == HC_ACTION && control_message &&
        (GetWindowLongW(posted.hwnd, GWL_STYLE) & WS_CHILD)) {
        posted.message = WM_NULL;
    }
    return CallNextHookEx(nullptr, code, removed, message);
}

}  // namespace

int run_message_loop() {
    const std::unique_ptr<std::remove_pointer_t<HHOOK>, decltype(&UnhookWindowsHookEx)> hook(
        SetWindowsHookExW(WH_GETMESSAGE, drop_posted_pointers, nullptr, GetCurrentThreadId()),
        UnhookWindowsHookEx);
    int exit_code = 0;
    while (deliver_next_message(exit_code)) {
    }
    return exit_code;
}

}  // namespace platform
