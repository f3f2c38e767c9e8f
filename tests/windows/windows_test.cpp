// Both windows on real controls under Wine, driven by real messages; expected values are written
// out here from the window's description, never read from the layout tables.
#include <windows.h>

#include <commctrl.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/window_icons.h"
#include "ui/frmmain/frmmain.h"

namespace {

using namespace frmmain;

void pump() {
    for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

std::wstring text_of(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), int(text.size()))));
    return text;
}

RECT rect_in_parent(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// A key pressed and released through the queue, as the keyboard delivers it to the focus.
void press(WORD key, bool shift = false) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(keys);
    for (const auto& [message, flags] : {std::pair{WM_KEYDOWN, 1u}, {WM_KEYUP, 0xC0000001u}}) {
        PostMessageW(GetFocus(), message, key, flags);
        pump();
    }
}

void type(std::wstring_view characters) {
    for (const wchar_t character : characters) {
        PostMessageW(GetFocus(), WM_CHAR, character, 1);
    }
    pump();
}

void click(HWND button) {
    PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    PostMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    pump();
}

// Message boxes that open are read (as "title: message") and answered with OK; any other window
// that becomes active goes to `on_window`.
std::vector<std::wstring> boxes;
std::function<void(HWND)> on_window;

LRESULT CALLBACK watch(int code, WPARAM wparam, LPARAM lparam) {
    const auto window = reinterpret_cast<HWND>(wparam);
    wchar_t name[16] = {};
    if (code == HCBT_ACTIVATE && GetClassNameW(window, name, 16)) {
        if (std::wstring(name) == L"#32770") {
            boxes.push_back(text_of(window) + L": " + text_of(GetDlgItem(window, 0xFFFF)));
            PostMessageW(window, WM_COMMAND, IDOK, 0);
        } else if (on_window) {
            on_window(window);
        }
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
}

// The test command runs the calculation test once more under a German locale, with a decimal comma.
const std::wstring kPoint = std::getenv("QUENLOW_EXPECTED_SEPARATOR") ? L"," : L".";
const std::wstring kPrefix = L"Your Body Mass Index (BMI) is ";
const std::wstring kZero = kPrefix + L"0 ";
const std::wstring kNormal = L" \rYour weight is in the normal weight category.";
const std::wstring kLegend =
    L"BMI Category :\r\rUnderweight : Less than 18.5\rNormal Weight : Between 18.5 and 24.9\r"
    L"Overweight : Between 25 and 29.9\rObesity : 30 and above";

class MainWindowTest : public testing::Test {
  protected:
    void SetUp() override {
        boxes.clear();
        on_window = nullptr;
        window.open();
        window.show();
        pump();
    }
    HWND operator[](Control id) const { return window.control(id); }
    std::wstring text(Control id) const { return text_of(window.control(id)); }
    void set(Control id, const wchar_t* text) { SetWindowTextW(window.control(id), text); }
    void select_tab(int index) {  // with the change notifications a click sends
        SendMessageW((*this)[TabStrip], TCM_SETCURFOCUS, index, 0);
        pump();
    }

    MainWindow window;  // in the user's locale
};

// What a control's settings show: bold font, centred or right-aligned text, a transparent
// background, the hand pointer.
enum Look : unsigned { kBold = 1, kCentred = 2, kRight = 4, kClear = 8, kHand = 16 };

struct Placed {
    int id;
    const wchar_t* window_class;
    RECT pixels;  // twips / 15 at 96 DPI, in the container's client area
    unsigned look;
    const wchar_t* text;  // none for the controls that show no text of their own
};

void expect_placed(HWND control, const Placed& expected, LONG font_height = -11) {
    SCOPED_TRACE(testing::Message() << "control " << expected.id);
    wchar_t window_class[32] = {};
    GetClassNameW(control, window_class, 32);
    EXPECT_EQ(lstrcmpiW(window_class, expected.window_class), 0) << window_class;
    const RECT actual = rect_in_parent(control);
    EXPECT_TRUE(EqualRect(&actual, &expected.pixels))
        << actual.left << "," << actual.top << "," << actual.right << "," << actual.bottom;
    if (expected.text) {
        EXPECT_EQ(text_of(control), expected.text);
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font,
                   &font);
        EXPECT_EQ(font.lfWeight, expected.look & kBold ? FW_BOLD : FW_NORMAL);
        EXPECT_EQ(font.lfHeight, font_height);
        EXPECT_STREQ(font.lfFaceName, L"MS Sans Serif");
    }
    if (lstrcmpiW(window_class, L"Static") == 0) {
        EXPECT_EQ(GetWindowLongW(control, GWL_STYLE) & SS_TYPEMASK,
                  expected.look & kCentred ? SS_CENTER
                  : expected.look & kRight ? SS_RIGHT
                                           : SS_LEFT);
        const HDC dc = CreateCompatibleDC(nullptr);
        const LRESULT brush =
            SendMessageW(GetParent(control), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                         reinterpret_cast<LPARAM>(control));
        // A label's background is its container's: a panel's window colour, a window's button face.
        const auto container_colour = GetClassLongPtrW(GetParent(control), GCLP_HBRBACKGROUND) - 1;
        EXPECT_EQ(brush, reinterpret_cast<LRESULT>(GetSysColorBrush(int(container_colour))));
        EXPECT_EQ(GetBkMode(dc) == TRANSPARENT, (expected.look & kClear) != 0);
        DeleteDC(dc);
    }
    SetCursor(nullptr);
    SendMessageW(control, WM_SETCURSOR, reinterpret_cast<WPARAM>(control),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    const auto hand = LoadImageW(GetModuleHandleW(nullptr), L"HAND", IMAGE_CURSOR, 0, 0,
                                 LR_DEFAULTSIZE | LR_SHARED);
    EXPECT_EQ(GetCursor() == hand, (expected.look & kHand) != 0);
}

TEST_F(MainWindowTest, EveryControlHasItsStoredPlaceAndSettings) {
    constexpr wchar_t kTab[] = L"SysTabControl32", kPanel[] = L"QuenlowPanel", kLabel[] = L"Static",
                      kBox[] = L"Edit", kUpDown[] = L"msctls_updown32", kButton[] = L"Button";
    // clang-format off
    const Placed expected[] = {
        {TabStrip, kTab, {16, 16, 513, 305}, 0, L""},
        {box1, kPanel, {32, 72, 497, 297}, 0, nullptr},
        {box2, kPanel, {32, 72, 497, 297}, 0, nullptr},
        {lblyourweightstandard, kLabel, {0, 0, 113, 17}, kBold | kClear, L"Your Weight :"},
        {txtweightstandard, kBox, {0, 24, 41, 49}, 0, L"150"},
        {updownweightstandard, kUpDown, {40, 24, 57, 49}, 0, nullptr},
        {lbllbstandard, kLabel, {64, 29, 121, 46}, kClear, L"lb"},
        {lblheightstandard, kLabel, {0, 72, 113, 89}, kBold | kClear, L"Your Height :"},
        {txtfeetstandard, kBox, {0, 96, 41, 121}, 0, L"5"},
        {updownfeetstandard, kUpDown, {40, 96, 57, 121}, 0, nullptr},
        {lblftstandard, kLabel, {64, 101, 137, 126}, kClear, L"ft"},
        {txtinchstandard, kBox, {88, 96, 129, 121}, 0, L"8"},
        {updowninchstandard, kUpDown, {128, 96, 145, 121}, 0, nullptr},
        {lblinstandard, kLabel, {152, 101, 225, 126}, kClear, L"in"},
        {cmdcalculatestandard, kButton, {0, 160, 145, 201}, kHand, L"Calculate"},
        {lblresultsstandard, kLabel, {176, 169, 449, 210}, kCentred | kClear, kZero.c_str()},
        {lblrangestandard, kLabel, {176, 24, 449, 121}, kCentred | kClear, kLegend.c_str()},
        {lblweightmetric, kLabel, {0, 0, 113, 17}, kBold | kClear, L"Your Weight :"},
        {txtweightmetric, kBox, {0, 24, 39, 49}, 0, L"50"},
        {updownweightmetric, kUpDown, {40, 24, 57, 49}, 0, nullptr},
        {lblkg, kLabel, {64, 29, 121, 46}, kClear, L"kg"},
        {lblheightmetric, kLabel, {0, 72, 113, 89}, kBold | kClear, L"Your Height :"},
        {txtmmetric, kBox, {0, 96, 39, 121}, 0, L"1"},
        {updownmmetric, kUpDown, {40, 96, 57, 121}, 0, nullptr},
        {lblm, kLabel, {64, 101, 137, 126}, kClear, L"m"},
        {txtcmmetric, kBox, {88, 96, 127, 121}, 0, L"60"},
        {updowncmmetric, kUpDown, {128, 96, 145, 121}, 0, nullptr},
        {lblcm, kLabel, {152, 101, 225, 126}, kClear, L"cm"},
        {cmdcalculatemetric, kButton, {0, 160, 145, 201}, kHand, L"Calculate"},
        {lblresultsmetric, kLabel, {176, 169, 449, 210}, kCentred | kClear, kZero.c_str()},
        {lblrangemetric, kLabel, {176, 24, 449, 121}, kCentred | kClear, kLegend.c_str()},
    };
    // clang-format on
    for (const Placed& e : expected) {
        const HWND control = (*this)[static_cast<Control>(e.id)];
        expect_placed(control, e);
        EXPECT_EQ(GetParent(control), e.id <= box2               ? window.handle()
                                      : e.id <= lblrangestandard ? (*this)[box1]
                                                                 : (*this)[box2]);
    }
    RECT client{};
    GetClientRect(window.handle(), &client);
    EXPECT_EQ(std::pair(client.right, client.bottom), std::pair(528L, 321L));
    EXPECT_EQ(GetWindowLongW(window.handle(), GWL_STYLE) &
                  (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME | WS_SYSMENU),
              WS_MINIMIZEBOX | WS_SYSMENU);
    EXPECT_EQ(text_of(window.handle()), L"Quenlow");
    EXPECT_EQ(GetClassLongPtrW(window.handle(), GCLP_HBRBACKGROUND), COLOR_BTNFACE + 1);
    EXPECT_EQ(GetClassLongPtrW((*this)[box1], GCLP_HBRBACKGROUND), COLOR_WINDOW + 1);
    EXPECT_NE(SendMessageW(window.handle(), WM_GETICON, ICON_BIG, 0), 0);
    RECT area{}, outer{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    GetWindowRect(window.handle(), &outer);
    EXPECT_LE(std::abs(outer.left - area.left - (area.right - outer.right)), 1) << "centred";
    EXPECT_LE(std::abs(outer.top - area.top - (area.bottom - outer.bottom)), 1);
    const HMENU menu = GetMenu(window.handle());
    wchar_t caption[16] = {};
    GetMenuStringW(menu, 0, caption, 16, MF_BYPOSITION);
    EXPECT_STREQ(caption, L"About");
    EXPECT_EQ(std::pair(GetMenuItemCount(menu), GetSubMenu(menu, 0)), std::pair(1, HMENU{}));
    // At 144 DPI everything scales by 1.5, the frame measured again.
    window.apply_dpi(144);
    GetClientRect(window.handle(), &client);
    EXPECT_EQ(std::pair(client.right, client.bottom), std::pair(792L, 482L));
    const RECT result = rect_in_parent((*this)[lblresultsmetric]);
    EXPECT_EQ(std::pair(result.left, result.right), std::pair(264L, 264L + 410));
}

std::wstring accessible_name(HWND window) {
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&object)))) {
        return L"";
    }
    VARIANT self{};
    self.vt = VT_I4;  // CHILDID_SELF
    BSTR name = nullptr;
    object->get_accName(self, &name);
    object->Release();
    const std::wstring result = name ? name : L"";
    SysFreeString(name);
    return result;
}

TEST_F(MainWindowTest, OpensOnTheStandardTabWithEachFieldNamedAndInsideItsBounds) {
    const HWND tabs = (*this)[TabStrip];
    EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(GetFocus(), tabs);
    EXPECT_FALSE(IsWindowVisible((*this)[box2]));
    EXPECT_EQ(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), 2);
    for (const auto& [index, caption] : {std::pair{0, L"Standard"}, {1, L"Metric"}}) {
        wchar_t shown[16] = {};
        TCITEMW item{TCIF_TEXT, 0, 0, shown, 16, 0, 0};
        SendMessageW(tabs, TCM_GETITEMW, index, reinterpret_cast<LPARAM>(&item));
        EXPECT_STREQ(shown, caption);
    }
    EXPECT_EQ(GetWindow(window.handle(), GW_CHILD), (*this)[box2]) << "panels front to back";
    EXPECT_EQ(GetWindow((*this)[box2], GW_HWNDNEXT), (*this)[box1]);
    EXPECT_EQ(GetWindow((*this)[box1], GW_HWNDNEXT), tabs);
    EXPECT_EQ(accessible_name((*this)[cmdcalculatemetric]), L"Calculate");
    const struct {
        Control field, updown;
        int lower, upper;
        const wchar_t* name;
    } fields[] = {
        {txtweightstandard, updownweightstandard, 10, 500, L"Your Weight, lb"},
        {txtfeetstandard, updownfeetstandard, 4, 6, L"Your Height, ft"},
        {txtinchstandard, updowninchstandard, 0, 11, L"Your Height, in"},
        {txtweightmetric, updownweightmetric, 5, 227, L"Your Weight, kg"},
        {txtmmetric, updownmmetric, 1, 2, L"Your Height, m"},
        {txtcmmetric, updowncmmetric, 0, 99, L"Your Height, cm"},
    };
    for (const auto& f : fields) {
        SCOPED_TRACE(testing::Message() << "field " << f.field);
        EXPECT_EQ(accessible_name((*this)[f.field]), f.name);
        int lower = -1, upper = -1;
        SendMessageW((*this)[f.updown], UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower),
                     reinterpret_cast<LPARAM>(&upper));
        EXPECT_EQ(std::pair(lower, upper), std::pair(f.lower, f.upper));
        EXPECT_EQ(SendMessageW((*this)[f.updown], UDM_GETBUDDY, 0, 0),
                  reinterpret_cast<LRESULT>((*this)[f.field]));
        EXPECT_EQ(GetWindow((*this)[f.field], GW_HWNDNEXT), (*this)[f.updown])
            << "the field covers its up-down";
        // Leaving the field pulls it back to its upper bound.
        select_tab(f.field < lblweightmetric ? 0 : 1);
        SetFocus((*this)[f.field]);
        SetWindowTextW((*this)[f.field], std::to_wstring(f.upper + 1).c_str());
        press(VK_TAB);
        EXPECT_EQ(text(f.field), std::to_wstring(f.upper));
    }
    EXPECT_TRUE(boxes.empty());
}

TEST_F(MainWindowTest, TypesCalculatesAndSwitchesTabs) {
    SetFocus((*this)[txtweightstandard]);
    SendMessageW((*this)[txtweightstandard], EM_SETSEL, 3, 3);
    type(L".-a \r\x16\x7f");  // refused, with Enter and Ctrl+V among them
    EXPECT_EQ(text(txtweightstandard), L"150");
    type(L"\b7\u0663");  // codes from 128 pass the keystroke rule, not the range rule
    EXPECT_EQ(text(txtweightstandard), L"157\u0663");
    // The field fails as it loses the focus, then the calculation fails reading it: one box.
    click((*this)[cmdcalculatestandard]);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0],
              L"Quenlow: Your Weight, lb holds \"157\u0663\", which is not a number.\n"
              L"Type a whole number from 10 to 500.");
    EXPECT_EQ(text(lblresultsstandard), kZero);
    EXPECT_EQ(text(txtweightstandard), L"157\u0663");
    set(txtweightstandard, L"150");
    click((*this)[cmdcalculatestandard]);
    EXPECT_EQ(text(lblresultsstandard), kPrefix + L"22" + kPoint + L"8" + kNormal)
        << "the program goes on";
    // The other tab shows the other calculator, and its result stays when the tab is left.
    select_tab(1);
    EXPECT_FALSE(IsWindowVisible((*this)[box1]));
    EXPECT_TRUE(IsWindowVisible((*this)[box2]));
    SetFocus((*this)[txtmmetric]);
    set(txtmmetric, L"0");
    click((*this)[cmdcalculatemetric]);  // the field is pulled to 1 m before the calculation
    EXPECT_EQ(text(txtmmetric), L"1");
    EXPECT_EQ(text(lblresultsmetric), kPrefix + L"19" + kPoint + L"5" + kNormal);
    select_tab(0);
    EXPECT_TRUE(IsWindowVisible((*this)[box1]));
    EXPECT_EQ(text(lblresultsmetric), kPrefix + L"19" + kPoint + L"5" + kNormal);
    // Hiding the panel that holds the focus moves the focus on, so the field is left.
    SetFocus((*this)[txtinchstandard]);
    set(txtinchstandard, L"40");
    select_tab(1);
    EXPECT_TRUE(IsWindowVisible(GetFocus()));
    EXPECT_EQ(text(txtinchstandard), L"11");
    EXPECT_EQ(boxes.size(), 1u);
}

TEST_F(MainWindowTest, TabVisitsFieldsUpDownsAndButtonInStoredOrder) {
    const std::vector<Control> cycles[] = {
        {txtweightstandard, updownweightstandard, txtfeetstandard, updownfeetstandard,
         txtinchstandard, updowninchstandard, cmdcalculatestandard, TabStrip},
        {cmdcalculatemetric, txtcmmetric, txtmmetric, txtweightmetric, updownweightmetric,
         updownmmetric, updowncmmetric, TabStrip}};
    SetFocus((*this)[TabStrip]);
    press(VK_TAB);
    EXPECT_EQ(SendMessageW(GetFocus(), EM_GETSEL, 0, 0), MAKELRESULT(0, 3))
        << "all of 150 selected";
    for (const int tab : {0, 1}) {
        const std::vector<Control>& cycle = cycles[tab];
        select_tab(tab);
        SetFocus((*this)[TabStrip]);
        for (const Control expected : cycle) {
            press(VK_TAB);
            EXPECT_EQ(GetFocus(), (*this)[expected]) << "Tab, expected control " << expected;
        }
        for (auto back = cycle.rbegin() + 1; back != cycle.rend(); ++back) {
            press(VK_TAB, true);
            EXPECT_EQ(GetFocus(), (*this)[*back]) << "Shift+Tab, expected control " << *back;
        }
    }
    // A focused up-down steps its field with the arrow keys, within its bounds.
    SetFocus((*this)[updowncmmetric]);
    press(VK_UP);
    EXPECT_EQ(text(txtcmmetric), L"61");
    set(txtcmmetric, L"99");
    press(VK_UP);
    EXPECT_EQ(text(txtcmmetric), L"99");
    press(VK_DOWN);
    EXPECT_EQ(text(txtcmmetric), L"98");
    // Enter and Esc press no button; the space bar presses the one with the focus.
    SetFocus((*this)[cmdcalculatemetric]);
    press(VK_RETURN);
    press(VK_ESCAPE);
    EXPECT_EQ(text(lblresultsmetric), kZero);
    press(VK_SPACE);  // 50 kg at 1.98 m: 50 / 3.9204 = 12.75
    EXPECT_EQ(text(lblresultsmetric),
              kPrefix + L"12" + kPoint + L"8 \rYour weight is in the underweight category.");
}

TEST_F(MainWindowTest, AboutOpensModallyWithItsLinesAndAnIconAndCanOpenAgain) {
    const UINT about_command = GetMenuItemID(GetMenu(window.handle()), 0);
    const Placed lines[] = {
        {0, L"Static", {0, 24, 305, 41}, kCentred | kBold, L"Quenlow"},
        {1, L"Static", {43, 44, 252, 61}, kRight, L"v1.0"},
        {2, L"Static", {0, 72, 305, 89}, kCentred, L"Copyright (C) 2026 Quenlow Software"},
        {3, L"Static", {0, 92, 305, 109}, kCentred | kBold, L"www.quenlow.example"},
        {4, L"Static", {0, 112, 305, 129}, kCentred | kBold, L"support@quenlow.example"},
    };
    int shown = 0;
    bool closing = false;
    on_window = [&](HWND about) {
        if (text_of(about) != L"About" || std::exchange(closing, true)) {
            return;
        }
        ++shown;
        EXPECT_FALSE(IsWindowEnabled(window.handle()));
        EXPECT_EQ(GetWindow(about, GW_OWNER), window.handle());
        EXPECT_NE(SendMessageW(about, WM_GETICON, ICON_BIG, 0), 0);
        RECT client{};
        GetClientRect(about, &client);
        EXPECT_EQ(std::pair(client.right, client.bottom), std::pair(304L, 153L));
        EXPECT_FALSE(GetWindowLongW(about, GWL_STYLE) &
                     (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
        HWND label = GetWindow(about, GW_CHILD);
        for (const Placed& line : lines) {
            expect_placed(label, line, line.id == 0 ? -13 : -11);
            label = GetWindow(label, GW_HWNDNEXT);
        }
        EXPECT_EQ(label, nullptr);
        // Asked for again while it shows, it only comes to the front; then the user closes it.
        PostMessageW(window.handle(), WM_COMMAND, about_command, 0);
        PostMessageW(window.handle(), WM_COMMAND, about_command, 0);
        PostMessageW(about, WM_CLOSE, 0, 0);
    };
    // A window of its own taking the focus is no focus loss for a field: nothing is clamped.
    SetFocus((*this)[txtweightstandard]);
    set(txtweightstandard, L"600");
    for (int round = 1; round <= 2; ++round) {
        closing = false;
        SendMessageW(window.handle(), WM_COMMAND, about_command, 0);
        pump();
        EXPECT_EQ(shown, round);
        EXPECT_TRUE(IsWindowEnabled(window.handle())) << "the main window takes input again";
        EXPECT_EQ(FindWindowW(L"QuenlowForm", L"About"), nullptr);
        EXPECT_EQ(text(txtweightstandard), L"600");
    }
}

using Sent = std::vector<std::tuple<HWND, WPARAM, LPARAM>>;  // window, kind, icon
Sent icons_sent;

LRESULT CALLBACK recording_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_SETICON) {
        icons_sent.emplace_back(window, wparam, lparam);
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

TEST(SetWindowIcons, SendsBigThenSmallAtTheSystemSizesToTheTopOwnerFirst) {
    WNDCLASSW recording{};
    recording.lpfnWndProc = recording_proc;
    recording.lpszClassName = L"IconRecorder";
    RegisterClassW(&recording);
    const auto make = [](HWND owner) {
        return CreateWindowW(L"IconRecorder", L"", WS_OVERLAPPED, 0, 0, 10, 10, owner, nullptr,
                             nullptr, nullptr);
    };
    const HWND top = make(nullptr), middle = make(top), window = make(middle);
    // Icons are loaded shared: the same group at the same size is the same handle.
    const auto icon = [](int metric) {
        const int size = GetSystemMetrics(metric);
        return reinterpret_cast<LPARAM>(
            LoadImageW(GetModuleHandleW(nullptr), L"AAA", IMAGE_ICON, size, size, LR_SHARED));
    };
    const LPARAM big = icon(SM_CXICON), small = icon(SM_CXSMICON);
    const struct {
        HWND window;
        const wchar_t* group;
        bool also_owner;
        Sent sent;
    } cases[] = {
        {window,
         L"AAA",
         true,
         {{top, 1, big}, {window, 1, big}, {top, 0, small}, {window, 0, small}}},
        {window, L"AAA", false, {{window, 1, big}, {window, 0, small}}},
        {top, L"AAA", true, {{top, 1, big}, {top, 1, big}, {top, 0, small}, {top, 0, small}}},
        {middle, L"NOSUCHGROUP", true, {{top, 1, 0}, {middle, 1, 0}, {top, 0, 0}, {middle, 0, 0}}},
    };
    for (const auto& c : cases) {
        icons_sent.clear();
        platform::SetWindowIcons(c.window, c.group, c.also_owner);
        EXPECT_EQ(icons_sent, c.sent);
    }
    DestroyWindow(top);
}

TEST(MessageLoop, OnlyQuitEndsIt) {
    EXPECT_FALSE(platform::message_loop_goes_on(0));
    EXPECT_TRUE(platform::message_loop_goes_on(-1)) << "a failed GetMessageW loses one message";
    EXPECT_TRUE(platform::message_loop_goes_on(1));
}

}  // namespace

int main(int argc, char** argv) {
    const INITCOMMONCONTROLSEX classes{sizeof classes, ICC_TAB_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&classes);
    CoInitialize(nullptr);
    SetWindowsHookExW(WH_CBT, watch, nullptr, GetCurrentThreadId());
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
