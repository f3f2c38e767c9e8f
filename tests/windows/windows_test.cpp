// Both windows on real controls under Wine, driven by real messages; expected values are written
// out here from the window's description, never read from the layout tables.
#include <windows.h>

#include <commctrl.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/window_icons.h"
#include "ui/frmmain/frmmain.h"

namespace {

using namespace frmmain;

void pump() {
    MSG message;
    for (int round = 0; round < 4; ++round) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
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
    PostMessageW(GetFocus(), WM_KEYDOWN, key, 1);
    pump();
    PostMessageW(GetFocus(), WM_KEYUP, key, 0xC0000001);
    pump();
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
}

void type(wchar_t character) {
    PostMessageW(GetFocus(), WM_CHAR, character, 1);
    pump();
}

void click(HWND window, POINT at = {-1, -1}) {
    RECT area{};
    GetClientRect(window, &area);
    if (at.x < 0) {
        at = {area.right / 2, area.bottom / 2};
    }
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    pump();
    PostMessageW(window, WM_MOUSELEAVE, 0, 0);  // else Wine's up-down steps again later
    pump();
}

// Hands every window of this thread that becomes active to `seen`; message boxes are read
// and answered with OK.
class Watcher {
  public:
    Watcher() {
        current = this;
        hook_ = SetWindowsHookExW(WH_CBT, &Watcher::hook, nullptr, GetCurrentThreadId());
    }
    ~Watcher() {
        UnhookWindowsHookEx(hook_);
        current = nullptr;
    }
    std::vector<std::wstring> boxes;
    std::function<void(HWND)> on_window = [](HWND) {};

  private:
    static LRESULT CALLBACK hook(int code, WPARAM wparam, LPARAM lparam) {
        const auto window = reinterpret_cast<HWND>(wparam);
        wchar_t name[16] = {};
        if (code == HCBT_ACTIVATE && current && GetClassNameW(window, name, 16)) {
            if (std::wstring(name) == L"#32770") {
                current->boxes.push_back(text_of(GetDlgItem(window, 0xFFFF)));
                PostMessageW(window, WM_COMMAND, IDOK, 0);
            } else {
                current->on_window(window);
            }
        }
        return CallNextHookEx(nullptr, code, wparam, lparam);
    }
    static inline Watcher* current = nullptr;
    HHOOK hook_;
};

const std::wstring kPrefix = L"Your Body Mass Index (BMI) is ";
const std::wstring kNormal = L" \rYour weight is in the normal weight category.";
const std::wstring kLegend =
    L"BMI Category :\r\rUnderweight : Less than 18.5\rNormal Weight : Between 18.5 and 24.9\r"
    L"Overweight : Between 25 and 29.9\rObesity : 30 and above";

class MainWindowTest : public testing::Test {
  protected:
    void SetUp() override {
        window.open();
        window.show();
        pump();
    }
    HWND operator[](Control id) const { return window.control(id); }
    std::wstring text(Control id) const { return text_of(window.control(id)); }
    void set(Control id, const wchar_t* text) { SetWindowTextW(window.control(id), text); }
    void select_tab(int index) {
        // The tab strip's change notifications, as a click sends them.
        SendMessageW((*this)[TabStrip], TCM_SETCURFOCUS, index, 0);
        pump();
    }

    MainWindow window{core::NumberLocale{}};
    Watcher watcher;
};

TEST_F(MainWindowTest, EveryControlSitsWhereItIsStoredAt96Dpi) {
    const struct {
        Control id;
        RECT pixels;  // twips / 15, in the container's client area
    } expected[] = {
        {TabStrip, {16, 16, 513, 305}},
        {box1, {32, 72, 497, 297}},
        {box2, {32, 72, 497, 297}},
        {lblyourweightstandard, {0, 0, 113, 17}},
        {txtweightstandard, {0, 24, 41, 49}},
        {updownweightstandard, {40, 24, 57, 49}},
        {lbllbstandard, {64, 29, 121, 46}},
        {lblheightstandard, {0, 72, 113, 89}},
        {txtfeetstandard, {0, 96, 41, 121}},
        {updownfeetstandard, {40, 96, 57, 121}},
        {lblftstandard, {64, 101, 137, 126}},
        {txtinchstandard, {88, 96, 129, 121}},
        {updowninchstandard, {128, 96, 145, 121}},
        {lblinstandard, {152, 101, 225, 126}},
        {cmdcalculatestandard, {0, 160, 145, 201}},
        {lblresultsstandard, {176, 169, 449, 210}},
        {lblrangestandard, {176, 24, 449, 121}},
        {lblweightmetric, {0, 0, 113, 17}},
        {txtweightmetric, {0, 24, 39, 49}},
        {updownweightmetric, {40, 24, 57, 49}},
        {lblkg, {64, 29, 121, 46}},
        {lblheightmetric, {0, 72, 113, 89}},
        {txtmmetric, {0, 96, 39, 121}},
        {updownmmetric, {40, 96, 57, 121}},
        {lblm, {64, 101, 137, 126}},
        {txtcmmetric, {88, 96, 127, 121}},
        {updowncmmetric, {128, 96, 145, 121}},
        {lblcm, {152, 101, 225, 126}},
        {cmdcalculatemetric, {0, 160, 145, 201}},
        {lblresultsmetric, {176, 169, 449, 210}},
        {lblrangemetric, {176, 24, 449, 121}},
    };
    for (const auto& [id, pixels] : expected) {
        const RECT actual = rect_in_parent((*this)[id]);
        EXPECT_TRUE(EqualRect(&actual, &pixels))
            << "control " << id << ": " << actual.left << "," << actual.top << "," << actual.right
            << "," << actual.bottom;
        const HWND parent = GetParent((*this)[id]);
        EXPECT_EQ(parent, id <= box2               ? window.handle()
                          : id <= lblrangestandard ? (*this)[box1]
                                                   : (*this)[box2]);
    }
    RECT client{};
    GetClientRect(window.handle(), &client);
    EXPECT_EQ(client.right, 528);
    EXPECT_EQ(client.bottom, 321);
    window.apply_dpi(144);
    GetClientRect(window.handle(), &client);
    EXPECT_EQ(client.right, 792);
    EXPECT_EQ(client.bottom, 482);
    const RECT result = rect_in_parent((*this)[lblresultsmetric]);
    EXPECT_EQ(result.left, 264);
    EXPECT_EQ(result.right, 264 + 410);
}

TEST_F(MainWindowTest, ControlSettingsWindowStyleAndMenu) {
    const struct {
        Control id;
        DWORD style;  // bits that must be set
        bool bold;
    } expected[] = {
        {lblyourweightstandard, SS_LEFT, true},
        {lblheightmetric, SS_LEFT, true},
        {lbllbstandard, SS_LEFT, false},
        {lblresultsstandard, SS_CENTER, false},
        {lblrangemetric, SS_CENTER, false},
        {txtweightstandard, ES_AUTOHSCROLL, false},
        {cmdcalculatemetric, BS_PUSHBUTTON, false},
    };
    for (const auto& [id, style, bold] : expected) {
        EXPECT_EQ(GetWindowLongW((*this)[id], GWL_STYLE) & 0x3, style & 0x3) << "control " << id;
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW((*this)[id], WM_GETFONT, 0, 0)),
                   sizeof font, &font);
        EXPECT_EQ(font.lfWeight, bold ? FW_BOLD : FW_NORMAL) << "control " << id;
        EXPECT_EQ(font.lfHeight, -11) << "8.25 points at 96 DPI";
        EXPECT_STREQ(font.lfFaceName, L"MS Sans Serif");
    }
    const LONG style = GetWindowLongW(window.handle(), GWL_STYLE);
    EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME | WS_SYSMENU),
              WS_MINIMIZEBOX | WS_SYSMENU);
    EXPECT_EQ(text_of(window.handle()), L"Quenlow");
    const HMENU menu = GetMenu(window.handle());
    wchar_t caption[16] = {};
    GetMenuStringW(menu, 0, caption, 16, MF_BYPOSITION);
    EXPECT_EQ(GetMenuItemCount(menu), 1);
    EXPECT_STREQ(caption, L"About");
    EXPECT_EQ(GetSubMenu(menu, 0), nullptr);
}

TEST_F(MainWindowTest, OpensOnTheStandardTabWithTheStoredTextsAndBounds) {
    wchar_t tab[16] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = tab;
    item.cchTextMax = 16;
    SendMessageW((*this)[TabStrip], TCM_GETITEMW, 1, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(tab, L"Metric");
    EXPECT_EQ(SendMessageW((*this)[TabStrip], TCM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageW((*this)[TabStrip], TCM_GETCURSEL, 0, 0), 0);
    EXPECT_TRUE(IsWindowVisible((*this)[box1]));
    EXPECT_FALSE(IsWindowVisible((*this)[box2]));
    const struct {
        Control field, updown;
        const wchar_t* start;
        int lower, upper;
    } fields[] = {
        {txtweightmetric, updownweightmetric, L"50", 5, 227},
        {txtmmetric, updownmmetric, L"1", 1, 2},
        {txtcmmetric, updowncmmetric, L"60", 0, 99},
        {txtweightstandard, updownweightstandard, L"150", 10, 500},
        {txtfeetstandard, updownfeetstandard, L"5", 4, 6},
        {txtinchstandard, updowninchstandard, L"8", 0, 11},
    };
    for (const auto& f : fields) {
        EXPECT_EQ(text(f.field), f.start);
        int lower = -1, upper = -1;
        SendMessageW((*this)[f.updown], UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower),
                     reinterpret_cast<LPARAM>(&upper));
        EXPECT_EQ(lower, f.lower) << "up-down " << f.updown;
        EXPECT_EQ(upper, f.upper) << "up-down " << f.updown;
        EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW((*this)[f.updown], UDM_GETBUDDY, 0, 0)),
                  (*this)[f.field]);
        // The field covers its up-down where they overlap.
        bool field_in_front = false;
        for (HWND w = (*this)[f.field]; w; w = GetWindow(w, GW_HWNDNEXT)) {
            field_in_front = field_in_front || w == (*this)[f.updown];
        }
        EXPECT_TRUE(field_in_front) << "field " << f.field;
    }
    for (const Control result : {lblresultsstandard, lblresultsmetric}) {
        EXPECT_EQ(text(result), L"Your Body Mass Index (BMI) is 0 ");
    }
    EXPECT_EQ(text(lblrangestandard), kLegend);
    EXPECT_EQ(text(lblrangemetric), kLegend);
    EXPECT_EQ(GetFocus(), (*this)[TabStrip]);
    EXPECT_EQ(GetWindow(window.handle(), GW_CHILD), (*this)[box2]);
    EXPECT_EQ(GetWindow((*this)[box2], GW_HWNDNEXT), (*this)[box1]);
    EXPECT_EQ(GetWindow((*this)[box1], GW_HWNDNEXT), (*this)[TabStrip]);
}

TEST_F(MainWindowTest, TheHandPointerShowsOverTheCalculateButtonsOnly) {
    const HCURSOR hand = static_cast<HCURSOR>(LoadImageW(
        GetModuleHandleW(nullptr), L"HAND", IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
    for (const Control id : {cmdcalculatestandard, cmdcalculatemetric, txtweightstandard,
                             updownweightstandard, lblresultsstandard, box1, TabStrip}) {
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        SendMessageW((*this)[id], WM_SETCURSOR, reinterpret_cast<WPARAM>((*this)[id]),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(GetCursor() == hand, id == cmdcalculatestandard || id == cmdcalculatemetric)
            << "control " << id;
    }
}

TEST_F(MainWindowTest, TypingPassesDigitsAndBackspaceOnly) {
    SetFocus((*this)[txtweightstandard]);
    SendMessageW((*this)[txtweightstandard], EM_SETSEL, 3, 3);
    for (const wchar_t refused : {L'.', L'-', L'a', L' ', L'\r', L'\x16', L'\x7f'}) {
        type(refused);
    }
    EXPECT_EQ(text(txtweightstandard), L"150");
    type(L'7');
    type(L'\u0663');  // codes from 128 pass, and the range rule then refuses the text
    EXPECT_EQ(text(txtweightstandard), L"1507\u0663");
    type(L'\b');
    type(L'\b');
    EXPECT_EQ(text(txtweightstandard), L"150");
}

TEST_F(MainWindowTest, LeavingAFieldPullsItIntoItsBounds) {
    const struct {
        Control field;
        const wchar_t* typed;
        const wchar_t* after;
    } cases[] = {
        {txtweightstandard, L"9", L"10"}, {txtweightstandard, L"501", L"500"},
        {txtfeetstandard, L"3", L"4"},    {txtfeetstandard, L"7", L"6"},
        {txtinchstandard, L"12", L"11"},  {txtinchstandard, L"007", L"007"},
        {txtweightmetric, L"4", L"5"},    {txtweightmetric, L"228", L"227"},
        {txtmmetric, L"0", L"1"},         {txtmmetric, L"3", L"2"},
        {txtcmmetric, L"100", L"99"},     {txtcmmetric, L"99", L"99"},
    };
    for (const auto& c : cases) {
        select_tab(c.field < lblweightmetric ? 0 : 1);
        SetFocus((*this)[c.field]);
        set(c.field, c.typed);
        press(VK_TAB);
        EXPECT_EQ(text(c.field), c.after) << "field " << c.field << " holding " << c.typed;
    }
    EXPECT_TRUE(watcher.boxes.empty());
}

TEST_F(MainWindowTest, ABadFieldGivesOneMessageNamingItAndWritesNothing) {
    SetFocus((*this)[txtweightstandard]);
    set(txtweightstandard, L"");
    // The field fails as it loses the focus, then the calculation fails reading it: one box.
    click((*this)[cmdcalculatestandard]);
    ASSERT_EQ(watcher.boxes.size(), 1u);
    EXPECT_EQ(watcher.boxes[0], L"Your Weight, lb is empty.\nType a whole number from 10 to 500.");
    EXPECT_EQ(text(lblresultsstandard), L"Your Body Mass Index (BMI) is 0 ");
    EXPECT_EQ(text(txtweightstandard), L"");
    set(txtweightstandard, L"150");
    click((*this)[cmdcalculatestandard]);
    EXPECT_EQ(text(lblresultsstandard), kPrefix + L"22.8" + kNormal) << "the program goes on";
    EXPECT_EQ(watcher.boxes.size(), 1u);
}

TEST_F(MainWindowTest, TabsSwitchPanelsAndCalculatorsShowTheirCaptions) {
    click((*this)[cmdcalculatestandard]);
    EXPECT_EQ(text(lblresultsstandard), kPrefix + L"22.8" + kNormal);
    select_tab(1);
    EXPECT_FALSE(IsWindowVisible((*this)[box1]));
    EXPECT_TRUE(IsWindowVisible((*this)[box2]));
    SetFocus((*this)[txtmmetric]);
    set(txtmmetric, L"0");
    click((*this)[cmdcalculatemetric]);  // the field is pulled to 1 m before the calculation
    EXPECT_EQ(text(txtmmetric), L"1");
    EXPECT_EQ(text(lblresultsmetric), kPrefix + L"19.5" + kNormal);
    select_tab(0);
    EXPECT_TRUE(IsWindowVisible((*this)[box1]));
    EXPECT_EQ(text(lblresultsmetric), kPrefix + L"19.5" + kNormal);
    // Hiding the panel that holds the focus moves the focus on, so the field is left.
    SetFocus((*this)[txtinchstandard]);
    set(txtinchstandard, L"40");
    select_tab(1);
    EXPECT_TRUE(IsWindowVisible(GetFocus()));
    EXPECT_EQ(text(txtinchstandard), L"11");
    EXPECT_TRUE(watcher.boxes.empty());
}

TEST(MainWindow, CalculatesWithTheDecimalSeparatorOfTheLocale) {
    // The test command runs this once more under a German locale, expecting a comma.
    const char* expected = std::getenv("QUENLOW_EXPECTED_SEPARATOR");
    MainWindow window;
    window.open();
    window.show();
    click(window.control(cmdcalculatestandard));
    EXPECT_EQ(text_of(window.control(lblresultsstandard)),
              kPrefix + L"22" + (expected ? L"," : L".") + L"8" + kNormal);
}

TEST_F(MainWindowTest, TabVisitsFieldsUpDownsAndButtonInStoredOrder) {
    const std::vector<Control> standard{
        txtweightstandard, updownweightstandard, txtfeetstandard,      updownfeetstandard,
        txtinchstandard,   updowninchstandard,   cmdcalculatestandard, TabStrip};
    const std::vector<Control> metric{
        cmdcalculatemetric, txtcmmetric,   txtmmetric,     txtweightmetric,
        updownweightmetric, updownmmetric, updowncmmetric, TabStrip};
    for (const int tab : {0, 1}) {
        const std::vector<Control>& cycle = tab == 0 ? standard : metric;
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
    // A click steps from the field's text and stops at the bound.
    set(txtmmetric, L"2");
    RECT area{};
    GetClientRect((*this)[updownmmetric], &area);
    click((*this)[updownmmetric], {area.right / 2, area.bottom / 4});
    EXPECT_EQ(text(txtmmetric), L"2");
    click((*this)[updownmmetric], {area.right / 2, area.bottom * 3 / 4});
    EXPECT_EQ(text(txtmmetric), L"1");
}

TEST_F(MainWindowTest, EnterAndEscPressNothingAndSpacePressesTheFocusedButton) {
    SetFocus((*this)[cmdcalculatestandard]);
    press(VK_RETURN);
    press(VK_ESCAPE);
    EXPECT_EQ(text(lblresultsstandard), L"Your Body Mass Index (BMI) is 0 ");
    press(VK_SPACE);
    EXPECT_EQ(text(lblresultsstandard), kPrefix + L"22.8" + kNormal);
}

std::wstring accessible_name(HWND window) {
    IAccessible* object = nullptr;
    std::wstring result;
    if (SUCCEEDED(AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible),
                                             reinterpret_cast<void**>(&object)))) {
        BSTR name = nullptr;
        VARIANT self{};
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        if (SUCCEEDED(object->get_accName(self, &name)) && name) {
            result = name;
            SysFreeString(name);
        }
        object->Release();
    }
    return result;
}

TEST_F(MainWindowTest, FieldsAndButtonsHaveNamesForScreenReaders) {
    EXPECT_EQ(accessible_name((*this)[txtweightmetric]), L"Your Weight, kg");
    EXPECT_EQ(accessible_name((*this)[txtmmetric]), L"Your Height, m");
    EXPECT_EQ(accessible_name((*this)[txtcmmetric]), L"Your Height, cm");
    EXPECT_EQ(accessible_name((*this)[txtweightstandard]), L"Your Weight, lb");
    EXPECT_EQ(accessible_name((*this)[txtfeetstandard]), L"Your Height, ft");
    EXPECT_EQ(accessible_name((*this)[txtinchstandard]), L"Your Height, in");
    EXPECT_EQ(accessible_name((*this)[cmdcalculatemetric]), L"Calculate");
}

// The colour bits of an icon, to compare icons by their picture.
std::vector<BYTE> pixels(HICON icon) {
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) {
        return {};
    }
    BITMAP bitmap{};
    GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
    std::vector<BYTE> bits(static_cast<std::size_t>(bitmap.bmWidthBytes) * bitmap.bmHeight);
    GetBitmapBits(info.hbmColor, static_cast<LONG>(bits.size()), bits.data());
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return bits;
}

void expect_program_icon(HWND window) {
    for (const auto& [kind, metric] : {std::pair{ICON_BIG, SM_CXICON}, {ICON_SMALL, SM_CXSMICON}}) {
        const int size = GetSystemMetrics(metric);
        const auto expected = static_cast<HICON>(
            LoadImageW(GetModuleHandleW(nullptr), L"AAA", IMAGE_ICON, size, size, LR_SHARED));
        const auto shown = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, kind, 0));
        EXPECT_FALSE(pixels(shown).empty());
        EXPECT_EQ(pixels(shown), pixels(expected)) << "icon kind " << kind;
    }
}

TEST_F(MainWindowTest, AboutOpensModallyWithItsLinesAndAnIconAndCanOpenAgain) {
    const UINT about_command = GetMenuItemID(GetMenu(window.handle()), 0);
    int shown = 0;
    bool closing = false;
    watcher.on_window = [&](HWND about) {
        if (text_of(about) != L"About" || std::exchange(closing, true)) {
            return;
        }
        ++shown;
        EXPECT_FALSE(IsWindowEnabled(window.handle()));
        expect_program_icon(about);
        RECT client{};
        GetClientRect(about, &client);
        EXPECT_EQ(client.right, 304);
        EXPECT_EQ(client.bottom, 153);
        const struct {
            const wchar_t* text;
            RECT pixels;
            DWORD align;
            LONG weight, height;
        } lines[] = {
            {L"Quenlow", {0, 24, 305, 41}, SS_CENTER, FW_BOLD, -13},
            {L"v1.0", {43, 44, 252, 61}, SS_RIGHT, FW_NORMAL, -11},
            {L"Copyright (C) 2026 Quenlow Software", {0, 72, 305, 89}, SS_CENTER, FW_NORMAL, -11},
            {L"www.quenlow.example", {0, 92, 305, 109}, SS_CENTER, FW_BOLD, -11},
            {L"support@quenlow.example", {0, 112, 305, 129}, SS_CENTER, FW_BOLD, -11},
        };
        std::vector<HWND> labels;
        for (HWND w = GetWindow(about, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
            labels.push_back(w);
        }
        ASSERT_EQ(labels.size(), 5u);
        for (std::size_t i = 0; i < 5; ++i) {
            const RECT actual = rect_in_parent(labels[i]);
            EXPECT_EQ(text_of(labels[i]), lines[i].text);
            EXPECT_TRUE(EqualRect(&actual, &lines[i].pixels)) << "line " << i;
            EXPECT_EQ(GetWindowLongW(labels[i], GWL_STYLE) & 0x3, lines[i].align);
            LOGFONTW font{};
            GetObjectW(reinterpret_cast<HFONT>(SendMessageW(labels[i], WM_GETFONT, 0, 0)),
                       sizeof font, &font);
            EXPECT_EQ(font.lfWeight, lines[i].weight) << "line " << i;
            EXPECT_EQ(font.lfHeight, lines[i].height) << "line " << i;
        }
        // Asked for again while it shows, it only comes to the front; then the user closes it.
        PostMessageW(window.handle(), WM_COMMAND, about_command, 0);
        PostMessageW(window.handle(), WM_COMMAND, about_command, 0);
        PostMessageW(about, WM_CLOSE, 0, 0);
    };
    for (int round = 1; round <= 2; ++round) {
        closing = false;
        SendMessageW(window.handle(), WM_COMMAND, about_command, 0);
        pump();
        EXPECT_EQ(shown, round);
        EXPECT_TRUE(IsWindowEnabled(window.handle())) << "the main window takes input again";
        EXPECT_EQ(FindWindowW(L"QuenlowForm", L"About"), nullptr);
    }
    expect_program_icon(window.handle());
}

// --- the window icon routine on real windows ----------------------------------------------------

std::vector<std::pair<HWND, WPARAM>> icons_sent;
std::vector<bool> icon_is_null;

LRESULT CALLBACK recording_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_SETICON) {
        icons_sent.emplace_back(window, wparam);
        icon_is_null.push_back(lparam == 0);
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

TEST(SetWindowIcons, SendsBigThenSmallToTheTopOwnerFirst) {
    WNDCLASSW recording{};
    recording.lpfnWndProc = recording_proc;
    recording.lpszClassName = L"IconRecorder";
    RegisterClassW(&recording);
    const auto make = [](HWND owner) {
        return CreateWindowW(L"IconRecorder", L"", WS_OVERLAPPED, 0, 0, 10, 10, owner, nullptr,
                             nullptr, nullptr);
    };
    const HWND top = make(nullptr);
    const HWND middle = make(top);
    const HWND window = make(middle);
    using Sent = std::vector<std::pair<HWND, WPARAM>>;
    const struct {
        HWND window;
        const wchar_t* group;
        bool also_owner;
        Sent sent;
        bool null_icons;
    } cases[] = {
        {window, L"AAA", true, Sent{{top, 1}, {window, 1}, {top, 0}, {window, 0}}, false},
        {window, L"AAA", false, Sent{{window, 1}, {window, 0}}, false},
        {top, L"AAA", true, Sent{{top, 1}, {top, 1}, {top, 0}, {top, 0}}, false},
        {middle, L"NOSUCHGROUP", true, Sent{{top, 1}, {middle, 1}, {top, 0}, {middle, 0}}, true},
    };
    for (const auto& c : cases) {
        icons_sent.clear();
        icon_is_null.clear();
        platform::SetWindowIcons(c.window, c.group, c.also_owner);
        EXPECT_EQ(icons_sent, c.sent);
        EXPECT_EQ(icon_is_null, std::vector<bool>(c.sent.size(), c.null_icons));
    }
    const auto big = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_BIG, 0));
    ICONINFO info{};
    BITMAP bitmap{};
    ASSERT_TRUE(GetIconInfo(big, &info));
    GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
    EXPECT_EQ(bitmap.bmWidth, GetSystemMetrics(SM_CXICON));
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
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
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
