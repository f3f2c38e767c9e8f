// What only the inside of the program can see, on real windows and messages under Wine: fonts,
// colours, pointers, the menu, icons, a DPI change and About's loop; the rest is checked on the
// released program (tests/program). Expected values are written out, never read from the tables.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "ui/frmmain/frmmain.h"

namespace {

using namespace frmmain;

// What a control's settings show: bold, transparent, the hand pointer, no font (a panel).
enum Look : unsigned { kPlain = 0, kBold = 1, kClear = 2, kHand = 4, kPanel = 8 };

void expect_look(HWND control, unsigned look, LONG font_height = -11) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font,
               &font);
    if (!(look & kPanel)) {
        EXPECT_EQ(font.lfWeight, look & kBold ? FW_BOLD : FW_NORMAL);
        EXPECT_EQ(font.lfHeight, font_height);
        EXPECT_STREQ(font.lfFaceName, L"MS Sans Serif");
    }
    wchar_t window_class[16] = {};
    GetClassNameW(control, window_class, 16);
    if (lstrcmpiW(window_class, L"Static") == 0) {
        const HDC dc = CreateCompatibleDC(nullptr);
        const LRESULT brush =
            SendMessageW(GetParent(control), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                         reinterpret_cast<LPARAM>(control));
        // A label's background is its container's: a panel's window colour, a window's button face.
        const auto container_colour = GetClassLongPtrW(GetParent(control), GCLP_HBRBACKGROUND) - 1;
        EXPECT_EQ(brush, reinterpret_cast<LRESULT>(GetSysColorBrush(int(container_colour))));
        EXPECT_EQ(GetBkMode(dc) == TRANSPARENT, (look & kClear) != 0);
        EXPECT_EQ(GetTextColor(dc), GetSysColor(COLOR_WINDOWTEXT));
        if (!(look & kClear)) {
            EXPECT_EQ(GetBkColor(dc), GetSysColor(COLOR_BTNFACE));
        }
        DeleteDC(dc);
    }
    SetCursor(nullptr);
    SendMessageW(control, WM_SETCURSOR, reinterpret_cast<WPARAM>(control),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    // The pointing hand over the buttons, the text cursor over the fields, the arrow elsewhere.
    const bool text_box = lstrcmpiW(window_class, L"Edit") == 0;
    EXPECT_EQ(GetCursor(), look & kHand ? LoadImageW(GetModuleHandleW(nullptr), L"HAND",
                                                     IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE | LR_SHARED)
                                        : LoadCursorW(nullptr, text_box ? IDC_IBEAM : IDC_ARROW));
}

// The program icon in both kinds, each at the size the system gives that kind. Icons are loaded
// shared: the same group at the same size is the same handle.
void expect_program_icons(HWND window) {
    for (const auto& [kind, metric] : {std::pair{ICON_BIG, SM_CXICON}, {ICON_SMALL, SM_CXSMICON}}) {
        const int size = GetSystemMetrics(metric);
        EXPECT_EQ(reinterpret_cast<HANDLE>(SendMessageW(window, WM_GETICON, kind, 0)),
                  LoadImageW(GetModuleHandleW(nullptr), L"AAA", IMAGE_ICON, size, size, LR_SHARED))
            << "icon kind " << kind;
    }
}

class MainWindowTest : public testing::Test {
  protected:
    void SetUp() override {
        window.open();
        window.show();
        for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);) {
            DispatchMessageW(&message);
        }
    }
    HWND operator[](Control id) const { return window.control(id); }

    MainWindow window;
};

TEST_F(MainWindowTest, ControlsHaveTheirFontsBackgroundsPointersTabsMenuAndIcon) {
    // Colours as a high-contrast theme sets them: every colour is the system's, none fixed.
    const int elements[] = {COLOR_WINDOW, COLOR_BTNFACE, COLOR_WINDOWTEXT};
    const COLORREF contrast[] = {RGB(0, 0, 0), RGB(0, 0, 128), RGB(255, 255, 0)};
    const COLORREF before[] = {GetSysColor(elements[0]), GetSysColor(elements[1]),
                               GetSysColor(elements[2])};
    SetSysColors(3, elements, contrast);
    constexpr unsigned kPrompt = kBold | kClear;
    // clang-format off
    const std::pair<Control, unsigned> looks[] = {
        {TabStrip, kPlain}, {box1, kPanel}, {box2, kPanel},
        {lblyourweightstandard, kPrompt}, {txtweightstandard, kPlain}, {lbllbstandard, kClear},
        {lblheightstandard, kPrompt}, {txtfeetstandard, kPlain}, {lblftstandard, kClear},
        {txtinchstandard, kPlain}, {lblinstandard, kClear}, {cmdcalculatestandard, kHand},
        {lblresultsstandard, kClear}, {lblrangestandard, kClear},
        {lblweightmetric, kPrompt}, {txtweightmetric, kPlain}, {lblkg, kClear},
        {lblheightmetric, kPrompt}, {txtmmetric, kPlain}, {lblm, kClear},
        {txtcmmetric, kPlain}, {lblcm, kClear}, {cmdcalculatemetric, kHand},
        {lblresultsmetric, kClear}, {lblrangemetric, kClear},
    };
    // clang-format on
    for (const auto& [control, look] : looks) {
        SCOPED_TRACE(testing::Message() << "control " << control);
        expect_look((*this)[control], look);
    }
    SetSysColors(3, elements, before);
    for (const auto& [index, caption] : {std::pair{0, L"Standard"}, {1, L"Metric"}}) {
        wchar_t shown[16] = {};
        TCITEMW item{TCIF_TEXT, 0, 0, shown, 16, 0, 0};
        SendMessageW((*this)[TabStrip], TCM_GETITEMW, index, reinterpret_cast<LPARAM>(&item));
        EXPECT_STREQ(shown, caption);
    }
    EXPECT_EQ(GetClassLongPtrW(window.handle(), GCLP_HBRBACKGROUND), COLOR_BTNFACE + 1);
    EXPECT_EQ(GetClassLongPtrW((*this)[box1], GCLP_HBRBACKGROUND), COLOR_WINDOW + 1);
    // The icons are there before the About window could give them to its owner.
    expect_program_icons(window.handle());
    const HMENU menu = GetMenu(window.handle());
    wchar_t caption[16] = {};
    GetMenuStringW(menu, 0, caption, 16, MF_BYPOSITION);
    EXPECT_STREQ(caption, L"About");
    EXPECT_EQ(std::pair(GetMenuItemCount(menu), GetSubMenu(menu, 0)), std::pair(1, HMENU{}));
}

TEST_F(MainWindowTest, FollowsAMoveToAMonitorOfAnotherDpi) {
    // At 144 DPI everything scales by 1.5, the frame measured again, about the same centre.
    RECT client{}, outer{};
    GetWindowRect(window.handle(), &outer);
    const POINT centre{(outer.left + outer.right) / 2, (outer.top + outer.bottom) / 2};
    RECT suggested{100, 50, 100 + 800, 50 + 560};
    SendMessageW(window.handle(), WM_DPICHANGED, MAKEWPARAM(144, 144),
                 reinterpret_cast<LPARAM>(&suggested));
    GetClientRect(window.handle(), &client);
    GetWindowRect(window.handle(), &outer);
    EXPECT_EQ(std::pair(client.right, client.bottom), std::pair(792L, 482L));
    EXPECT_LE(std::abs((outer.left + outer.right) / 2 - centre.x), 1);
    EXPECT_LE(std::abs((outer.top + outer.bottom) / 2 - centre.y), 1);
    RECT result{};
    GetWindowRect((*this)[lblresultsmetric], &result);
    MapWindowPoints(nullptr, (*this)[box2], reinterpret_cast<POINT*>(&result), 2);
    EXPECT_EQ(std::pair(result.left, result.right), std::pair(264L, 264L + 410));
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW((*this)[txtcmmetric], WM_GETFONT, 0, 0)),
               sizeof font, &font);
    EXPECT_EQ(font.lfHeight, -17);
}

TEST_F(MainWindowTest, AboutHasItsFontsAndIconsAtEachOpening) {
    frmabout::AboutWindow about;
    for (int opening = 1; opening <= 2; ++opening) {
        SCOPED_TRACE(testing::Message() << "opening " << opening);
        about.open(window.handle());
        expect_program_icons(about.handle());
        const std::pair<unsigned, LONG> lines[] = {
            {kBold, -13}, {kPlain, -11}, {kPlain, -11}, {kBold, -11}, {kBold, -11}};
        HWND label = GetWindow(about.handle(), GW_CHILD);
        for (const auto& [look, height] : lines) {
            expect_look(label, look, height);
            label = GetWindow(label, GW_HWNDNEXT);
        }
        about.close();
    }
}

void CALLBACK quit_once_about_is_open(HWND, UINT, UINT_PTR timer, DWORD) {
    if (FindWindowW(nullptr, L"About")) {
        KillTimer(nullptr, timer);
        PostQuitMessage(7);
    }
}

void CALLBACK quit_after_closing_about(HWND, UINT, UINT_PTR, DWORD) {
    DestroyWindow(FindWindowW(nullptr, L"About"));
    PostQuitMessage(-1);
}

// Asked to end while About is open from the menu, the program ends: About's own loop gives the
// exit code on. Should it keep the quit to itself, the watchdog closes About and quits with -1.
TEST_F(MainWindowTest, AQuitWhileAboutIsOpenEndsTheProgram) {
    PostMessageW(window.handle(), WM_COMMAND, GetMenuItemID(GetMenu(window.handle()), 0), 0);
    SetTimer(nullptr, 0, 10, quit_once_about_is_open);
    const UINT_PTR watchdog = SetTimer(nullptr, 0, 3'000, quit_after_closing_about);
    EXPECT_EQ(platform::run_message_loop(), 7);
    KillTimer(nullptr, watchdog);
}

}  // namespace

int main(int argc, char** argv) {
    const INITCOMMONCONTROLSEX classes{sizeof classes, ICC_TAB_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&classes);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
