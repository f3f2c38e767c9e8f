#pragma once

#include <windows.h>

#include <memory>
#include <string_view>
#include <vector>

#include "platform/runtime/form_definition.h"
#include "platform/runtime/win32_check.h"

namespace rt {

class Win32Application;

// A form of the program on Win32: its window and controls made from a FormDef, its events
// delivered to the procedures the FormDef binds, and its properties for those procedures.
// The object lives for the whole run; its window exists while the form is loaded.
class Form final : public FormObject {
  public:
    Form(Win32Application& app, const FormDef& definition);
    ~Form() override;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const FormDef& definition() const noexcept { return definition_; }
    bool loaded() const noexcept { return window_ != nullptr; }
    HWND window() const noexcept { return window_; }
    // The control's window, or nullptr when the form has no such control or is not loaded.
    HWND control(std::wstring_view name) const noexcept;
    UINT dpi() const noexcept { return dpi_; }

    // Creates the window and its controls as stored, then raises Load. Does nothing if loaded.
    void load(HWND owner = nullptr);
    // Loads the form if needed, centres it on the screen the first time and shows it.
    void show();
    // Shows the form owned by owner; the other forms take no input until the user closes it.
    void show_modal(HWND owner);
    // Destroys the window (the form object stays, and loads afresh on its next showing).
    void unload();
    // Lays the window and every control out again at this DPI (fonts included).
    void apply_dpi(UINT dpi);
    // Moves the focus to the next (or previous) control in TabIndex order from `from`.
    void move_focus(HWND from, bool forward);

    // FormObject
    WindowHandle hWnd() const override;
    std::wstring text(std::wstring_view control) const override;
    void set_text(std::wstring_view control, std::wstring_view text) override;
    void set_caption(std::wstring_view control, std::wstring_view caption) override;
    void set_visible(std::wstring_view control, bool visible) override;
    int selected_tab(std::wstring_view control) const override;
    Application& app() override;

  private:
    struct Control {
        const ControlDef* def;
        HWND window;
    };
    struct Font {
        float points;
        bool bold;
        std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectDeleter> handle;
    };

    static LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    static LRESULT CALLBACK control_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                         UINT_PTR id, DWORD_PTR form);
    LRESULT on_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    LRESULT on_control_message(const Control& control, UINT message, WPARAM wparam, LPARAM lparam);
    bool on_command(WPARAM wparam, LPARAM lparam);
    void on_notify(const NMHDR& header);
    LRESULT on_ctlcolor(HDC dc, HWND control);
    bool on_setcursor(HWND under_mouse, LPARAM lparam);
    void on_activate(WPARAM wparam);

    // Runs the procedure bound to the event, if any; run-time errors go to the application's
    // handler. Returns whether a procedure ran to completion.
    bool raise(std::wstring_view control, Event event, EventArgs& args);
    bool raise(std::wstring_view control, Event event);

    void create_controls();
    HWND create_control(const ControlDef& control, HWND parent);
    void bind_updowns();
    void apply_stacking();
    void centre_on_screen();
    void set_client_size(int width, int height);
    HFONT font(float points, bool bold);
    const Control* find(HWND window) const noexcept;
    const Control* lookup(std::wstring_view name) const noexcept;
    // As lookup, but a missing control is a run-time error.
    const Control& find(std::wstring_view name) const;
    HWND container_window(std::wstring_view container) const;
    // The brush a container (the form or a panel) paints its background with.
    HBRUSH background_brush(HWND container) const noexcept;
    bool focus_stays_in_form(HWND next_focus) const noexcept;
    void focus_first();

    Win32Application& app_;
    const FormDef& definition_;
    HWND window_ = nullptr;
    UINT dpi_ = 96;
    std::vector<Control> controls_;
    std::vector<Font> fonts_;
    HWND last_focus_ = nullptr;
    bool tab_changed_by_press_ = false;
    std::vector<HWND> disabled_by_modal_;
};

}  // namespace rt
