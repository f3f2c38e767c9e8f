#include "platform/runtime/application.h"

#include <commctrl.h>

#include <algorithm>

#include "core/error_text.h"
#include "platform/runtime/controls.h"
#include "platform/user32_icon_platform.h"
#include "platform/window_icons.h"

namespace rt {
namespace {

constexpr const wchar_t* kMessageTitle = L"Quenlow";

HCURSOR load_hand_cursor(HINSTANCE instance) {
    // The program's own pointing hand; the system's if the resource is missing.
    if (auto* own = static_cast<HCURSOR>(
            LoadImageW(instance, L"HAND", IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE | LR_SHARED))) {
        return own;
    }
    return LoadCursorW(nullptr, IDC_HAND);
}

}  // namespace

Win32Application::Win32Application(HINSTANCE instance, std::span<const FormDef* const> forms)
    : instance_(instance),
      definitions_(forms),
      icons_(std::make_unique<platform::User32IconPlatform>(instance)),
      locale_(user_number_locale()),
      hand_cursor_(load_hand_cursor(instance)) {}

Win32Application::~Win32Application() = default;

Form& Win32Application::form(std::wstring_view name) {
    if (Form* existing = existing_form(name)) {
        return *existing;
    }
    for (const FormDef* definition : definitions_) {
        if (definition->name == name) {
            forms_.push_back(std::make_unique<Form>(*this, *definition));
            return *forms_.back();
        }
    }
    throw core::RuntimeError::control_call(L"find the form " + std::wstring(name), ERROR_NOT_FOUND);
}

Form* Win32Application::existing_form(std::wstring_view name) noexcept {
    for (const auto& form : forms_) {
        if (form->definition().name == name) {
            return form.get();
        }
    }
    return nullptr;
}

int Win32Application::run(std::wstring_view startup_form) {
    try {
        form(startup_form).show();
    } catch (const core::RuntimeError& error) {
        show_error_box(nullptr, core::describe(error));
        return 1;
    }
    running_ = true;
    MSG message{};
    while (any_form_loaded()) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            break;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    running_ = false;
    return 0;
}

void Win32Application::set_error_handler(ErrorHandler handler) {
    error_handler_ = std::move(handler);
}

void Win32Application::report(const core::RuntimeError& error, Form& form) {
    if (error_handler_) {
        error_handler_(error, form);
        return;
    }
    // One message at a time: a failure that follows from the one being reported (the same
    // empty field read again by Calculate, say) adds nothing for the user.
    // A message posted to a window that has gone since will never arrive: forget it.
    if (pending_error_ && !IsWindow(pending_owner_)) {
        pending_error_.reset();
    }
    if (pending_error_ || showing_error_ || !form.loaded()) {
        return;
    }
    // Shown once the current message is done, never in the middle of a focus change.
    pending_error_ = core::describe(error);
    pending_owner_ = form.window();
    PostMessageW(pending_owner_, kShowPendingError, 0, 0);
}

void Win32Application::show_pending_error(HWND owner) {
    if (!pending_error_ || showing_error_) {
        return;
    }
    const std::wstring message = std::move(*pending_error_);
    pending_error_.reset();
    showing_error_ = true;
    show_error_box(owner, message);
    showing_error_ = false;
}

bool Win32Application::any_form_loaded() const noexcept {
    return std::any_of(forms_.begin(), forms_.end(), [](const auto& f) { return f->loaded(); });
}

void Win32Application::form_unloaded(Form&) {
    if (!any_form_loaded() && running_) {
        PostQuitMessage(0);
    }
}

std::vector<HWND> Win32Application::disable_other_forms(const Form& modal) {
    std::vector<HWND> disabled;
    for (const auto& form : forms_) {
        if (form.get() != &modal && form->loaded() && IsWindowEnabled(form->window())) {
            EnableWindow(form->window(), FALSE);
            disabled.push_back(form->window());
        }
    }
    return disabled;
}

void Win32Application::set_icon_platform(std::unique_ptr<platform::WindowIconPlatform> icons) {
    icons_ = std::move(icons);
}

void Win32Application::show_modal(std::wstring_view form_name, FormObject& owner) {
    Form& shown = form(form_name);
    shown.show_modal(reinterpret_cast<HWND>(owner.hWnd()));
}

platform::WindowIconPlatform& Win32Application::icon_platform() {
    return *icons_;
}

core::NumberLocale user_number_locale() {
    wchar_t separator[8] = {};
    core::NumberLocale locale;
    if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) > 1) {
        locale.decimal_separator = separator;
    }
    return locale;
}

void show_error_box(HWND owner, const std::wstring& message) {
    MessageBoxW(owner, message.c_str(), kMessageTitle, MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace rt
