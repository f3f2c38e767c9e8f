// The yardstick between the bare window and Quenlow: the start-up work that any program with
// Quenlow's windows must do. Same manifest (common controls 6, per-monitor DPI), same DLLs, the
// same kinds and number of controls with their fonts: a menu bar, a tab strip with two tabs and
// two panels, each with three fields bound to up-down controls, a button and seven labels.
// Nothing is computed; what Quenlow takes beyond this program is the cost of its own code.
#include <windows.h>

#include <commctrl.h>

namespace {

constexpr wchar_t kPanelClass[] = L"SameControlsPanel";

enum class Kind { Prompt, Label, Caption, Field, UpDown, Button };

struct Child {
    Kind kind;
    int left, top, width, height;  // pixels at 96 DPI
    const wchar_t* text[2];        // on the first panel, on the second
    int value;                     // an up-down's start value
};

// clang-format off
// One panel's controls; both panels have them, with their own texts.
constexpr Child kPanel[] = {
//   kind           left  top width height  texts                                          value
    {Kind::Prompt,     0,   0,  113,  17, {L"Your Weight :", L"Your Weight :"}, 0},
    {Kind::Field,      0,  24,   41,  25, {L"150", L"50"}, 0},
    {Kind::UpDown,    40,  24,   17,  25, {}, 150},
    {Kind::Label,     64,  29,   57,  17, {L"lb", L"kg"}, 0},
    {Kind::Prompt,     0,  72,  113,  17, {L"Your Height :", L"Your Height :"}, 0},
    {Kind::Field,      0,  96,   41,  25, {L"5", L"1"}, 0},
    {Kind::UpDown,    40,  96,   17,  25, {}, 5},
    {Kind::Label,     64, 101,   20,  25, {L"ft", L"m"}, 0},
    {Kind::Field,     88,  96,   41,  25, {L"8", L"60"}, 0},
    {Kind::UpDown,   128,  96,   17,  25, {}, 8},
    {Kind::Label,    152, 101,   73,  25, {L"in", L"cm"}, 0},
    {Kind::Button,     0, 160,  145,  41, {L"Calculate", L"Calculate"}, 0},
    {Kind::Caption,  176, 169,  273,  41, {L"Your Body Mass Index (BMI) is 0 ",
                                           L"Your Body Mass Index (BMI) is 0 "}, 0},
    {Kind::Caption,  176,  24,  273,  97, {L"Underweight\rNormal\rOverweight\rObese",
                                           L"Underweight\rNormal\rOverweight\rObese"}, 0},
};
// clang-format on

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;

struct Window {
    int dpi = 96;
    HFONT font = nullptr;
    HFONT bold = nullptr;
    HWND tabs = nullptr;
    HWND panels[2] = {};
    HWND first_field = nullptr;
};
Window g_window;

int scaled(int pixels) {
    return MulDiv(pixels, g_window.dpi, 96);
}

HWND create_child(const wchar_t* window_class, const wchar_t* text, DWORD style, DWORD ex_style,
                  HWND parent, int left, int top, int width, int height, HFONT font) {
    const HWND child =
        CreateWindowExW(ex_style, window_class, text, style, scaled(left), scaled(top),
                        scaled(width), scaled(height), parent, nullptr, nullptr, nullptr);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return child;
}

void fill_panel(HWND panel, int index) {
    HWND field = nullptr;
    for (const Child& c : kPanel) {
        const wchar_t* text = c.text[index] ? c.text[index] : L"";
        switch (c.kind) {
            case Kind::Prompt:
            case Kind::Label:
            case Kind::Caption: {
                const DWORD align = c.kind == Kind::Caption ? SS_CENTER : SS_LEFT;
                create_child(L"STATIC", text, kChild | SS_NOPREFIX | align, 0, panel, c.left, c.top,
                             c.width, c.height,
                             c.kind == Kind::Prompt ? g_window.bold : g_window.font);
                break;
            }
            case Kind::Field:
                field = create_child(L"EDIT", text, kChild | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL,
                                     WS_EX_CLIENTEDGE, panel, c.left, c.top, c.width, c.height,
                                     g_window.font);
                if (!g_window.first_field) {
                    g_window.first_field = field;
                }
                break;
            case Kind::UpDown: {
                const HWND updown = create_child(
                    UPDOWN_CLASSW, text, kChild | UDS_SETBUDDYINT | UDS_NOTHOUSANDS | UDS_ARROWKEYS,
                    0, panel, c.left, c.top, c.width, c.height, g_window.font);
                SendMessageW(updown, UDM_SETRANGE32, 0, 999);
                SendMessageW(updown, UDM_SETPOS32, 0, c.value);
                UDACCEL step{0, 1};
                SendMessageW(updown, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&step));
                SendMessageW(updown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(field), 0);
                break;
            }
            case Kind::Button:
                create_child(L"BUTTON", text, kChild | WS_TABSTOP | BS_PUSHBUTTON, 0, panel, c.left,
                             c.top, c.width, c.height, g_window.font);
                break;
        }
    }
}

HFONT create_font(bool bold) {
    LOGFONTW description{};
    description.lfHeight = -MulDiv(825, g_window.dpi, 7200);  // 8.25 points
    description.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    description.lfCharSet = ANSI_CHARSET;
    lstrcpynW(description.lfFaceName, L"MS Sans Serif", LF_FACESIZE);
    return CreateFontIndirectW(&description);
}

void create_controls(HWND window) {
    g_window.font = create_font(false);
    g_window.bold = create_font(true);
    g_window.tabs = create_child(WC_TABCONTROLW, L"", kChild | WS_TABSTOP, 0, window, 16, 16, 497,
                                 289, g_window.font);
    const wchar_t* captions[] = {L"Standard", L"Metric"};
    for (int i = 0; i < 2; ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(captions[i]);
        SendMessageW(g_window.tabs, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
    for (int i = 0; i < 2; ++i) {
        const DWORD visible = i == 0 ? WS_VISIBLE : 0;
        g_window.panels[i] = CreateWindowExW(WS_EX_CONTROLPARENT, kPanelClass, L"",
                                             WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | visible,
                                             scaled(32), scaled(72), scaled(465), scaled(225),
                                             window, nullptr, nullptr, nullptr);
        // In front of the tab strip's page area.
        SetWindowPos(g_window.panels[i], HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        fill_panel(g_window.panels[i], i);
    }
}

LRESULT CALLBACK panel_proc(HWND panel, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_CTLCOLORSTATIC) {
        // Labels are drawn transparent on the panel's window colour.
        SetBkMode(reinterpret_cast<HDC>(wparam), TRANSPARENT);
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    }
    return DefWindowProcW(panel, message, wparam, lparam);
}

LRESULT CALLBACK main_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lparam);
            if (header->hwndFrom == g_window.tabs && header->code == TCN_SELCHANGE) {
                const LRESULT selected = SendMessageW(g_window.tabs, TCM_GETCURSEL, 0, 0);
                ShowWindow(g_window.panels[0], selected == 0 ? SW_SHOW : SW_HIDE);
                ShowWindow(g_window.panels[1], selected == 1 ? SW_SHOW : SW_HIDE);
            }
            return 0;
        }
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_TAB_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&classes);

    WNDCLASSEXW main_class{};
    main_class.cbSize = sizeof main_class;
    main_class.lpfnWndProc = &main_proc;
    main_class.hInstance = instance;
    main_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    main_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    main_class.lpszClassName = L"SameControlsWindow";
    WNDCLASSEXW panel_class = main_class;
    panel_class.lpfnWndProc = &panel_proc;
    panel_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    panel_class.lpszClassName = kPanelClass;
    if (!RegisterClassExW(&main_class) || !RegisterClassExW(&panel_class)) {
        return 1;
    }

    const HDC screen = GetDC(nullptr);
    g_window.dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);

    const HMENU menu = CreateMenu();
    AppendMenuW(menu, MF_STRING, 1, L"About");
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame{0, 0, scaled(528), scaled(321)};
    AdjustWindowRectEx(&frame, style, TRUE, WS_EX_CONTROLPARENT);
    const HWND window =
        CreateWindowExW(WS_EX_CONTROLPARENT, main_class.lpszClassName, L"Same controls", style,
                        CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                        frame.bottom - frame.top, nullptr, menu, instance, nullptr);
    if (!window) {
        return 1;
    }
    create_controls(window);
    ShowWindow(window, show);
    SetFocus(g_window.first_field);
    UpdateWindow(window);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    DeleteObject(g_window.font);
    DeleteObject(g_window.bold);
    return static_cast<int>(message.wParam);
}
