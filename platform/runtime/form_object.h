#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace core {
struct NumberLocale;
}
namespace platform {
class WindowIconPlatform;
}

namespace rt {

using WindowHandle = std::uintptr_t;
class FormObject;

// What event procedures may ask of the run time itself (the original's App object and Forms
// collection). Window-free, so procedures also run against a fake in native tests.
class Application {
  public:
    virtual ~Application() = default;
    // Shows a form modally, creating it on first use; returns once the user has closed it.
    virtual void show_modal(std::wstring_view form_name, FormObject& owner) = 0;
    // The five platform operations of the window icon routine.
    virtual platform::WindowIconPlatform& icon_platform() = 0;
    // The user's number format, for converting field texts.
    virtual const core::NumberLocale& number_locale() const = 0;
};

// A loaded form as its event procedures see it: its window handle and the properties of its
// controls, by control name. Every call checks the control's status and throws
// core::RuntimeError on failure, which ends the running procedure.
class FormObject {
  public:
    virtual ~FormObject() = default;
    virtual WindowHandle hWnd() const = 0;
    virtual std::wstring text(std::wstring_view control) const = 0;
    virtual void set_text(std::wstring_view control, std::wstring_view text) = 0;
    virtual void set_caption(std::wstring_view control, std::wstring_view caption) = 0;
    virtual void set_visible(std::wstring_view control, bool visible) = 0;
    // 1-based index of the selected tab of a tab strip.
    virtual int selected_tab(std::wstring_view control) const = 0;
    virtual Application& app() = 0;
};

// The arguments an event carries; only KeyPress has one, the typed character's code, which the
// procedure may set to 0 to discard the keystroke.
struct EventArgs {
    std::int16_t KeyAscii = 0;
};

using EventProcedure = void (*)(FormObject& Me, EventArgs& args);

}  // namespace rt
