// The About window as the user meets it: chosen from the main window's menu, shown modally, read
// while it is open, then closed with its close button (WM_CLOSE).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/runtime_error.h"
#include "platform/runtime/application.h"
#include "platform/runtime/dpi.h"
#include "platform/runtime/twips.h"
#include "tests/support/gui_test_support.h"
#include "ui/frmabout/about_texts.h"
#include "ui/frmabout/frmabout.h"
#include "ui/frmmain/frmmain.h"

namespace {

constexpr const rt::FormDef* kForms[] = {&frmmain::kForm, &frmabout::kForm};
constexpr int kDpi = 96;

// The labels as the window must show them, top to bottom; positions in twips.
struct LabelRow {
    const wchar_t* name;
    int left, top, width, height;
    const wchar_t* text;
    DWORD alignment;
    float points;
    bool bold;
};
// clang-format off
constexpr LabelRow kLabels[] = {
//   label            left   top  width height text                     alignment   points  bold
    {L"lblsd",           0,  360, 4575,  255, frmabout::kTitle,         SS_CENTER,  9.75f,  true},
    {L"lblversion",    645,  660, 3135,  255, frmabout::kVersion,       SS_RIGHT,   8.25f,  false},
    {L"lblcopyright",    0, 1080, 4575,  255, frmabout::kRightsNotice,  SS_CENTER,  8.25f,  false},
    {L"lblsite",         0, 1380, 4575,  255, frmabout::kWebSite,       SS_CENTER,  8.25f,  true},
    {L"lblemail",        0, 1680, 4575,  255, frmabout::kSupportEmail,  SS_CENTER,  8.25f,  true},
};
// clang-format on

// What to do with the About window while it is open: run from its own modal loop once the window
// is shown and idle, after which the window is closed.
std::function<void(HWND)> inspect_about;

void CALLBACK inspect_when_idle(HWND about, UINT, UINT_PTR timer, DWORD) {
    KillTimer(about, timer);
    std::exchange(inspect_about, nullptr)(about);
    PostMessageW(about, WM_CLOSE, 0, 0);
}

BOOL CALLBACK add_window(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

// The window's text, then those of all its controls in z-order, descending into panels.
std::vector<std::wstring> texts_of(HWND window) {
    std::vector<HWND> windows{window};
    EnumChildWindows(window, &add_window, reinterpret_cast<LPARAM>(&windows));
    std::vector<std::wstring> texts(windows.size());
    std::ranges::transform(windows, texts.begin(), &gui_test::window_text);
    return texts;
}

std::vector<HWND> visible_windows_of_this_thread() {
    std::vector<HWND> windows;
    EnumThreadWindows(GetCurrentThreadId(), &add_window, reinterpret_cast<LPARAM>(&windows));
    std::erase_if(windows, [](HWND window) { return !IsWindowVisible(window); });
    return windows;
}

bool has_both_icons(HWND window) {
    return SendMessageW(window, WM_GETICON, ICON_BIG, 0) &&
           SendMessageW(window, WM_GETICON, ICON_SMALL, 0);
}

void clear_icons(HWND window) {
    SendMessageW(window, WM_SETICON, ICON_BIG, 0);
    SendMessageW(window, WM_SETICON, ICON_SMALL, 0);
}

class AboutWindowTest : public testing::Test {
  protected:
    void SetUp() override {
        app.set_error_handler(
            [this](const core::RuntimeError& error, rt::Form&) { errors.push_back(error); });
        app.form(L"frmmain").show();
        gui_test::pump_messages();
        main = app.form(L"frmmain").window();
    }
    // The application's forms take their windows with them.
    void TearDown() override { EXPECT_TRUE(errors.empty()) << "a run-time error was reported"; }

    // Chooses About in the main window's menu; `inspect` runs while the About window is open.
    void choose_about(std::function<void(HWND)> inspect) {
        inspect_about = std::move(inspect);
        HWND about = nullptr;
        gui_test::ActivationWatcher watcher([&about](HWND window) {
            if (!about && gui_test::window_text(window) == L"About") {
                about = window;
                SetTimer(window, 1, 20, &inspect_when_idle);
            }
        });
        PostMessageW(main, WM_COMMAND, MAKEWPARAM(GetMenuItemID(GetMenu(main), 0), 0), 0);
        gui_test::pump_messages();  // returns once the modal window has been closed
        EXPECT_FALSE(inspect_about) << "the About window did not open";
        EXPECT_FALSE(about && IsWindow(about)) << "WM_CLOSE left the window open";
        inspect_about = nullptr;
    }

    rt::Win32Application app{GetModuleHandleW(nullptr), kForms};
    std::vector<core::RuntimeError> errors;
    HWND main = nullptr;
};

TEST_F(AboutWindowTest, ShowsItsTitleAndFiveLabelsAsLaidOutAt96Dpi) {
    if (const UINT dpi = rt::dpi_for_window(main); dpi != kDpi) {
        GTEST_SKIP() << "the display is at " << dpi << " DPI, the pixel sizes are for 96";
    }
    choose_about([this](HWND about) {
        RECT client{};
        GetClientRect(about, &client);
        EXPECT_EQ(std::pair(client.right, client.bottom), std::pair(304L, 153L));
        // A fixed single border with a title bar and a close button, no menu.
        const LONG_PTR style = GetWindowLongPtrW(about, GWL_STYLE);
        EXPECT_EQ(
            style & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX),
            WS_CAPTION | WS_SYSMENU);
        EXPECT_EQ(GetMenu(about), nullptr);

        for (const LabelRow& row : kLabels) {
            SCOPED_TRACE(testing::Message() << "label " << std::wstring(row.name).c_str());
            const HWND label = app.form(L"frmabout").control(row.name);
            const RECT at = gui_test::rect_in_parent(label);
            const SIZE size{at.right - at.left, at.bottom - at.top};
            const auto px = [](int twips) { return LONG{rt::twips_to_pixels(twips, kDpi)}; };
            EXPECT_EQ((std::array{at.left, at.top, size.cx, size.cy}),
                      (std::array{px(row.left), px(row.top), px(row.width), px(row.height)}));
            EXPECT_EQ(gui_test::window_text(label), row.text);
            EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(label, GWL_STYLE)) & SS_TYPEMASK,
                      row.alignment);

            const auto font = reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0));
            LOGFONTW described{};
            ASSERT_TRUE(GetObjectW(font, sizeof described, &described));
            EXPECT_STREQ(described.lfFaceName, L"MS Sans Serif");
            EXPECT_EQ(described.lfHeight, rt::font_pixel_height(row.points, kDpi));
            EXPECT_EQ(described.lfWeight, row.bold ? FW_BOLD : FW_NORMAL);
            EXPECT_FALSE(described.lfItalic || described.lfUnderline || described.lfStrikeOut);

            // Each text must fit its label on one line, or it would be clipped.
            const HDC dc = GetDC(label);
            const HGDIOBJ previous = SelectObject(dc, font);
            SIZE extent{};
            GetTextExtentPoint32W(dc, row.text, lstrlenW(row.text), &extent);
            SelectObject(dc, previous);
            ReleaseDC(label, dc);
            EXPECT_LE(extent.cx, size.cx);
            EXPECT_LE(extent.cy, size.cy);
        }
        gui_test::save_screenshot(about, L"about");
    });
}

TEST_F(AboutWindowTest, EachShowingIsModalSetsTheIconsAndLeavesTheMainWindowAsItWas) {
    EXPECT_EQ(app.existing_form(L"frmabout"), nullptr) << "created only on first use";
    const std::vector<std::wstring> texts = texts_of(main);
    ASSERT_FALSE(texts.empty());
    std::vector<const rt::Form*> instances;
    for (int showing = 1; showing <= 2; ++showing) {
        SCOPED_TRACE(showing);
        clear_icons(main);  // the About window's load gives them to its top-level owner too
        choose_about([&](HWND about) {
            EXPECT_FALSE(IsWindowEnabled(main)) << "the main window must take no input";
            EXPECT_EQ(GetWindow(about, GW_OWNER), main);
            EXPECT_EQ(texts_of(main), texts);
            EXPECT_TRUE(has_both_icons(about));
            EXPECT_TRUE(has_both_icons(main));
            clear_icons(about);  // so that a window kept over to the next showing would show
        });
        const rt::Form* form = app.existing_form(L"frmabout");
        ASSERT_NE(form, nullptr);
        EXPECT_FALSE(form->loaded()) << "closing unloads the window";
        instances.push_back(form);
        EXPECT_TRUE(IsWindowEnabled(main));
        EXPECT_EQ(GetActiveWindow(), main) << "closing gives the input back to the main window";
        EXPECT_EQ(texts_of(main), texts);
        EXPECT_TRUE(IsWindowVisible(main));
    }
    EXPECT_EQ(instances[1], instances[0]) << "one instance, reused";
}

TEST_F(AboutWindowTest, LabelsTakeNeitherClicksNorTheFocus) {
    choose_about([this](HWND about) {
        EXPECT_EQ(GetFocus(), about);
        for (const bool shift : {false, true}) {
            gui_test::press_key(VK_TAB, shift);
            EXPECT_EQ(GetFocus(), about) << "Tab must not move the focus onto a label";
        }
        const std::vector<HWND> windows_before = visible_windows_of_this_thread();
        const std::vector<std::wstring> texts_before = texts_of(about);
        for (const LabelRow& row : kLabels) {
            gui_test::click_centre(app.form(L"frmabout").control(row.name));
        }
        EXPECT_EQ(visible_windows_of_this_thread(), windows_before) << "no window may appear";
        EXPECT_EQ(texts_of(about), texts_before);
        EXPECT_EQ(GetFocus(), about) << "a click must not give a label the focus";
    });
}

}  // namespace
