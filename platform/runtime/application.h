#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/number_locale.h"
#include "core/runtime_error.h"
#include "platform/runtime/form.h"

namespace rt {

// The run time on Win32: the forms of the program (each created on first use), the message
// loop, modal showing, and the one place where run-time errors end up.
class Win32Application final : public Application {
  public:
    // Receives every run-time error that ends an event procedure, with the form it ran on.
    using ErrorHandler = std::function<void(const core::RuntimeError&, Form&)>;

    Win32Application(HINSTANCE instance, std::span<const FormDef* const> forms);
    ~Win32Application() override;

    // The form with this name, created (not loaded) on first use.
    Form& form(std::wstring_view name);
    // The form with this name if it was created already.
    Form* existing_form(std::wstring_view name) noexcept;

    // Loads and shows the startup form, then delivers messages until no form is loaded.
    int run(std::wstring_view startup_form);

    // Replaces the default handling (a message box once the current message is done);
    // an empty handler restores it.
    void set_error_handler(ErrorHandler handler);
    void report(const core::RuntimeError& error, Form& form);
    // Shows the error that the default handling deferred, if any (kShowPendingError).
    void show_pending_error(HWND owner);

    void form_unloaded(Form& form);
    // Disables every other loaded form's window; returns those it disabled.
    std::vector<HWND> disable_other_forms(const Form& modal);

    HINSTANCE instance() const noexcept { return instance_; }
    HCURSOR hand_cursor() const noexcept { return hand_cursor_; }
    void set_icon_platform(std::unique_ptr<platform::WindowIconPlatform> icons);
    void set_number_locale(core::NumberLocale locale) { locale_ = std::move(locale); }

    // Application
    void show_modal(std::wstring_view form_name, FormObject& owner) override;
    platform::WindowIconPlatform& icon_platform() override;
    const core::NumberLocale& number_locale() const override { return locale_; }

  private:
    bool any_form_loaded() const noexcept;

    HINSTANCE instance_;
    std::span<const FormDef* const> definitions_;
    std::vector<std::unique_ptr<Form>> forms_;
    std::unique_ptr<platform::WindowIconPlatform> icons_;
    core::NumberLocale locale_;
    HCURSOR hand_cursor_;
    ErrorHandler error_handler_;
    std::optional<std::wstring> pending_error_;
    HWND pending_owner_ = nullptr;  // the window the pending error was posted to
    bool showing_error_ = false;
    bool running_ = false;
};

// The user's decimal separator, from the Windows locale settings.
core::NumberLocale user_number_locale();

// Shows a run-time error in a message box titled "Quenlow".
void show_error_box(HWND owner, const std::wstring& message);

}  // namespace rt
