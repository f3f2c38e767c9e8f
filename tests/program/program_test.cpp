// The released Quenlow.exe, started as its own process and worked from this one as a user, a
// screen reader and any other program could: through window handles, messages, the keyboard and
// accessible objects only. Each session is a table of rows run in order in one program: what is
// written into the controls first, which control has the focus, an action, and what must then
// show. Expected values are written out here from the windows' description.
#include <windows.h>

#include <commctrl.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "remote/remote_process.h"
#include "ui/frmmain/frmmain.h"

namespace {

using remote::send;
using remote::text_of;

// The controls in the order a screen reader meets them: each container's children front to
// back, the windowed controls of a panel before its labels. Then the two windows.
// clang-format off
enum Name : int {
    box2, box1, TabStrip,
    txtweightstandard, updownweightstandard, txtfeetstandard, updownfeetstandard, txtinchstandard,
    updowninchstandard, cmdcalculatestandard, lblyourweightstandard, lbllbstandard,
    lblheightstandard, lblftstandard, lblinstandard, lblresultsstandard, lblrangestandard,
    txtweightmetric, updownweightmetric, txtmmetric, updownmmetric, txtcmmetric, updowncmmetric,
    cmdcalculatemetric, lblweightmetric, lblkg, lblheightmetric, lblm, lblcm, lblresultsmetric,
    lblrangemetric,
    Main, About, Nobody,
};
// clang-format on

// The About entry's command, which Wine lets no other process read from the menu.
constexpr WPARAM kAboutCommand = platform::kFirstControlId + frmmain::mnuabout;
constexpr UINT kLiveRegionChanged = 0x8019;  // EVENT_OBJECT_LIVEREGIONCHANGED

const wchar_t kPoint = std::getenv("QUENLOW_EXPECTED_SEPARATOR") ? L',' : L'.';
const std::wstring kPrefix = L"Your Body Mass Index (BMI) is ";
const std::wstring kZero = kPrefix + L"0 ";
const std::wstring kLegend =
    L"BMI Category :\r\rUnderweight : Less than 18.5\rNormal Weight : Between 18.5 and 24.9\r"
    L"Overweight : Between 25 and 29.9\rObesity : 30 and above";

// A result written here with a point, as the program writes it with the user's separator.
std::wstring caption(std::wstring bmi, const wchar_t* category) {
    std::ranges::replace(bmi, L'.', kPoint);
    return kPrefix + bmi + L" \rYour weight is in the " + category + L" category.";
}
std::wstring not_a_number(const wchar_t* field, const wchar_t* text, const wchar_t* bounds) {
    return std::wstring(L"Quenlow: ") + field + L" holds \"" + text +
           L"\", which is not a number.\nType a whole number from " + bounds + L".";
}

enum class Do {
    Type,       // characters posted to the target, as the keyboard sends them
    Click,      // the target takes the focus, a button acts
    Keys,       // keys through the system's input, to the focused control
    Post,       // a message from another program
    Send,       // the same, sent
    Enable,     // another program enables (wparam 1) or disables the main window
    Menu,       // the About entry clicked on the menu bar
    Close,      // the target window asked to close
    Answer,     // the open message box answered
    Separator,  // the user's decimal separator changed in the regional settings
    TakeOver,   // another program takes the foreground, then the user comes back
    Minimise,   // the main window minimised, restored and activated (Wine's restore does not)
};

constexpr WORD kShift = 0x100;  // a key pressed with Shift, as VK_TAB | kShift

struct Action {
    Do kind;
    Name target = Main;
    std::wstring text = {};
    UINT message = 0;
    WPARAM wparam = 0;
    LPARAM lparam = 0;
    std::vector<WORD> keys = {};
};

struct Expect {
    std::vector<std::pair<Name, std::wstring>> texts = {};
    std::wstring box = {};             // the message box open, "title: text", until answered
    Name box_over = Main;              // the window the box stands over
    Name focus = Nobody;               // Nobody: not looked at
    bool about = false;                // the About window is open
    Name shown = Nobody;               // the panel shown, box1 or box2; Nobody: not looked at
    std::vector<Name> announced = {};  // live-region announcements, in order
};

// A tab chosen as a click would, with the change notifications (TCM_SETCURSEL sends none).
Action choose_tab(WPARAM index) {
    return {Do::Send, TabStrip, {}, TCM_SETCURFOCUS, index};
}

struct Row {
    const char* name;                                  // as docs/behaviours.md cites it
    std::vector<std::pair<Name, std::wstring>> texts;  // written into the controls first
    Name focus;                                        // then clicked, unless Nobody
    Action action;
    Expect expect;
};

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

void press(WORD key) {
    const bool shift = key & kShift;
    const WORD codes[] = {VK_SHIFT, WORD(key & 0xFF), WORD(key & 0xFF), VK_SHIFT};
    INPUT keys[4] = {};
    for (int i = 0; i < 4; ++i) {
        keys[i].type = INPUT_KEYBOARD;
        keys[i].ki.wVk = codes[i];
        keys[i].ki.dwFlags = i < 2 ? 0 : KEYEVENTF_KEYUP;
    }
    SendInput(shift ? 4 : 2, shift ? keys : keys + 1, sizeof(INPUT));
}

// Sets the user's decimal separator and tells every program, as the regional settings do.
void set_decimal_separator(const std::wstring& separator) {
    RegSetKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\International", L"sDecimal", REG_SZ,
                    separator.c_str(),
                    static_cast<DWORD>((separator.size() + 1) * sizeof(wchar_t)));
    SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"intl"),
                        SMTO_ABORTIFHUNG, 2'000, nullptr);
}

std::vector<HWND> announced;  // the windows of live-region announcements received

void CALLBACK on_event(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD) {
    if (object == OBJID_CLIENT && child == CHILDID_SELF) {
        announced.push_back(window);
    }
}

class Program : public testing::Test {
  protected:
    void SetUp() override {
        wchar_t separator[8] = L".";
        DWORD size = sizeof separator;
        RegGetValueW(HKEY_CURRENT_USER, L"Control Panel\\International", L"sDecimal", RRF_RT_REG_SZ,
                     nullptr, separator, &size);
        separator_ = separator;
        const wchar_t* path = _wgetenv(L"QUENLOW_PROGRAM");
        ASSERT_NE(path, nullptr) << "QUENLOW_PROGRAM names the Quenlow.exe to start";
        ASSERT_TRUE(remote::start_and_wait(path, L"Quenlow", program_)) << "no main window";
        main_ = program_.window;
        controls_ = children(main_);
        for (const Name panel : {box1, box2}) {
            std::ranges::copy(children(controls_.at(panel)), std::back_inserter(controls_));
        }
        ASSERT_EQ(controls_.size(), std::size_t{Main});
        thread_ = GetWindowThreadProcessId(main_, nullptr);
        hook_ = SetWinEventHook(kLiveRegionChanged, kLiveRegionChanged, nullptr, on_event,
                                program_.process.dwProcessId, 0, WINEVENT_OUTOFCONTEXT);
        SetForegroundWindow(main_);
        remote::wait_until([&] { return GetForegroundWindow() == main_; }, 5'000);
    }
    void TearDown() override {
        UnhookWinEvent(hook_);
        set_decimal_separator(separator_);
        // Closing the main window ends the process, and with exit code 0.
        if (program_.process.hProcess) {
            EXPECT_EQ(remote::close_and_wait(program_), 0);
        }
    }

    HWND operator[](Name name) const {
        return name == Main ? main_ : name == About ? top_level(L"About") : controls_[name];
    }
    HWND top_level(const wchar_t* title) const {
        return remote::find_top_level(program_.process.dwProcessId, title, main_);
    }
    HWND box() const { return top_level(L"Quenlow"); }
    GUITHREADINFO input() const {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(thread_, &info);
        return info;
    }
    HWND focus() const { return input().hwndFocus; }
    bool answers() const {
        return SendMessageTimeoutW(main_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5'000, nullptr) != 0;
    }
    // Returns once the program has handled what was posted to it: a posted mark closes the queue.
    void flush() const {
        const HWND marker = controls_[txtweightmetric];
        send(marker, EM_SETMODIFY, TRUE);
        PostMessageW(marker, EM_SETMODIFY, FALSE, 0);
        remote::wait_until([&] { return send(marker, EM_GETMODIFY) == 0; }, 5'000);
    }
    void click(HWND control) const {
        send(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
        send(control, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    }
    void act(const Action& a) {
        const HWND target = (*this)[a.target];
        switch (a.kind) {
            case Do::Type:
                for (const wchar_t character : a.text) {
                    PostMessageW(target, WM_CHAR, character, 1);
                }
                break;
            case Do::Click:
                click(target);
                break;
            case Do::Keys:
                for (const WORD key : a.keys) {
                    press(key);
                }
                break;
            case Do::Post:
                // A message the system refuses to post would test nothing.
                EXPECT_TRUE(PostMessageW(target, a.message, a.wparam, a.lparam))
                    << "refused: " << GetLastError();
                break;
            case Do::Send:
                send(target, a.message, a.wparam, a.lparam);
                break;
            case Do::Enable:
                EnableWindow(main_, a.wparam != 0);
                break;
            case Do::Menu:
                remote::choose_first_menu_entry(main_);
                remote::wait_until([&] { return (*this)[About] != nullptr; }, 3'000);
                break;
            case Do::Close:
                PostMessageW(target, WM_CLOSE, 0, 0);
                remote::wait_until([&] { return !IsWindow(target); }, 5'000);
                break;
            case Do::Answer:
                PostMessageW(box(), WM_COMMAND, IDOK, 0);
                remote::wait_until([&] { return box() == nullptr; }, 5'000);
                break;
            case Do::Separator:
                set_decimal_separator(a.text);
                break;
            case Do::Minimise:
                ShowWindow(main_, SW_MINIMIZE);
                ShowWindow(main_, SW_RESTORE);
                PostMessageW(main_, WM_ACTIVATE, WA_ACTIVE, 0);
                break;
            case Do::TakeOver: {
                const HWND other =
                    CreateWindowExW(0, L"STATIC", L"Another program", WS_POPUP | WS_VISIBLE, 0, 0,
                                    50, 50, nullptr, nullptr, nullptr, nullptr);
                SetForegroundWindow(other);
                EXPECT_TRUE(remote::wait_until([&] { return !input().hwndActive; }, 3'000))
                    << "not left";
                // Gone only after the user came back, it could take the activation with it.
                DestroyWindow(other);
                remote::wait_until(
                    [&] {
                        return SetForegroundWindow(main_) && input().hwndActive == main_ && focus();
                    },
                    3'000);
                break;
            }
        }
    }
    // What differs from the expectation, one line each; empty when all holds.
    std::vector<std::wstring> differences(const Expect& e) const {
        std::vector<std::wstring> found;
        const auto differ = [&](const std::wstring& what, const std::wstring& seen,
                                const std::wstring& expected) {
            if (seen != expected) {
                found.push_back(what + L": expected \"" + expected + L"\", got \"" + seen + L"\"");
            }
        };
        for (const auto& [name, text] : e.texts) {
            differ(L"text of control " + std::to_wstring(name), text_of(controls_[name]), text);
        }
        const HWND open_box = box();
        differ(L"message box",
               open_box ? text_of(open_box) + L": " + text_of(GetDlgItem(open_box, 0xFFFF)) : L"",
               e.box);
        if (open_box && !e.box.empty()) {
            differ(L"box over", GetWindow(open_box, GW_OWNER) == (*this)[e.box_over] ? L"" : L"?",
                   L"");
        }
        if (e.focus != Nobody) {
            differ(L"focus", focus() == (*this)[e.focus] ? L"" : L"elsewhere", L"");
        }
        // The main window takes input exactly while neither About nor a box stands over it.
        differ(L"main window enabled", IsWindowEnabled(main_) ? L"yes" : L"no",
               e.box.empty() && !e.about ? L"yes" : L"no");
        differ(L"About open", (*this)[About] ? L"yes" : L"no", e.about ? L"yes" : L"no");
        if (e.shown != Nobody) {
            differ(L"panel shown", IsWindowVisible(controls_[e.shown]) ? L"" : L"no", L"");
            differ(L"panel hidden",
                   IsWindowVisible(controls_[e.shown == box1 ? box2 : box1]) ? L"no" : L"", L"");
        }
        return found;
    }
    void run(const std::vector<Row>& rows) {
        for (const Row& row : rows) {
            SCOPED_TRACE(row.name);
            announced.clear();
            for (const auto& [name, text] : row.texts) {
                SetWindowTextW(controls_[name], text.c_str());
            }
            if (row.focus != Nobody) {
                click(controls_[row.focus]);
            }
            act(row.action);
            flush();
            remote::wait_until([&] { return differences(row.expect).empty(); }, 3'000);
            for (const std::wstring& difference : differences(row.expect)) {
                ADD_FAILURE() << difference;
            }
            // Announcements come late: wait for them, then a little longer for any extra.
            remote::wait_until([&] { return announced.size() >= row.expect.announced.size(); },
                               1'000);
            remote::wait_until([] { return false; }, row.expect.announced.empty() ? 0 : 300);
            std::vector<HWND> expected;
            for (const Name name : row.expect.announced) {
                expected.push_back(controls_[name]);
            }
            EXPECT_EQ(announced, expected);
            ASSERT_TRUE(answers()) << "the program no longer answers";
        }
    }

    remote::RemoteProgram program_;
    HWND main_ = nullptr;
    DWORD thread_ = 0;
    HWINEVENTHOOK hook_ = nullptr;
    std::wstring separator_;
    std::vector<HWND> controls_;  // by Name
};

struct Placed {
    const wchar_t* window_class;
    RECT pixels;  // twips / 15 at 96 DPI, in the container's client area
    DWORD align;  // a label's SS_LEFT, SS_CENTER or SS_RIGHT
    std::wstring text;
};

void expect_placed(HWND control, const Placed& expected) {
    EXPECT_TRUE(remote::has_class(control, expected.window_class));
    RECT actual{};
    GetWindowRect(control, &actual);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&actual), 2);
    EXPECT_TRUE(EqualRect(&actual, &expected.pixels))
        << actual.left << "," << actual.top << "," << actual.right << "," << actual.bottom;
    EXPECT_EQ(text_of(control), expected.text);
    if (remote::has_class(control, L"Static")) {
        EXPECT_EQ(GetWindowLongW(control, GWL_STYLE) & SS_TYPEMASK, expected.align);
    }
}

void expect_centred(HWND window) {
    RECT area{}, outer{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    GetWindowRect(window, &outer);
    EXPECT_LE(std::abs(outer.left - area.left - (area.right - outer.right)), 1) << "centred";
    EXPECT_LE(std::abs(outer.top - area.top - (area.bottom - outer.bottom)), 1);
}

TEST_F(Program, Layout) {
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
        {kLabel, {176, 169, 449, 210}, kCentre, kZero},
        {kLabel, {176, 24, 449, 121}, kCentre, kLegend},
        {kBox, {0, 24, 39, 49}, 0, L"50"}, {kUpDown, {40, 24, 57, 49}, 0, L""},
        {kBox, {0, 96, 39, 121}, 0, L"1"}, {kUpDown, {40, 96, 57, 121}, 0, L""},
        {kBox, {88, 96, 127, 121}, 0, L"60"}, {kUpDown, {128, 96, 145, 121}, 0, L""},
        {kButton, {0, 160, 145, 201}, 0, L"Calculate"},
        {kLabel, {0, 0, 113, 17}, kLeft, L"Your Weight :"}, {kLabel, {64, 29, 121, 46}, kLeft, L"kg"},
        {kLabel, {0, 72, 113, 89}, kLeft, L"Your Height :"}, {kLabel, {64, 101, 137, 126}, kLeft, L"m"},
        {kLabel, {152, 101, 225, 126}, kLeft, L"cm"},
        {kLabel, {176, 169, 449, 210}, kCentre, kZero},
        {kLabel, {176, 24, 449, 121}, kCentre, kLegend},
    };
    // clang-format on
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(testing::Message() << "control " << i);
        expect_placed(controls_[i], expected[i]);
    }
    RECT client{};
    GetClientRect(main_, &client);
    EXPECT_EQ(std::pair(client.right, client.bottom), std::pair(528L, 321L));
    EXPECT_EQ(GetWindowLongW(main_, GWL_STYLE) &
                  (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME | WS_SYSMENU),
              WS_MINIMIZEBOX | WS_SYSMENU);
    expect_centred(main_);
    EXPECT_EQ(send((*this)[TabStrip], TCM_GETITEMCOUNT), 2);
    EXPECT_EQ(focus(), (*this)[TabStrip]);
    EXPECT_TRUE(differences({.shown = box1}).empty());

    // Fields and up-downs answer a screen reader with the field's name; up-downs keep its bounds.
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
        EXPECT_EQ(send(updown, UDM_GETRANGE), MAKELONG(f.upper, f.lower));
        EXPECT_EQ(send(updown, UDM_GETBUDDY), reinterpret_cast<LRESULT>((*this)[f.field]));
    }

    // The About window at each of two openings: its lines in place, centred, owned by the main one.
    for (int round = 1; round <= 2; ++round) {
        SCOPED_TRACE(testing::Message() << "opening " << round);
        act({Do::Menu});
        const HWND about = (*this)[About];
        ASSERT_NE(about, nullptr);
        EXPECT_EQ(GetWindow(about, GW_OWNER), main_);
        GetClientRect(about, &client);
        EXPECT_EQ(std::pair(client.right, client.bottom), std::pair(304L, 153L));
        EXPECT_FALSE(GetWindowLongW(about, GWL_STYLE) &
                     (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
        expect_centred(about);
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
        act({Do::Close, About});
    }
}

// From the tab strip, Tab goes round each panel's cycle in the stored order and Shift+Tab back.
// Choosing the other tab hides the focused panel, which gives the focus to the tab strip again.
TEST_F(Program, KeysFollowTheTabOrder) {
    const std::vector<Name> cycles[] = {
        {txtweightstandard, updownweightstandard, txtfeetstandard, updownfeetstandard,
         txtinchstandard, updowninchstandard, cmdcalculatestandard, TabStrip},
        {cmdcalculatemetric, txtcmmetric, txtmmetric, txtweightmetric, updownweightmetric,
         updownmmetric, updowncmmetric, TabStrip}};
    for (const int tab : {0, 1}) {
        act(choose_tab(tab));
        flush();
        const std::vector<Name>& cycle = cycles[tab];
        for (std::size_t i = 0; i + 1 < 2 * cycle.size(); ++i) {
            const bool back = i >= cycle.size();
            const Name expected = cycle[back ? 2 * cycle.size() - 2 - i : i];
            press(back ? VK_TAB | kShift : VK_TAB);
            EXPECT_TRUE(remote::wait_until([&] { return focus() == (*this)[expected]; }))
                << (back ? "Shift+Tab" : "Tab") << ", expected control " << expected;
        }
    }
}

// Rows of the sessions that type, calculate and switch tabs.
std::vector<Row> calculating_rows() {
    const Action calculate_standard{Do::Click, cmdcalculatestandard};
    const Action calculate_metric{Do::Click, cmdcalculatemetric};
    const std::wstring standard = caption(L"22.8", L"normal weight");
    const std::wstring metric = caption(L"19.5", L"normal weight");
    // clang-format off
    return {
        {"typed: only digits, backspace and codes beyond ASCII go in",
         {{txtweightstandard, L""}}, txtweightstandard,
         {Do::Type, txtweightstandard, L".-a \r\x16\x7f" L"158\b7\x0441"},
         {.texts = {{txtweightstandard, L"157\x0441"}}, .focus = txtweightstandard}},
        {"a bad text fails once, as the focus leaves for Calculate; nothing is written",
         {{txtweightstandard, L"12a157"}}, txtweightstandard,
         calculate_standard, {.texts = {{txtweightstandard, L"12a157"}, {lblresultsstandard, kZero}},
                              .box = not_a_number(L"Your Weight, lb", L"12a157", L"10 to 500")}},
        {"...answered, and no second box", {}, Nobody, {Do::Answer}, {}},
        {"standard defaults give 22.8", {{txtweightstandard, L"150"}}, Nobody, calculate_standard,
         {.texts = {{lblresultsstandard, standard}}, .announced = {lblresultsstandard}}},
        {"calculate twice, the same caption", {}, Nobody, calculate_standard,
         {.texts = {{lblresultsstandard, standard}}, .announced = {lblresultsstandard}}},
        {"the Metric tab shows the metric calculator", {}, Nobody,
         choose_tab(1), {.shown = box2}},
        {"the selected tab chosen again changes nothing", {}, txtcmmetric,
         choose_tab(1), {.focus = txtcmmetric, .shown = box2}},
        {"metres 0 is pulled to 1 before the calculation", {{txtmmetric, L"0"}}, txtmmetric, calculate_metric,
         {.texts = {{txtmmetric, L"1"}, {lblresultsmetric, metric}}, .announced = {lblresultsmetric}}},
        {"an empty field writes nothing", {{txtweightmetric, L""}}, txtweightmetric, {Do::Click, txtcmmetric},
         {.texts = {{txtweightmetric, L""}}, .box = L"Quenlow: Your Weight, kg is empty.\n"
                                                    L"Type a whole number from 5 to 227."}},
        {"...answered", {}, Nobody, {Do::Answer}, {}},
        {"a result stays when its tab is left", {}, Nobody, choose_tab(0),
         {.texts = {{lblresultsmetric, metric}}, .shown = box1}},
        {"hiding the focused panel moves the focus on, through the range rule",
         {{txtinchstandard, L"40"}}, txtinchstandard, choose_tab(1),
         {.texts = {{txtinchstandard, L"11"}}, .focus = TabStrip, .shown = box2}},
        {"a separator changed while running", {{txtweightmetric, L"70,5"}, {txtcmmetric, L"60"}}, Nobody,
         {Do::Separator, Main, L","}, {}},
        {"...is used at once", {}, Nobody, calculate_metric,
         {.texts = {{lblresultsmetric, caption(L"27,5", L"overweight")}}, .announced = {lblresultsmetric}}},
    };
    // clang-format on
}

TEST_F(Program, Calculating) {
    run(calculating_rows());
}

// A field is pulled into its bounds when the focus moves to another control, and a text within
// them stays as typed; the keys step up-downs and press buttons as the system's own do.
TEST_F(Program, FieldsAndKeys) {
    const auto leave = [](const char* name, Name field, const wchar_t* typed, Name next,
                          const wchar_t* kept) {
        return Row{name, {{field, typed}}, field, {Do::Click, next}, {.texts = {{field, kept}}}};
    };
    const std::wstring under = caption(L"12.8", L"underweight");
    // clang-format off
    run({
        leave("pounds 9 becomes 10", txtweightstandard, L"9", txtfeetstandard, L"10"),
        leave("pounds 501 becomes 500", txtweightstandard, L"501", txtfeetstandard, L"500"),
        leave("feet 3 becomes 4", txtfeetstandard, L"3", txtinchstandard, L"4"),
        leave("feet 7 becomes 6", txtfeetstandard, L"7", txtinchstandard, L"6"),
        leave("inches 12 becomes 11", txtinchstandard, L"12", txtfeetstandard, L"11"),
        leave("inches 007 stays as typed", txtinchstandard, L"007", txtfeetstandard, L"007"),
        {"the Metric tab", {}, Nobody, choose_tab(1), {.shown = box2}},
        leave("kilograms 250 becomes 227", txtweightmetric, L"250", txtmmetric, L"227"),
        leave("kilograms 4 becomes 5", txtweightmetric, L"4", txtmmetric, L"5"),
        leave("metres 3 becomes 2", txtmmetric, L"3", txtcmmetric, L"2"),
        leave("centimetres 100 becomes 99", txtcmmetric, L"100", txtmmetric, L"99"),
        leave("centimetres 99 stays", txtcmmetric, L"99", txtmmetric, L"99"),
        {"Up on a focused up-down steps its field", {{txtweightmetric, L"50"}, {txtcmmetric, L"60"}}, txtcmmetric,
         {.kind = Do::Keys, .keys = {VK_TAB | kShift, VK_TAB | kShift, VK_TAB | kShift, VK_UP}},
         {.texts = {{txtcmmetric, L"61"}}, .focus = updowncmmetric}},
        {"...within its bounds: Up at 99 stays, Down then gives 98", {{txtcmmetric, L"99"}}, Nobody,
         {.kind = Do::Keys, .keys = {VK_UP, VK_DOWN}}, {.texts = {{txtcmmetric, L"98"}}}},
        {"Enter and Esc press no button", {{lblresultsmetric, L""}}, Nobody,
         {.kind = Do::Keys, .keys = {VK_TAB, VK_TAB, VK_RETURN, VK_ESCAPE, VK_TAB}},
         {.texts = {{lblresultsmetric, L""}}, .focus = txtcmmetric}},
        {"the space bar presses the focused button: 50 kg at 1.98 m", {{txtmmetric, L"1"}}, Nobody,
         {.kind = Do::Keys, .keys = {VK_TAB | kShift, VK_SPACE}},
         {.texts = {{lblresultsmetric, under}}, .focus = cmdcalculatemetric,
          .announced = {lblresultsmetric}}},
    });
    // clang-format on
}

// The main window takes no input exactly while the About window or a message box stands over
// it, whatever other programs send; the focus comes back to the control last used.
TEST_F(Program, Modality) {
    const std::wstring bad = not_a_number(L"Your Weight, lb", L"x", L"10 to 500");
    const Action error{Do::Post, cmdcalculatestandard, {}, BM_CLICK};
    const Action about{Do::Post, Main, {}, WM_COMMAND, kAboutCommand};
    // clang-format off
    run({
        {"About from the menu: modal, and no focus loss for the field",
         {{txtweightstandard, L"600"}}, txtweightstandard, {Do::Menu},
         {.texts = {{txtweightstandard, L"600"}}, .about = true}},
        {"About closed: the input and the focus come back", {}, Nobody, {Do::Close, About},
         {.texts = {{txtweightstandard, L"600"}}, .focus = txtweightstandard}},
        {"another program takes over and gives back: no focus loss either", {}, Nobody,
         {Do::TakeOver}, {.texts = {{txtweightstandard, L"600"}}, .focus = txtweightstandard}},
        {"600 lb pulled to 500 for Calculate: 76", {}, Nobody, {Do::Click, cmdcalculatestandard},
         {.texts = {{txtweightstandard, L"500"}, {lblresultsstandard, caption(L"76", L"obesity")}},
          .announced = {lblresultsstandard}}},
        {"minimised and restored: the focus on the control last used, not the last one left", {},
         Nobody, {Do::Minimise}, {.focus = cmdcalculatestandard}},
        {"an error box over the main window", {{txtweightstandard, L"x"}}, Nobody, error, {.box = bad}},
        {"About asked for by another program over the box", {}, Nobody, about,
         {.box = bad, .about = true}},
        {"WM_ENABLE from another program", {}, Nobody, {Do::Send, Main, {}, WM_ENABLE, 1},
         {.box = bad, .about = true}},
        {"EnableWindow from another program", {}, Nobody, {Do::Enable, Main, {}, 0, 1},
         {.box = bad, .about = true}},
        {"About closed, the box still open", {}, Nobody, {Do::Close, About}, {.box = bad}},
        {"EnableWindow under the box", {}, Nobody, {Do::Enable, Main, {}, 0, 1}, {.box = bad}},
        {"a control's message with a bad pointer, posted under the box", {}, Nobody,
         {Do::Post, TabStrip, {}, TCM_GETITEMW, 0, 0x10}, {.box = bad}},
        {"the box answered: the input comes back", {}, Nobody, {Do::Answer}, {}},
        {"disabled by another program with nothing open", {}, Nobody, {Do::Enable, Main, {}, 0, 0}, {}},
        {"a box, then About", {}, Nobody, error, {.box = bad}},
        {"...About asked for", {}, Nobody, about, {.box = bad, .about = true}},
        {"...the box closed first", {}, Nobody, {Do::Answer}, {.about = true}},
        {"...then About", {}, Nobody, {Do::Close, About}, {}},
        {"an error while About is open stands over About", {}, Nobody, about, {.about = true}},
        {"...its box", {}, Nobody, error, {.box = bad, .box_over = About, .about = true}},
        {"...answered, About still modal", {}, Nobody, {Do::Answer}, {.about = true}},
        {"...About closed", {}, Nobody, {Do::Close, About}, {}},
    });
    // clang-format on
}

// Messages any program can post or send, pointing nowhere: the program goes on, still enabled.
TEST_F(Program, MessagesFromOtherPrograms) {
    constexpr LPARAM kNowhere = 0x10;
    constexpr WPARAM kTabStripId = platform::kFirstControlId + frmmain::TabStrip;
    constexpr Do kPost = Do::Post, kSend = Do::Send;
    const auto row = [](const char* name, Do how, Name to, UINT message, WPARAM wparam,
                        LPARAM lparam) {
        return Row{name, {}, Nobody, {how, to, {}, message, wparam, lparam}, {}};
    };
    // clang-format off
    run({
        row("WM_NOTIFY from the tab strip's id, a bad pointer", kPost, Main, WM_NOTIFY, kTabStripId, kNowhere),
        row("WM_NOTIFY sent, a bad pointer", kSend, Main, WM_NOTIFY, kTabStripId, kNowhere),
        row("WM_NOTIFY sent to a panel, a bad pointer", kSend, box1, WM_NOTIFY, kTabStripId, kNowhere),
        row("the tab strip's TCM_GETITEMW, a bad pointer", kPost, TabStrip, TCM_GETITEMW, 0, kNowhere),
        row("an up-down's UDM_GETRANGE32, bad pointers", kPost, updownweightstandard, UDM_GETRANGE32,
            kNowhere, kNowhere),
        row("WM_DPICHANGED, a bad rectangle", kPost, Main, WM_DPICHANGED, MAKEWPARAM(120, 120), kNowhere),
        row("WM_DPICHANGED, an impossible DPI", kPost, Main, WM_DPICHANGED, MAKEWPARAM(0xFFFF, 0xFFFF),
            kNowhere),
        row("WM_SETTINGCHANGE sent with no text", kSend, Main, WM_SETTINGCHANGE, 0, 0),
        row("WM_COMMAND, a bad control", kPost, Main, WM_COMMAND, MAKEWPARAM(100, BN_CLICKED), kNowhere),
        row("WM_CTLCOLORSTATIC, a bad DC and label", kPost, Main, WM_CTLCOLORSTATIC, kNowhere, kNowhere),
        row("WM_SETCURSOR, a bad window", kPost, Main, WM_SETCURSOR, kNowhere,
            MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
        row("WM_ACTIVATE, a bad window", kPost, Main, WM_ACTIVATE, WA_ACTIVE, kNowhere),
        row("WM_ENABLE false", kPost, Main, WM_ENABLE, 0, 0),
        row("the error box's own message", kPost, Main, WM_APP + 1, kNowhere, kNowhere),
        row("the input rule's own message", kPost, Main, WM_APP + 2, kNowhere, kNowhere),
        row("WM_KILLFOCUS to a field, a bad window", kPost, txtweightstandard, WM_KILLFOCUS, kNowhere, 0),
        row("WM_GETOBJECT to a field", kPost, txtweightstandard, WM_GETOBJECT, kNowhere, OBJID_CLIENT),
    });
    // clang-format on
}

}  // namespace

int main(int argc, char** argv) {
    CoInitialize(nullptr);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
