#pragma once

#include <windows.h>

#include <cstdint>
#include <exception>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/fields.h"
#include "core/runtime_error.h"
#include "platform/error_box.h"

namespace platform {

enum class Kind { Tabs, Panel, Label, TextBox, Button, UpDown };

// Settings that differ from a kind's defaults, as flags so that a layout row stays one line.
enum Setting : unsigned {
    kPlain = 0,
    kBold = 1u << 0,
    kTransparent = 1u << 1,  // draws only its text, over its container's background
    kCentred = 1u << 2,
    kRightAligned = 1u << 3,
    kHidden = 1u << 4,
    kHandPointer = 1u << 5,  // the pointing hand while the mouse is over it
    kLive = 1u << 6,         // a live region: screen readers announce each text written to it
};

// A row's container when the control lies directly on the window.
inline constexpr int kOnWindow = -1;
// A control's or menu entry's id is this plus its row's id; an id of 0 would be no id at all.
inline constexpr int kFirstControlId = 100;

// What a control holds at start: a caption, or a measurement field, which gives a text box its
// text at start and an up-down its range, its start value and its buddy (the field's text box).
struct Content {
    constexpr Content(const wchar_t* text = L"") : text(text) {}
    constexpr Content(core::FieldId field) : field(field) {}
    std::wstring_view text;
    std::optional<core::FieldId> field;
};

// One control as stored with its window. Positions and sizes are in twips from the top-left
// corner of the container's client area; `id` is the row's own index in its table.
struct ControlRow {
    int id;
    Kind kind;
    int container;  // a panel's id, or kOnWindow
    int left;
    int top;
    int width;
    int height;
    int tab_index;
    Content content;
    unsigned settings = kPlain;
    float points = 0;  // font size; 0 for the window's default
};

struct MenuEntry {
    int id;
    std::wstring_view caption;
};

struct WindowLayout {
    std::wstring_view caption;
    int client_width;  // twips
    int client_height;
    bool minimise_button;
    std::span<const ControlRow> controls;
    // The window's direct children from front to back. Inside a panel the windowed controls lie
    // in front of the labels, in the order of the table.
    std::span<const int> stacking = {};
    std::span<const std::wstring_view> tabs = {};  // the tab strip's captions
    std::span<const MenuEntry> menu = {};
};

constexpr bool rows_follow_ids(std::span<const ControlRow> rows) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].id != static_cast<int>(i)) {
            return false;
        }
    }
    return true;
}

// A window of the program made from its layout: its controls created at the window's DPI and laid
// out again when that changes, the keyboard moving in tab order, and the events the program
// handles passed to the virtual handlers below. A handler that throws core::RuntimeError stops
// there, and the error is shown once the current message is done (error_box.h).
class Window {
  public:
    explicit Window(const WindowLayout& layout) : layout_(layout) {}
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND handle() const noexcept { return window_; }
    bool is_open() const noexcept { return window_ != nullptr; }
    HWND control(int id) const noexcept;
    HWND field_box(core::FieldId field) const noexcept;

    // Creates the window, hidden and centred on the screen, with its controls as stored, then
    // runs on_load. Throws core::RuntimeError when a window cannot be made.
    void open(HWND owner = nullptr);
    // Shows the window, the focus on the first control in tab order.
    void show();
    // Opens the window owned by `owner` if needed and shows it; `owner` takes no input until the
    // user closes it, even when a message box over `owner` closes first. Returns then.
    void show_modal(Window& owner);
    void close();

  protected:
    virtual void on_load() {}
    // A button, a menu entry, or a tab chosen on the tab strip.
    virtual void on_click(int id) { (void)id; }
    // A character typed into a field's text box; set `code` to 0 to discard it.
    virtual void on_field_key(core::FieldId field, std::int16_t& code) { (void)field, (void)code; }
    // The focus moved from a field's text box to another control of this window.
    virtual void on_field_left(core::FieldId field) { (void)field; }
    // A system setting changed: the decimal separator among them, perhaps.
    virtual void on_settings_changed() {}
    virtual void on_closed() {}

    // Control properties. A failing call throws core::RuntimeError saying, in the user's words,
    // what could not be done (`doing`: "show the result"). Text written to a live region
    // (kLive) is announced to screen readers.
    std::wstring field_text(core::FieldId field) const;
    void set_field_text(core::FieldId field, std::wstring_view text);
    void set_text(int id, std::wstring_view text, std::wstring_view doing);
    void set_visible(int id, bool visible, std::wstring_view doing);
    int selected_tab(int id) const;  // 1-based

  private:
    struct Font {
        float points;
        bool bold;
        HFONT handle;
    };

    static LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    static LRESULT CALLBACK control_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                         UINT_PTR id, DWORD_PTR self);
    LRESULT on_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    LRESULT on_control_message(const ControlRow& row, HWND window, UINT message, WPARAM wparam,
                               LPARAM lparam);
    template <typename Handler>
    void guarded(Handler&& handler);

    // Disabled exactly while a modal window or an error box stands over this one, whatever
    // other programs send: decided from what is open, never from the order of notifications.
    bool takes_input() const;
    void apply_input_rule();

    void create_controls();
    void bind_updowns();
    std::vector<const ControlRow*> creation_order() const;
    void place(const ControlRow& row);
    bool set_client_size();  // whether it had to change the window's size
    void centre_on_screen();
    // Places every control and sets every font again for this DPI.
    void apply_dpi(UINT dpi);
    HFONT font(float points, bool bold);
    void release_fonts();
    const ControlRow* row_of(HWND window) const noexcept;
    static constexpr bool takes_focus(Kind kind) {
        return kind == Kind::Tabs || kind == Kind::TextBox || kind == Kind::Button ||
               kind == Kind::UpDown;
    }
    void move_focus(HWND from, bool forward);

    const WindowLayout& layout_;
    HWND window_ = nullptr;
    Window* modal_owner_ = nullptr;  // the window this one is shown modal over, while open
    Window* modal_ = nullptr;        // the window shown modal over this one, while open
    int selected_tab_ = 0;           // the tab strip's selection as last handled, 0-based
    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
    std::vector<HWND> controls_;  // by row id
    std::vector<Font> fonts_;
    HWND last_focus_ = nullptr;  // the control that last had the focus
};

template <typename Handler>
void Window::guarded(Handler&& handler) {
    // No exception may cross a window procedure: every failure of a handler ends here.
    try {
        handler();
    } catch (const core::RuntimeError& error) {
        report_error(window_, error);
    } catch (const std::exception&) {
        report_error(window_, core::RuntimeError::control_call(L"finish the last action", 0));
    }
}

// Delivers messages until WM_QUIT; returns its exit code.
int run_message_loop();

}  // namespace platform
