// A window made from its layout table: classes, creation, layout and fonts at the window's DPI,
// and the properties its handlers read and write. Messages, focus and modal showing are in
// window_messages.cpp.
#include "platform/window.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "core/runtime_error.h"
#include "platform/accessible_name.h"

namespace platform {
namespace {

constexpr wchar_t kWindowClass[] = L"QuenlowForm";
constexpr wchar_t kPanelClass[] = L"QuenlowPanel";
constexpr wchar_t kFontName[] = L"MS Sans Serif";
constexpr float kDefaultPoints = 8.25f;
constexpr int kTwipsPerInch = 1440;

[[noreturn]] void fail(std::wstring_view doing) {
    throw core::RuntimeError::control_call(std::wstring(doing), GetLastError());
}

int to_pixels(int twips, UINT dpi) {
    return MulDiv(twips, static_cast<int>(dpi), kTwipsPerInch);
}

// Per monitor where the system knows it (Windows 10), the system DPI otherwise.
UINT dpi_of(HWND window) {
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    static const auto get_dpi_for_window =
        reinterpret_cast<GetDpiForWindowFunction>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (get_dpi_for_window) {
        if (const UINT dpi = get_dpi_for_window(window)) {
            return dpi;
        }
    }
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

void write_text(HWND window, std::wstring_view text, std::wstring_view doing) {
    const std::wstring value(text);
    if (!SetWindowTextW(window, value.c_str())) {
        fail(doing);
    }
}

struct WindowClass {
    const wchar_t* name;
    DWORD style;
    DWORD ex_style = 0;
};

// Every control clips its siblings, so the stacking order decides what shows where they overlap.
WindowClass window_class(const ControlRow& row) {
    constexpr DWORD kChild = WS_CHILD | WS_CLIPSIBLINGS;
    switch (row.kind) {
        case Kind::Tabs:
            return {WC_TABCONTROLW, kChild | WS_TABSTOP};
        case Kind::Panel:
            return {kPanelClass, kChild | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
        case Kind::Label: {
            const DWORD align = (row.settings & kCentred)        ? SS_CENTER
                                : (row.settings & kRightAligned) ? SS_RIGHT
                                                                 : SS_LEFT;
            return {L"STATIC", kChild | SS_NOPREFIX | align};
        }
        case Kind::TextBox:
            return {L"EDIT", kChild | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
        case Kind::Button:
            return {L"BUTTON", kChild | WS_TABSTOP | BS_PUSHBUTTON};
        case Kind::UpDown:
            return {UPDOWN_CLASSW,
                    kChild | WS_TABSTOP | UDS_SETBUDDYINT | UDS_NOTHOUSANDS | UDS_ARROWKEYS};
    }
    return {L"STATIC", kChild};
}

void register_classes(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSEXW window{};
    if (GetClassInfoExW(instance, kWindowClass, &window)) {
        return;
    }
    window.cbSize = sizeof window;
    window.lpfnWndProc = procedure;
    window.hInstance = instance;
    window.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    window.lpszClassName = kWindowClass;
    WNDCLASSEXW panel = window;
    panel.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    panel.lpszClassName = kPanelClass;
    if (!RegisterClassExW(&window) || !RegisterClassExW(&panel)) {
        fail(L"open a window");
    }
}

// Where a window of this size stands centred in the work area.
POINT centred(const RECT& work, LONG width, LONG height) {
    return {work.left + std::max(0L, (work.right - work.left - width) / 2),
            work.top + std::max(0L, (work.bottom - work.top - height) / 2)};
}
}  // namespace

Window::~Window() {
    if (const HWND window = std::exchange(window_, nullptr)) {
        // Nothing may reach this object from the windows while they go.
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        DestroyWindow(window);
    }
    release_fonts();
}

HWND Window::control(int id) const noexcept {
    return id >= 0 && static_cast<std::size_t>(id) < controls_.size() ? controls_[id] : nullptr;
}

HWND Window::field_box(core::FieldId field) const noexcept {
    for (const ControlRow& row : layout_.controls) {
        if (row.kind == Kind::TextBox && row.content.field == field) {
            return control(row.id);
        }
    }
    return nullptr;
}

void Window::open(HWND owner) {
    if (window_) {
        return;
    }
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    const std::wstring caption(layout_.caption);
    const std::wstring doing = L"open the " + caption + L" window";
    register_classes(instance, &Window::window_proc);
    HMENU menu = nullptr;
    if (!layout_.menu.empty()) {
        menu = CreateMenu();
        for (const MenuEntry& entry : layout_.menu) {
            const std::wstring text(entry.caption);
            if (!menu || !AppendMenuW(menu, MF_STRING, kFirstId + entry.id, text.c_str())) {
                const DWORD error = GetLastError();
                DestroyMenu(menu);
                throw core::RuntimeError::control_call(doing, error);
            }
        }
    }
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN |
                        (layout_.minimise_button ? WS_MINIMIZEBOX : 0);
    // Made at its size and place for the system DPI; a monitor of another DPI corrects it below.
    dpi_ = dpi_of(nullptr);
    RECT outer{0, 0, to_pixels(layout_.client_width, dpi_), to_pixels(layout_.client_height, dpi_)};
    AdjustWindowRectEx(&outer, style, menu != nullptr, WS_EX_CONTROLPARENT);
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const LONG width = outer.right - outer.left;
    const LONG height = outer.bottom - outer.top;
    const POINT at = centred(work, width, height);
    if (!CreateWindowExW(WS_EX_CONTROLPARENT, kWindowClass, caption.c_str(), style, at.x, at.y,
                         width, height, owner, menu, instance, this)) {
        const DWORD error = GetLastError();
        DestroyMenu(menu);
        throw core::RuntimeError::control_call(doing, error);
    }
    try {
        dpi_ = dpi_of(window_);
        if (set_client_size()) {
            centre_on_screen();
        }
        create_controls();
        bind_updowns();
    } catch (const core::RuntimeError& error) {
        close();
        throw core::RuntimeError::control_call(doing, error.system_code());
    }
    guarded([this] { on_load(); });
}

void Window::show() {
    ShowWindow(window_, SW_SHOWNORMAL);
    const HWND focus = GetFocus();
    if (focus == window_ || !IsChild(window_, focus)) {
        move_focus(nullptr, true);
    }
    UpdateWindow(window_);
}

// --- layout --------------------------------------------------------------------------------------

bool Window::set_client_size() {
    const int width = to_pixels(layout_.client_width, dpi_);
    const int height = to_pixels(layout_.client_height, dpi_);
    // The frame is measured, not computed: it is whatever the system draws at this DPI, and a
    // second pass catches a menu bar whose height changed with the width.
    for (int pass = 0; pass < 2; ++pass) {
        RECT outer{};
        RECT client{};
        GetWindowRect(window_, &outer);
        GetClientRect(window_, &client);
        if (client.right == width && client.bottom == height) {
            return pass > 0;
        }
        if (!SetWindowPos(window_, nullptr, 0, 0, width + (outer.right - outer.left) - client.right,
                          height + (outer.bottom - outer.top) - client.bottom,
                          SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE)) {
            fail(L"size a window");
        }
    }
    return true;
}

HFONT Window::font(float points, bool bold) {
    for (const Font& existing : fonts_) {
        if (existing.points == points && existing.bold == bold) {
            return existing.handle;
        }
    }
    LOGFONTW description{};
    description.lfHeight = -static_cast<int>(points * static_cast<float>(dpi_) / 72 + 0.5f);
    description.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    description.lfCharSet = ANSI_CHARSET;
    std::copy(std::begin(kFontName), std::end(kFontName), description.lfFaceName);
    const HFONT created = CreateFontIndirectW(&description);
    if (!created) {
        fail(L"make a font");
    }
    fonts_.push_back({points, bold, created});
    return created;
}

void Window::release_fonts() {
    for (const Font& font : fonts_) {
        DeleteObject(font.handle);
    }
    fonts_.clear();
}

void Window::create_controls() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    controls_.assign(layout_.controls.size(), nullptr);
    for (const ControlRow* row_pointer : creation_order()) {
        const ControlRow& row = *row_pointer;
        const WindowClass kind = window_class(row);
        const HWND parent = row.container == kOnWindow ? window_ : controls_[row.container];
        // A text box starts with its field's text; an up-down with none, or screen readers
        // would take that text for its name.
        const std::wstring text(row.kind == Kind::TextBox && row.content.field
                                    ? core::field_rule(*row.content.field).start_text
                                    : row.content.text);
        const DWORD visible = (row.settings & kHidden) ? 0 : WS_VISIBLE;
        const HWND control = CreateWindowExW(
            kind.ex_style, kind.name, text.c_str(), kind.style | visible, to_pixels(row.left, dpi_),
            to_pixels(row.top, dpi_), to_pixels(row.width, dpi_), to_pixels(row.height, dpi_),
            parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstId + row.id)), instance,
            this);
        if (!control) {
            fail(L"open a window");
        }
        controls_[row.id] = control;
        const float points = row.points > 0 ? row.points : kDefaultPoints;
        SendMessageW(control, WM_SETFONT,
                     reinterpret_cast<WPARAM>(font(points, (row.settings & kBold) != 0)), FALSE);
        if (takes_focus(row.kind)) {
            SetWindowSubclass(control, &Window::control_proc, 0, reinterpret_cast<DWORD_PTR>(this));
        }
        if (row.kind == Kind::Tabs) {
            for (std::wstring_view caption : layout_.tabs) {
                std::wstring tab(caption);
                TCITEMW item{};
                item.mask = TCIF_TEXT;
                item.pszText = tab.data();
                const auto index = SendMessageW(control, TCM_GETITEMCOUNT, 0, 0);
                if (SendMessageW(control, TCM_INSERTITEMW, index, reinterpret_cast<LPARAM>(&item)) <
                    0) {
                    fail(L"open a window");
                }
            }
        }
    }
}

void Window::bind_updowns() {
    for (const ControlRow& row : layout_.controls) {
        if (row.kind != Kind::UpDown || !row.content.field) {
            continue;
        }
        const core::FieldRule& field = core::field_rule(*row.content.field);
        const HWND updown = controls_[row.id];
        const HWND buddy = field_box(field.id);
        SendMessageW(updown, UDM_SETRANGE32, field.lower, field.upper);
        SendMessageW(updown, UDM_SETPOS32, 0, field.updown_start);
        UDACCEL step{0, 1};  // one at a time, however long an arrow is held
        SendMessageW(updown, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&step));
        SendMessageW(updown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
        place(row);  // binding may have resized it
        // Binding wrote the up-down's own value into the field, which keeps its start text.
        const std::wstring start(field.start_text);
        SetWindowTextW(buddy, start.c_str());
    }
}

// A new window goes behind its siblings, so creating them front to back stacks them: the
// window's direct children in the order given (panels before their contents), then the windowed
// controls in table order, then the labels, which are drawn on their container's surface behind
// every windowed control.
std::vector<const ControlRow*> Window::creation_order() const {
    std::vector<const ControlRow*> order;
    for (const int id : layout_.stacking) {
        order.push_back(&layout_.controls[static_cast<std::size_t>(id)]);
    }
    for (const bool labels : {false, true}) {
        for (const ControlRow& row : layout_.controls) {
            const bool placed = std::find(order.begin(), order.end(), &row) != order.end();
            if (!placed && (row.kind == Kind::Label) == labels) {
                order.push_back(&row);
            }
        }
    }
    return order;
}

void Window::centre_on_screen() {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &monitor);
    RECT outer{};
    GetWindowRect(window_, &outer);
    const POINT at = centred(monitor.rcWork, outer.right - outer.left, outer.bottom - outer.top);
    SetWindowPos(window_, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Window::place(const ControlRow& row) {
    const HWND control = controls_[row.id];
    if (!SetWindowPos(control, nullptr, to_pixels(row.left, dpi_), to_pixels(row.top, dpi_),
                      to_pixels(row.width, dpi_), to_pixels(row.height, dpi_),
                      SWP_NOZORDER | SWP_NOACTIVATE)) {
        fail(L"lay out a window");
    }
    const float points = row.points > 0 ? row.points : kDefaultPoints;
    SendMessageW(control, WM_SETFONT,
                 reinterpret_cast<WPARAM>(font(points, (row.settings & kBold) != 0)), TRUE);
}

void Window::apply_dpi(UINT dpi) {
    if (!window_ || dpi == 0) {
        return;
    }
    dpi_ = dpi;
    std::vector<Font> old_fonts = std::exchange(fonts_, {});
    guarded([&] {
        set_client_size();
        for (const ControlRow& row : layout_.controls) {
            place(row);
        }
    });
    for (const Font& old : old_fonts) {
        DeleteObject(old.handle);
    }
    InvalidateRect(window_, nullptr, TRUE);
}

// --- properties ----------------------------------------------------------------------------------

std::wstring Window::field_text(core::FieldId field) const {
    const HWND box = field_box(field);
    const std::wstring doing = L"read " + std::wstring(core::field_rule(field).display_name);
    SetLastError(ERROR_SUCCESS);
    const int length = GetWindowTextLengthW(box);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(box, text.data(), length + 1);
    if (!box || (copied == 0 && GetLastError() != ERROR_SUCCESS)) {
        fail(doing);
    }
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

void Window::set_field_text(core::FieldId field, std::wstring_view text) {
    write_text(field_box(field), text,
               L"correct " + std::wstring(core::field_rule(field).display_name));
}

void Window::set_text(int id, std::wstring_view text, std::wstring_view doing) {
    write_text(control(id), text, doing);
    if (layout_.controls[static_cast<std::size_t>(id)].settings & kLive) {
        announce_live_text(control(id));
    }
}

void Window::set_visible(int id, bool visible, std::wstring_view doing) {
    const HWND window = control(id);
    if (!IsWindow(window)) {
        fail(doing);
    }
    const HWND focus = GetFocus();
    const bool loses_focus = !visible && focus && (focus == window || IsChild(window, focus));
    ShowWindow(window, visible ? SW_SHOWNA : SW_HIDE);
    // A hidden control must not keep the keyboard: the focus moves on in tab order, and a field
    // losing it this way goes through its range rule like any other.
    if (loses_focus) {
        move_focus(focus, true);
    }
}

int Window::selected_tab(int id) const {
    return static_cast<int>(SendMessageW(control(id), TCM_GETCURSEL, 0, 0)) + 1;
}

// --- the rest ------------------------------------------------------------------------------------

core::NumberLocale user_number_locale() {
    // The value stored in the user's settings comes first: Wine's GetLocaleInfoEx reads it once
    // per process and would miss a change made while the program runs. The locale's own separator
    // where none is stored.
    wchar_t separator[8] = {};
    DWORD size = sizeof separator;
    core::NumberLocale locale;
    if ((RegGetValueW(HKEY_CURRENT_USER, L"Control Panel\\International", L"sDecimal",
                      RRF_RT_REG_SZ, nullptr, separator, &size) == ERROR_SUCCESS &&
         separator[0]) ||
        GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) > 1) {
        locale = core::NumberLocale(separator);
    }
    return locale;
}

}  // namespace platform
