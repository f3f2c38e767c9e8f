// A form's life: loading from its table, showing (modally too), unloading; finding its
// controls; moving the focus in tab order; running the procedure bound to an event.
#include "platform/runtime/form.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "core/runtime_error.h"
#include "platform/runtime/application.h"
#include "platform/runtime/controls.h"
#include "platform/runtime/dpi.h"
#include "platform/runtime/form_detail.h"

namespace rt {

using detail::named;

Form::Form(Win32Application& app, const FormDef& definition) : app_(app), definition_(definition) {}

Form::~Form() {
    if (window_) {
        // The form object is going away with its window: no procedure may run for it now.
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

HWND Form::control(std::wstring_view name) const noexcept {
    const Control* found = lookup(name);
    return found ? found->window : nullptr;
}

void Form::load(HWND owner) {
    if (loaded()) {
        return;
    }
    register_window_classes(app_.instance(), &Form::window_proc);
    HMENU menu = nullptr;
    if (!definition_.menu.empty()) {
        menu = check(CreateMenu(), L"create the menu of " + std::wstring(definition_.name));
        UINT id = detail::kFirstMenuId;
        for (const MenuDef& entry : definition_.menu) {
            const std::wstring caption(entry.caption);
            check(AppendMenuW(menu, MF_STRING, id++, caption.c_str()),
                  named(L"add the menu entry", entry.name));
        }
    }
    const std::wstring caption(definition_.caption);
    const HWND created =
        CreateWindowExW(WS_EX_CONTROLPARENT, kFormClass, caption.c_str(),
                        detail::form_style(definition_), CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, owner, menu, app_.instance(), this);
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
        return;  // its Load procedure unloaded it again
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

const Form::Control* Form::find(HWND window) const noexcept {
    for (const Control& control : controls_) {
        if (control.window == window) {
            return &control;
        }
    }
    return nullptr;
}

const Form::Control* Form::lookup(std::wstring_view name) const noexcept {
    for (const Control& control : controls_) {
        if (control.def->name == name) {
            return &control;
        }
    }
    return nullptr;
}

const Form::Control& Form::find(std::wstring_view name) const {
    if (const Control* found = lookup(name)) {
        return *found;
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

}  // namespace rt
