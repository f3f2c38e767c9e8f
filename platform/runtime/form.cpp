#include "platform/runtime/form.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "core/runtime_error.h"
#include "platform/runtime/accessible_name.h"
#include "platform/runtime/application.h"
#include "platform/runtime/controls.h"
#include "platform/runtime/dpi.h"
#include "platform/runtime/twips.h"

namespace rt {
namespace {

constexpr UINT kFirstMenuId = 100;
constexpr DWORD kFixedSingleStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;

std::wstring named(std::wstring_view what, std::wstring_view control) {
    return std::wstring(what) + L" " + std::wstring(control);
}

DWORD form_style(const FormDef& definition) {
    return kFixedSingleStyle | (definition.minimise_button ? WS_MINIMIZEBOX : 0) |
           (definition.maximise_button ? WS_MAXIMIZEBOX : 0);
}

}  // namespace

Form::Form(Win32Application& app, const FormDef& definition) : app_(app), definition_(definition) {}

Form::~Form() {
    if (window_) {
        // The form object is going away with its window: no procedure may run for it now.
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

HWND Form::control(std::wstring_view name) const noexcept {
    for (const Control& control : controls_) {
        if (control.def->name == name) {
            return control.window;
        }
    }
    return nullptr;
}

void Form::load(HWND owner) {
    if (loaded()) {
        return;
    }
    register_window_classes(app_.instance(), &Form::window_proc);
    HMENU menu = nullptr;
    if (!definition_.menu.empty()) {
        menu = check(CreateMenu(), L"create the menu of " + std::wstring(definition_.name));
        UINT id = kFirstMenuId;
        for (const MenuDef& entry : definition_.menu) {
            const std::wstring caption(entry.caption);
            check(AppendMenuW(menu, MF_STRING, id++, caption.c_str()),
                  named(L"add the menu entry", entry.name));
        }
    }
    const std::wstring caption(definition_.caption);
    const HWND created = CreateWindowExW(
        WS_EX_CONTROLPARENT, kFormClass, caption.c_str(), form_style(definition_), CW_USEDEFAULT,
        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, menu, app_.instance(), this);
    if (!created) {
        const DWORD error = GetLastError();
        if (menu) {
            DestroyMenu(menu);
        }
        throw core::RuntimeError::control_call(named(L"create the window", definition_.name),
                                               error);
    }
    try {
        create_controls();
        apply_dpi(dpi_for_window(window_));
        centre_on_screen();
    } catch (...) {
        unload();
        throw;
    }
    raise(L"", Event::Load);
}

void Form::show() {
    load();
    if (!loaded()) {
        return;  // Load failed and unloaded the form
    }
    ShowWindow(window_, SW_SHOWNORMAL);
    SetForegroundWindow(window_);
    const HWND focus = GetFocus();
    if (focus != window_ && !IsChild(window_, focus)) {
        SetFocus(window_);
    }
    if (GetFocus() == window_) {
        focus_first();
    }
    UpdateWindow(window_);
}

void Form::show_modal(HWND owner) {
    if (!loaded()) {
        load(owner);
        if (!loaded()) {
            return;
        }
    } else {
        SetWindowLongPtrW(window_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    }
    disabled_by_modal_ = app_.disable_other_forms(*this);
    modal_ = true;
    show();
    MSG message;
    while (loaded()) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) {
                PostQuitMessage(static_cast<int>(message.wParam));  // for the outer loop
            }
            break;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    modal_ = false;
}

void Form::unload() {
    if (!window_) {
        return;
    }
    // Give the input back before the window goes, so the owner is the one activated.
    for (HWND window : disabled_by_modal_) {
        EnableWindow(window, TRUE);
    }
    disabled_by_modal_.clear();
    DestroyWindow(window_);
    app_.form_unloaded(*this);
}

void Form::apply_dpi(UINT dpi) {
    if (!window_) {
        return;
    }
    dpi_ = dpi;
    const int scale = static_cast<int>(dpi);
    set_client_size(twips_to_pixels(definition_.client_width, scale),
                    twips_to_pixels(definition_.client_height, scale));
    for (const Control& control : controls_) {
        const ControlDef& def = *control.def;
        check(SetWindowPos(control.window, nullptr, twips_to_pixels(def.left, scale),
                           twips_to_pixels(def.top, scale), twips_to_pixels(def.width, scale),
                           twips_to_pixels(def.height, scale), SWP_NOZORDER | SWP_NOACTIVATE),
              named(L"place the control", def.name));
        const float points = def.font_points > 0 ? def.font_points : definition_.font_points;
        SendMessageW(control.window, WM_SETFONT,
                     reinterpret_cast<WPARAM>(font(points, (def.flags & kBold) != 0)), TRUE);
    }
    // Fonts of another DPI are no longer used by any control.
    std::erase_if(fonts_, [&](const Font& f) {
        return std::none_of(controls_.begin(), controls_.end(), [&](const Control& c) {
            return reinterpret_cast<HFONT>(SendMessageW(c.window, WM_GETFONT, 0, 0)) ==
                   f.handle.get();
        });
    });
    InvalidateRect(window_, nullptr, TRUE);
}

void Form::set_client_size(int width, int height) {
    // The frame is measured rather than computed: it is whatever the system draws at the
    // window's current DPI, and a second pass catches a menu bar that changed its height.
    for (int pass = 0; pass < 2; ++pass) {
        RECT outer{};
        RECT client{};
        GetWindowRect(window_, &outer);
        GetClientRect(window_, &client);
        if (client.right == width && client.bottom == height) {
            return;
        }
        const int frame_width = (outer.right - outer.left) - client.right;
        const int frame_height = (outer.bottom - outer.top) - client.bottom;
        check(SetWindowPos(window_, nullptr, 0, 0, width + frame_width, height + frame_height,
                           SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE),
              named(L"size the window", definition_.name));
    }
}

HFONT Form::font(float points, bool bold) {
    const int height = font_pixel_height(points, static_cast<int>(dpi_));
    for (const Font& existing : fonts_) {
        if (existing.points == points && existing.bold == bold) {
            LOGFONTW current{};
            GetObjectW(existing.handle.get(), sizeof current, &current);
            if (current.lfHeight == height) {
                return existing.handle.get();
            }
        }
    }
    LOGFONTW description{};
    description.lfHeight = height;
    description.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    description.lfCharSet = ANSI_CHARSET;
    description.lfQuality = DEFAULT_QUALITY;
    definition_.font_name.copy(description.lfFaceName, LF_FACESIZE - 1);
    Font created{points, bold, {}};
    created.handle.reset(
        check(CreateFontIndirectW(&description), named(L"create the font of", definition_.name)));
    fonts_.push_back(std::move(created));
    return fonts_.back().handle.get();
}

void Form::create_controls() {
    controls_.clear();
    controls_.reserve(definition_.controls.size());
    // Containers first, so every control finds its parent.
    for (int pass = 0; pass < 2; ++pass) {
        for (const ControlDef& def : definition_.controls) {
            if (def.container.empty() != (pass == 0)) {
                continue;
            }
            const HWND parent = def.container.empty() ? window_ : container_window(def.container);
            controls_.push_back({&def, create_control(def, parent)});
            SetWindowSubclass(controls_.back().window, &Form::control_proc, 0,
                              reinterpret_cast<DWORD_PTR>(this));
        }
    }
    if (!definition_.tabs.empty()) {
        for (const Control& control : controls_) {
            if (control.def->kind == ControlKind::TabStrip) {
                add_tabs(control.window, definition_.tabs);
            }
        }
    }
    bind_updowns();
    apply_stacking();
}

HWND Form::create_control(const ControlDef& def, HWND parent) {
    const HWND window = create_control_window(def, parent, app_.instance(), this);
    if (!window) {
        throw_last_error(named(L"create the control", def.name));
    }
    return window;
}

void Form::bind_updowns() {
    for (const UpDownDef& binding : definition_.updowns) {
        const HWND updown = control(binding.updown);
        const HWND buddy = control(binding.buddy);
        if (!updown || !buddy) {
            throw core::RuntimeError::control_call(named(L"bind the up-down", binding.updown),
                                                   ERROR_INVALID_WINDOW_HANDLE);
        }
        // The up-down writes its value into the buddy when bound; the field keeps its own text.
        const std::wstring field_text = text(binding.buddy);
        bind_updown(updown, buddy, binding);
        set_text(binding.buddy, field_text);
    }
}

void Form::apply_stacking() {
    // Front to back: each window goes just behind the one before it.
    auto stack = [](const std::vector<HWND>& front_to_back) {
        HWND previous = HWND_TOP;
        for (HWND window : front_to_back) {
            SetWindowPos(window, previous, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
            previous = window;
        }
    };
    std::vector<HWND> form_children;
    if (!definition_.stacking.empty()) {
        for (std::wstring_view name : definition_.stacking) {
            if (const HWND window = control(name)) {
                form_children.push_back(window);
            }
        }
    }
    std::vector<std::wstring_view> containers{std::wstring_view{}};
    for (const ControlDef& def : definition_.controls) {
        if (def.kind == ControlKind::PictureBox) {
            containers.push_back(def.name);
        }
    }
    for (std::wstring_view container : containers) {
        std::vector<HWND> children;
        for (const Control& c : controls_) {
            if (c.def->container == container) {
                children.push_back(c.window);
            }
        }
        // Labels are drawn on their container's surface, behind every windowed control in it.
        std::stable_partition(children.begin(), children.end(), [this](HWND window) {
            return find(window)->def->kind != ControlKind::Label;
        });
        stack(container.empty() && !form_children.empty() ? form_children : children);
    }
}

void Form::centre_on_screen() {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &monitor)) {
        work = monitor.rcWork;
    }
    RECT outer{};
    GetWindowRect(window_, &outer);
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    const int left = work.left + std::max(0L, (work.right - work.left - width) / 2);
    const int top = work.top + std::max(0L, (work.bottom - work.top - height) / 2);
    SetWindowPos(window_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

const Form::Control* Form::find(HWND window) const noexcept {
    for (const Control& control : controls_) {
        if (control.window == window) {
            return &control;
        }
    }
    return nullptr;
}

const Form::Control& Form::find(std::wstring_view name) const {
    for (const Control& control : controls_) {
        if (control.def->name == name) {
            return control;
        }
    }
    throw core::RuntimeError::control_call(named(L"find the control", name),
                                           ERROR_INVALID_WINDOW_HANDLE);
}

HWND Form::container_window(std::wstring_view container) const {
    return find(container).window;
}

HBRUSH Form::background_brush(HWND container) const noexcept {
    const Control* panel = find(container);
    const bool window_colour = panel && (panel->def->flags & kWindowColour);
    return GetSysColorBrush(window_colour ? COLOR_WINDOW : COLOR_BTNFACE);
}

bool Form::focus_stays_in_form(HWND next_focus) const noexcept {
    return next_focus && (next_focus == window_ || IsChild(window_, next_focus));
}

void Form::focus_first() {
    move_focus(nullptr, true);
}

void Form::move_focus(HWND from, bool forward) {
    std::vector<const Control*> order;
    for (const Control& control : controls_) {
        if (takes_focus(control.def->kind) && IsWindowVisible(control.window) &&
            IsWindowEnabled(control.window)) {
            order.push_back(&control);
        }
    }
    if (order.empty()) {
        return;
    }
    std::sort(order.begin(), order.end(), [](const Control* a, const Control* b) {
        return a->def->tab_index < b->def->tab_index;
    });
    const Control* current = nullptr;
    for (HWND w = from; w && w != window_ && !current; w = GetParent(w)) {
        current = find(w);
    }
    const Control* target = nullptr;
    if (!current) {
        target = forward ? order.front() : order.back();
    } else if (forward) {
        const auto next = std::find_if(order.begin(), order.end(), [&](const Control* c) {
            return c->def->tab_index > current->def->tab_index;
        });
        target = next != order.end() ? *next : order.front();
    } else {
        const auto previous = std::find_if(order.rbegin(), order.rend(), [&](const Control* c) {
            return c->def->tab_index < current->def->tab_index;
        });
        target = previous != order.rend() ? *previous : order.back();
    }
    SetFocus(target->window);
    if (target->def->kind == ControlKind::TextBox) {
        SendMessageW(target->window, EM_SETSEL, 0, -1);
    }
}

bool Form::raise(std::wstring_view control, Event event) {
    EventArgs args;
    return raise(control, event, args);
}

bool Form::raise(std::wstring_view control, Event event, EventArgs& args) {
    for (const EventBinding& binding : definition_.events) {
        if (binding.event != event || binding.control != control) {
            continue;
        }
        // No exception may cross a window procedure: every failure ends here.
        try {
            binding.procedure(*this, args);
            return true;
        } catch (const core::RuntimeError& error) {
            app_.report(error, *this);
        } catch (const std::exception&) {
            app_.report(core::RuntimeError::control_call(L"finish the last action", 0), *this);
        }
        return false;
    }
    return false;
}

// --- window procedures -------------------------------------------------------------------------

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
        const UINT index = LOWORD(wparam) - kFirstMenuId;
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

// --- properties --------------------------------------------------------------------------------

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
