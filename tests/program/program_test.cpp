// The released Quenlow.exe, started as its own process and worked from this one as a user and a
// screen reader would: through window handles, messages, the keyboard and accessible objects only.
// Expected values are written out here from the windows' description.
#include <windows.h>

#include <commctrl.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "bench/remote_process.h"

namespace {

using bench::text_of;

// The controls in the order a screen reader meets them: each container's children front to
// back, the windowed controls of a panel before its labels.
// clang-format off
enum Name : int {
    box2, box1, TabStrip,
    txtweightstandard, updownweightstandard, txtfeetstandard, updownfeetstandard, txtinchstandard,
    updowninchstandard, cmdcalculatestandard, lblyourweightstandard, lbllbstandard,
    lblheightstandard, lblftstandard, lblinstandard, lblresultsstandard, lblrangestandard,
    txtweightmetric, updownweightmetric, txtmmetric, updownmmetric, txtcmmetric, updowncmmetric,
    cmdcalculatemetric, lblweightmetric, lblkg, lblheightmetric, lblm, lblcm, lblresultsmetric,
    lblrangemetric,
};
// clang-format on

const std::wstring kPoint = std::getenv("QUENLOW_EXPECTED_SEPARATOR") ? L"," : L".";
const std::wstring kPrefix = L"Your Body Mass Index (BMI) is ";
const std::wstring kZero = kPrefix + L"0 ";
const std::wstring kNormal = L" \rYour weight is in the normal weight category.";
const std::wstring kLegend =
    L"BMI Category :\r\rUnderweight : Less than 18.5\rNormal Weight : Between 18.5 and 24.9\r"
    L"Overweight : Between 25 and 29.9\rObesity : 30 and above";

std::vector<HWND> children(HWND parent) {
    std::vector<HWND> found;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        found.push_back(child);
    }
    return found;
}

std::wstring accessible_name(HWND window) {
    IAccessible* object = nullptr;
    BSTR name = nullptr;
    VARIANT self{};
    self.vt = VT_I4;  // CHILDID_SELF
    if (SUCCEEDED(AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible),
                                             reinterpret_cast<void**>(&object)))) {
        object->get_accName(self, &name);
        object->Release();
    }
    std::wstring result = name ? name : L"(none)";
    SysFreeString(name);
    return result;
}

// A key pressed and released through the system's input, as the keyboard delivers it to the
// foreground window's focus. Keys come after messages posted before them: wait for their effect.
void press(WORD key, bool shift = false) {
    const WORD codes[] = {VK_SHIFT, key, key, VK_SHIFT};
    INPUT keys[4] = {};
    for (int i = 0; i < 4; ++i) {
        keys[i].type = INPUT_KEYBOARD;
        keys[i].ki.wVk = codes[i];
        keys[i].ki.dwFlags = i < 2 ? 0 : KEYEVENTF_KEYUP;
    }
    SendInput(shift ? 4 : 2, shift ? keys : keys + 1, sizeof(INPUT));
}

// Live-region announcements of the program, as a screen reader receives them.
constexpr DWORD kLiveRegionChanged = 0x8019;  // EVENT_OBJECT_LIVEREGIONCHANGED
std::vector<HWND> announced;

void CALLBACK on_event(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD) {
    if (object == OBJID_CLIENT && child == CHILDID_SELF) {
        announced.push_back(window);
    }
}

// Sets the user's decimal separator and tells every program, as the regional settings do.
void set_decimal_separator(const wchar_t* separator) {
    RegSetKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\International", L"sDecimal", REG_SZ,
                    separator, static_cast<DWORD>((wcslen(separator) + 1) * sizeof(wchar_t)));
    SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"intl"),
                        SMTO_ABORTIFHUNG, 2'000, nullptr);
}

class Program : public testing::Test {
  protected:
    void SetUp() override {
        const wchar_t* path = _wgetenv(L"QUENLOW_PROGRAM");
        ASSERT_NE(path, nullptr) << "QUENLOW_PROGRAM names the Quenlow.exe to start";
        ASSERT_TRUE(bench::start_and_wait(path, L"Quenlow", program)) << "no main window";
        main = program.window;
        ASSERT_EQ(text_of(main), L"Quenlow");
        controls = children(main);
        ASSERT_EQ(controls.size(), 3u);
        for (const HWND panel : {controls[box1], controls[box2]}) {
            const std::vector<HWND> inside = children(panel);
            ASSERT_EQ(inside.size(), 14u);
            controls.insert(controls.end(), inside.begin(), inside.end());
        }
        thread = GetWindowThreadProcessId(main, nullptr);
        SetForegroundWindow(main);
        bench::wait_until([&] { return GetForegroundWindow() == main; }, 5'000);
    }
    void TearDown() override {
        // Closing the main window ends the process, and with exit code 0.
        if (program.process.hProcess) {
            EXPECT_EQ(bench::close_and_wait(program), 0);
        }
    }

    HWND operator[](Name name) const { return controls[name]; }
    std::wstring text(Name name) const { return text_of(controls[name]); }
    void set(Name name, const wchar_t* text) const { SetWindowTextW(controls[name], text); }
    HWND focus() const {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(thread, &info);
        return info.hwndFocus;
    }
    // Returns once the program has handled every message posted to it so far: a sent message
    // would overtake them, so a posted one that leaves a mark closes the queue.
    void flush() const {
        const HWND marker = controls[txtweightmetric];
        SendMessageW(marker, EM_SETMODIFY, TRUE, 0);
        PostMessageW(marker, EM_SETMODIFY, FALSE, 0);
        bench::wait_until([&] { return SendMessageW(marker, EM_GETMODIFY, 0, 0) == 0; }, 5'000);
    }
    void type(Name field, std::wstring_view characters) const {
        for (const wchar_t character : characters) {
            PostMessageW(controls[field], WM_CHAR, character, 1);
        }
        flush();
    }
    // A click as the control handles it: a field or a button takes the focus, a button acts. A
    // field then holds `text`, if given.
    void click(Name name, const wchar_t* text = nullptr) const {
        SendMessageW(controls[name], WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
        SendMessageW(controls[name], WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
        if (text) {
            set(name, text);
        }
        flush();
    }
    void select_tab(int index) const {  // with the change notifications a click sends
        SendMessageW(controls[TabStrip], TCM_SETCURFOCUS, index, 0);
        flush();
    }
    // Presses Tab until the control has the focus (at most once round the window).
    void tab_to(Name name, bool shift = false) const {
        for (int presses = 0; presses < 20 && focus() != controls[name]; ++presses) {
            const HWND from = focus();
            press(VK_TAB, shift);
            bench::wait_until([&] { return focus() != from; });
        }
    }
    HWND top_level(const wchar_t* title) const {
        HWND found = nullptr;
        bench::wait_until(
            [&] {
                return (found = bench::find_top_level(program.process.dwProcessId, title, main));
            },
            3'000);
        return found;
    }
    void close(HWND window) const {
        PostMessageW(window, WM_CLOSE, 0, 0);
        bench::wait_until([&] { return !IsWindow(window); }, 5'000);
        flush();
    }
    // The program's message box, read as "title: message" and answered with OK; "" when none
    // is open.
    std::wstring answer_message_box() const {
        flush();
        const HWND box = bench::find_top_level(program.process.dwProcessId, L"Quenlow", main);
        const std::wstring seen =
            box ? text_of(box) + L": " + text_of(GetDlgItem(box, 0xFFFF)) : L"";
        if (box) {
            PostMessageW(box, WM_COMMAND, IDOK, 0);
            bench::wait_until([&] { return !IsWindowVisible(box); }, 5'000);
        }
        return seen;
    }

    bench::RemoteProgram program;
    HWND main = nullptr;
    DWORD thread = 0;
    std::vector<HWND> controls;  // by Name
};

struct Placed {
    const wchar_t* window_class;
    RECT pixels;  // twips / 15 at 96 DPI, in the container's client area
    DWORD align;  // a label's SS_LEFT, SS_CENTER or SS_RIGHT
    const wchar_t* text;
};

void expect_placed(HWND control, const Placed& expected) {
    EXPECT_TRUE(bench::has_class(control, expected.window_class));
    RECT actual{};
    GetWindowRect(control, &actual);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&actual), 2);
    EXPECT_TRUE(EqualRect(&actual, &expected.pixels))
        << actual.left << "," << actual.top << "," << actual.right << "," << actual.bottom;
    EXPECT_EQ(text_of(control), expected.text);
    if (bench::has_class(control, L"Static")) {
        EXPECT_EQ(GetWindowLongW(control, GWL_STYLE) & SS_TYPEMASK, expected.align);
    }
}

TEST_F(Program, OpensOnTheStandardTabWithEveryControlInPlaceAndNamed) {
    constexpr wchar_t kTab[] = L"SysTabControl32", kPanel[] = L"QuenlowPanel", kLabel[] = L"Static",
                      kBox[] = L"Edit", kUpDown[] = L"msctls_updown32", kButton[] = L"Button";
    constexpr DWORD kLeft = SS_LEFT, kCentre = SS_CENTER;
    // clang-format off
    const Placed expected[] = {  // in the order of Name
        {kPanel, {32, 72, 497, 297}, 0, L""}, {kPanel, {32, 72, 497, 297}, 0, L""},
        {kTab, {16, 16, 513, 305}, 0, L""},
        {kBox, {0, 24, 41, 49}, 0, L"150"}, {kUpDown, {40, 24, 57, 49}, 0, L""},
        {kBox, {0, 96, 41, 121}, 0, L"5"}, {kUpDown, {40, 96, 57, 121}, 0, L""},
        {kBox, {88, 96, 129, 121}, 0, L"8"}, {kUpDown, {128, 96, 145, 121}, 0, L""},
        {kButton, {0, 160, 145, 201}, 0, L"Calculate"},
        {kLabel, {0, 0, 113, 17}, kLeft, L"Your Weight :"}, {kLabel, {64, 29, 121, 46}, kLeft, L"lb"},
        {kLabel, {0, 72, 113, 89}, kLeft, L"Your Height :"}, {kLabel, {64, 101, 137, 126}, kLeft, L"ft"},
        {kLabel, {152, 101, 225, 126}, kLeft, L"in"},
        {kLabel, {176, 169, 449, 210}, kCentre, kZero.c_str()},
        {kLabel, {176, 24, 449, 121}, kCentre, kLegend.c_str()},
        {kBox, {0, 24, 39, 49}, 0, L"50"}, {kUpDown, {40, 24, 57, 49}, 0, L""},
        {kBox, {0, 96, 39, 121}, 0, L"1"}, {kUpDown, {40, 96, 57, 121}, 0, L""},
        {kBox, {88, 96, 127, 121}, 0, L"60"}, {kUpDown, {128, 96, 145, 121}, 0, L""},
        {kButton, {0, 160, 145, 201}, 0, L"Calculate"},
        {kLabel, {0, 0, 113, 17}, kLeft, L"Your Weight :"}, {kLabel, {64, 29, 121, 46}, kLeft, L"kg"},
        {kLabel, {0, 72, 113, 89}, kLeft, L"Your Height :"}, {kLabel, {64, 101, 137, 126}, kLeft, L"m"},
        {kLabel, {152, 101, 225, 126}, kLeft, L"cm"},
        {kLabel, {176, 169, 449, 210}, kCentre, kZero.c_str()},
        {kLabel, {176, 24, 449, 121}, kCentre, kLegend.c_str()},
    };
    // clang-format on
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(testing::Message() << "control " << i);
        expect_placed(controls[i], expected[i]);
    }
    RECT client{}, area{}, outer{};
    GetClientRect(main, &client);
    EXPECT_EQ(std::pair(client.right, client.bottom), std::pair(528L, 321L));
    EXPECT_EQ(GetWindowLongW(main, GWL_STYLE) &
                  (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME | WS_SYSMENU),
              WS_MINIMIZEBOX | WS_SYSMENU);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    GetWindowRect(main, &outer);
    EXPECT_LE(std::abs(outer.left - area.left - (area.right - outer.right)), 1) << "centred";
    EXPECT_LE(std::abs(outer.top - area.top - (area.bottom - outer.bottom)), 1);

    const HWND tabs = (*this)[TabStrip];
    EXPECT_EQ(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(focus(), tabs);
    EXPECT_EQ(std::pair(IsWindowVisible((*this)[box1]), IsWindowVisible((*this)[box2])),
              std::pair(TRUE, FALSE));

    // Each field and its up-down answer a screen reader with the field's name; the up-down keeps
    // the field's bounds.
    EXPECT_EQ(accessible_name((*this)[cmdcalculatemetric]), L"Calculate");
    // clang-format off
    const struct { Name field; int lower, upper; const wchar_t* name; } fields[] = {
        {txtweightstandard, 10, 500, L"Your Weight, lb"}, {txtfeetstandard, 4, 6, L"Your Height, ft"},
        {txtinchstandard, 0, 11, L"Your Height, in"}, {txtweightmetric, 5, 227, L"Your Weight, kg"},
        {txtmmetric, 1, 2, L"Your Height, m"}, {txtcmmetric, 0, 99, L"Your Height, cm"},
    };
    // clang-format on
    for (const auto& f : fields) {
        SCOPED_TRACE(testing::Message() << "field " << f.field);
        const HWND updown = (*this)[static_cast<Name>(f.field + 1)];
        EXPECT_EQ(accessible_name((*this)[f.field]), f.name);
        EXPECT_EQ(accessible_name(updown), f.name);
        EXPECT_EQ(SendMessageW(updown, UDM_GETRANGE, 0, 0), MAKELONG(f.upper, f.lower));
        EXPECT_EQ(SendMessageW(updown, UDM_GETBUDDY, 0, 0),
                  reinterpret_cast<LRESULT>((*this)[f.field]));
    }
}

TEST_F(Program, TypesCalculatesAnnouncesAndSwitchesTabs) {
    click(txtweightstandard);
    SendMessageW((*this)[txtweightstandard], EM_SETSEL, 3, 3);
    type(txtweightstandard, L".-a \r\x16\x7f");  // refused, with Enter and Ctrl+V among them
    EXPECT_EQ(text(txtweightstandard), L"150");
    type(txtweightstandard, L"\b7");
    EXPECT_EQ(text(txtweightstandard), L"157");
    // A pasted text that is not a number fails as the field loses the focus to Calculate, then
    // the calculation fails reading it: one box, and nothing written.
    constexpr wchar_t kPasted[] = L"12a";
    const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, sizeof kPasted);
    std::copy(std::begin(kPasted), std::end(kPasted), static_cast<wchar_t*>(GlobalLock(block)));
    GlobalUnlock(block);
    ASSERT_TRUE(OpenClipboard(nullptr) && EmptyClipboard() &&
                SetClipboardData(CF_UNICODETEXT, block));
    CloseClipboard();
    SendMessageW((*this)[txtweightstandard], WM_PASTE, 0, 0);
    click(cmdcalculatestandard);
    EXPECT_EQ(answer_message_box(),
              L"Quenlow: Your Weight, lb holds \"15712a\", which is not a number.\n"
              L"Type a whole number from 10 to 500.");
    EXPECT_EQ(answer_message_box(), L"") << "one failure, one box";
    EXPECT_EQ(text(lblresultsstandard), kZero);
    EXPECT_EQ(text(txtweightstandard), L"15712a");
    // The program goes on. A result is announced once, on its own label, which then reads as
    // the new caption.
    const HWINEVENTHOOK hook =
        SetWinEventHook(kLiveRegionChanged, kLiveRegionChanged, nullptr, on_event,
                        program.process.dwProcessId, 0, WINEVENT_OUTOFCONTEXT);
    const auto announcements = [] {
        for (const ULONGLONG until = GetTickCount64() + 300; GetTickCount64() < until; Sleep(5)) {
            for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);) {
                DispatchMessageW(&message);
            }
        }
        return std::exchange(announced, {});
    };
    set(txtweightstandard, L"150");
    click(cmdcalculatestandard);
    const std::wstring standard = kPrefix + L"22" + kPoint + L"8" + kNormal;
    EXPECT_EQ(text(lblresultsstandard), standard);
    EXPECT_EQ(announcements(), std::vector{(*this)[lblresultsstandard]});
    EXPECT_EQ(accessible_name((*this)[lblresultsstandard]), standard);
    // The other tab shows the other calculator, and its result stays when the tab is left.
    select_tab(1);
    EXPECT_EQ(std::pair(IsWindowVisible((*this)[box1]), IsWindowVisible((*this)[box2])),
              std::pair(FALSE, TRUE));
    click(txtmmetric, L"0");
    click(cmdcalculatemetric);  // the field is pulled to 1 m before the calculation
    EXPECT_EQ(text(txtmmetric), L"1");
    const std::wstring metric = kPrefix + L"19" + kPoint + L"5" + kNormal;
    EXPECT_EQ(text(lblresultsmetric), metric);
    EXPECT_EQ(announcements(), std::vector{(*this)[lblresultsmetric]});
    UnhookWinEvent(hook);
    select_tab(0);
    EXPECT_TRUE(IsWindowVisible((*this)[box1]));
    EXPECT_EQ(text(lblresultsmetric), metric);
    // Hiding the panel that holds the focus moves the focus on, so the field is left.
    click(txtinchstandard, L"40");
    select_tab(1);
    EXPECT_TRUE(IsWindowVisible(focus()));
    EXPECT_EQ(text(txtinchstandard), L"11");
    EXPECT_EQ(answer_message_box(), L"");
}

TEST_F(Program, KeysFollowTheTabOrderAndStepTheUpDowns) {
    const std::vector<Name> cycles[] = {
        {txtweightstandard, updownweightstandard, txtfeetstandard, updownfeetstandard,
         txtinchstandard, updowninchstandard, cmdcalculatestandard, TabStrip},
        {cmdcalculatemetric, txtcmmetric, txtmmetric, txtweightmetric, updownweightmetric,
         updownmmetric, updowncmmetric, TabStrip}};
    press(VK_TAB);
    bench::wait_until([&] { return focus() == (*this)[txtweightstandard]; });
    EXPECT_EQ(SendMessageW(focus(), EM_GETSEL, 0, 0), MAKELRESULT(0, 3)) << "all of 150 selected";
    for (const int tab : {0, 1}) {
        select_tab(tab);
        tab_to(TabStrip);
        const std::vector<Name>& cycle = cycles[tab];
        for (const Name expected : cycle) {
            press(VK_TAB);
            EXPECT_TRUE(bench::wait_until([&] { return focus() == (*this)[expected]; }))
                << "Tab, expected control " << expected;
        }
        for (auto back = cycle.rbegin() + 1; back != cycle.rend(); ++back) {
            press(VK_TAB, true);
            EXPECT_TRUE(bench::wait_until([&] { return focus() == (*this)[*back]; }))
                << "Shift+Tab, expected control " << *back;
        }
    }
    // A focused up-down steps its field with the arrow keys, within its bounds: Up at 99 stays
    // there, so Down then gives 98.
    const auto becomes = [&](Name target, const std::wstring& expected) {
        return bench::wait_until([&] { return text(target) == expected; }) ? expected
                                                                           : text(target);
    };
    tab_to(updowncmmetric, true);
    press(VK_UP);
    EXPECT_EQ(becomes(txtcmmetric, L"61"), L"61");
    set(txtcmmetric, L"99");
    press(VK_UP);
    press(VK_DOWN);
    EXPECT_EQ(becomes(txtcmmetric, L"98"), L"98");
    // Enter and Esc press no button; the space bar presses the one with the focus.
    tab_to(cmdcalculatemetric);
    set(lblresultsmetric, L"");
    press(VK_RETURN);
    press(VK_ESCAPE);
    press(VK_TAB);  // keys arrive in order: once the focus has moved on, both were handled
    bench::wait_until([&] { return focus() == (*this)[txtcmmetric]; });
    EXPECT_EQ(text(lblresultsmetric), L"");
    press(VK_TAB, true);
    press(VK_SPACE);  // 50 kg at 1.98 m: 50 / 3.9204 = 12.75
    const std::wstring under =
        kPrefix + L"12" + kPoint + L"8 \rYour weight is in the underweight category.";
    EXPECT_EQ(becomes(lblresultsmetric, under), under);
}

TEST_F(Program, AboutIsModalAndTheFocusAndSettingsFollowTheUser) {
    // The About window taking the focus is no focus loss for a field: nothing is clamped.
    click(txtweightstandard, L"600");
    for (int round = 1; round <= 2; ++round) {
        SCOPED_TRACE(testing::Message() << "opening " << round);
        bench::choose_first_menu_entry(main);
        const HWND about = top_level(L"About");
        ASSERT_NE(about, nullptr);
        flush();
        EXPECT_FALSE(IsWindowEnabled(main));
        EXPECT_EQ(GetWindow(about, GW_OWNER), main);
        RECT client{};
        GetClientRect(about, &client);
        EXPECT_EQ(std::pair(client.right, client.bottom), std::pair(304L, 153L));
        EXPECT_FALSE(GetWindowLongW(about, GWL_STYLE) &
                     (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
        const Placed lines[] = {
            {L"Static", {0, 24, 305, 41}, SS_CENTER, L"Quenlow"},
            {L"Static", {43, 44, 252, 61}, SS_RIGHT, L"v1.0"},
            {L"Static", {0, 72, 305, 89}, SS_CENTER, L"Copyright (C) 2026 Quenlow Software"},
            {L"Static", {0, 92, 305, 109}, SS_CENTER, L"www.quenlow.example"},
            {L"Static", {0, 112, 305, 129}, SS_CENTER, L"support@quenlow.example"},
        };
        const std::vector<HWND> labels = children(about);
        ASSERT_EQ(labels.size(), 5u);
        for (std::size_t i = 0; i < labels.size(); ++i) {
            expect_placed(labels[i], lines[i]);
        }
        close(about);
        EXPECT_TRUE(IsWindowEnabled(main)) << "the main window takes input again";
        EXPECT_EQ(focus(), (*this)[txtweightstandard]) << "back in the field the user left";
        EXPECT_EQ(text(txtweightstandard), L"600");
    }
    // Neither is another program taking over; when the user comes back, the focus does too.
    const HWND other = CreateWindowExW(0, L"STATIC", L"Another program", WS_POPUP | WS_VISIBLE, 0,
                                       0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(other);
    EXPECT_EQ(GetForegroundWindow(), other);
    SetForegroundWindow(main);
    EXPECT_TRUE(bench::wait_until([&] { return focus() == (*this)[txtweightstandard]; }, 3'000));
    DestroyWindow(other);
    EXPECT_EQ(text(txtweightstandard), L"600");
    // The control that last had the focus, whichever way it got it, is the one that gets it back.
    click(cmdcalculatestandard);  // 600 lb is pulled to 500: 351500 / 4624 = 76.02
    EXPECT_EQ(text(lblresultsstandard), kPrefix + L"76 \rYour weight is in the obesity category.");
    ShowWindow(main, SW_MINIMIZE);
    ShowWindow(main, SW_RESTORE);
    PostMessageW(main, WM_ACTIVATE, WA_ACTIVE, 0);
    flush();
    EXPECT_EQ(focus(), (*this)[cmdcalculatestandard]);

    // About asked for by another program while a message box is open: the main window takes
    // input again only once both are closed, in either order.
    UINT about_command = GetMenuItemID(GetMenu(main), 0);
    if (about_command == static_cast<UINT>(-1)) {
        about_command = 131;  // as found by hand: Wine lets no other process read a menu
    }
    for (const bool box_first : {true, false}) {
        set(txtweightstandard, L"x");
        PostMessageW((*this)[cmdcalculatestandard], BM_CLICK, 0, 0);
        flush();
        PostMessageW(main, WM_COMMAND, about_command, 0);
        const HWND about = top_level(L"About");
        ASSERT_NE(about, nullptr);
        const auto close_one = [&](bool box) {
            if (box) {
                EXPECT_EQ(answer_message_box().substr(0, 29), L"Quenlow: Your Weight, lb hold");
            } else {
                close(about);
            }
        };
        close_one(box_first);
        EXPECT_FALSE(IsWindowEnabled(main)) << "the other is still open";
        close_one(!box_first);
        EXPECT_TRUE(IsWindowEnabled(main));
    }

    // A decimal separator changed while the program runs takes effect at once.
    wchar_t before[8] = L".";
    DWORD size = sizeof before;
    RegGetValueW(HKEY_CURRENT_USER, L"Control Panel\\International", L"sDecimal", RRF_RT_REG_SZ,
                 nullptr, before, &size);
    set_decimal_separator(L",");
    select_tab(1);
    set(txtweightmetric, L"70,5");
    click(cmdcalculatemetric);  // 70.5 / 2.56 = 27.54
    set_decimal_separator(before);
    EXPECT_EQ(text(lblresultsmetric),
              kPrefix + L"27,5 \rYour weight is in the overweight category.");
    EXPECT_EQ(answer_message_box(), L"");
}

}  // namespace

int main(int argc, char** argv) {
    CoInitialize(nullptr);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
