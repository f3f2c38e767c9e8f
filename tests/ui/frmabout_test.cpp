// The About window as the user meets it: chosen from the main window's menu, shown modally, read
// while it is open, then closed with its close button (WM_CLOSE).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "core/runtime_error.h"
#include "platform/runtime/application.h"
#include "platform/runtime/controls.h"
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

// One opening of the About window: what to do while it is open, and what happened.
struct Visit {
    std::function<void(HWND)> inspect;
    HWND about = nullptr;
    bool inspected = false;
    bool timed_out = false;
};
Visit* current_visit = nullptr;

// Runs from the About window's own modal loop, once the window is shown and idle.
void CALLBACK inspect_when_idle(HWND about, UINT, UINT_PTR timer, DWORD) {
    KillTimer(about, timer);
    current_visit->inspected = true;
    current_visit->inspect(about);
    PostMessageW(about, WM_CLOSE, 0, 0);
}

// A missed or stuck window must not hang the run.
void CALLBACK watchdog(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    if (current_visit->about && IsWindow(current_visit->about)) {
        current_visit->timed_out = true;
        PostMessageW(current_visit->about, WM_CLOSE, 0, 0);
    }
}

bool is_about_window(HWND window) {
    wchar_t class_name[32] = {};
    GetClassNameW(window, class_name, 32);
    return std::wstring_view(class_name) == rt::kFormClass &&
           gui_test::window_text(window) == L"About";
}

BOOL CALLBACK add_text(HWND child, LPARAM list) {
    reinterpret_cast<std::vector<std::wstring>*>(list)->push_back(gui_test::window_text(child));
    return TRUE;
}

// The text of every control of a window, in z-order, descending into panels.
std::vector<std::wstring> all_control_texts(HWND window) {
    std::vector<std::wstring> texts;
    EnumChildWindows(window, &add_text, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

BOOL CALLBACK add_if_visible(HWND window, LPARAM list) {
    if (IsWindowVisible(window)) {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    }
    return TRUE;
}

std::vector<HWND> visible_windows_of_this_thread() {
    std::vector<HWND> windows;
    EnumThreadWindows(GetCurrentThreadId(), &add_if_visible, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

HICON window_icon(HWND window, WPARAM kind) {
    return reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, kind, 0));
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
    void TearDown() override {
        for (const wchar_t* name : {L"frmabout", L"frmmain"}) {
            if (rt::Form* form = app.existing_form(name)) {
                form->unload();
            }
        }
        gui_test::pump_messages();
        EXPECT_TRUE(errors.empty()) << "a run-time error was reported";
    }

    // Chooses About in the main window's menu; `inspect` runs while the About window is open
    // and modal, after which the window is closed. Returns the About window's handle.
    HWND choose_about(std::function<void(HWND)> inspect) {
        Visit visit{std::move(inspect)};
        current_visit = &visit;
        gui_test::ActivationWatcher watcher([&visit](HWND window) {
            if (!visit.about && is_about_window(window)) {
                visit.about = window;
                SetTimer(window, 1, 20, &inspect_when_idle);
            }
        });
        const UINT_PTR guard = SetTimer(nullptr, 0, 10'000, &watchdog);
        const UINT about_command = GetMenuItemID(GetMenu(main), 0);
        PostMessageW(main, WM_COMMAND, MAKEWPARAM(about_command, 0), 0);
        gui_test::pump_messages();  // returns once the modal window has been closed
        KillTimer(nullptr, guard);
        current_visit = nullptr;
        EXPECT_TRUE(visit.inspected) << "the About window did not open";
        EXPECT_FALSE(visit.timed_out) << "the About window had to be closed by the watchdog";
        EXPECT_FALSE(visit.about && IsWindow(visit.about)) << "WM_CLOSE left the window open";
        return visit.about;
    }

    rt::Win32Application app{GetModuleHandleW(nullptr), kForms};
    std::vector<core::RuntimeError> errors;
    HWND main = nullptr;
};

TEST_F(AboutWindowTest, ShowsItsTitleAndFiveLabelsAsLaidOutAt96Dpi) {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    if (dpi != kDpi) {
        GTEST_SKIP() << "the display is at " << dpi << " DPI, the pixel sizes are for 96";
    }
    choose_about([this](HWND about) {
        EXPECT_EQ(gui_test::window_text(about), L"About");
        RECT client{};
        GetClientRect(about, &client);
        EXPECT_EQ(client.right, 304);
        EXPECT_EQ(client.bottom, 153);
        const LONG_PTR style = GetWindowLongPtrW(about, GWL_STYLE);
        EXPECT_TRUE(style & WS_CAPTION) << "a title bar";
        EXPECT_TRUE(style & WS_SYSMENU) << "a control menu and close button";
        EXPECT_FALSE(style & WS_THICKFRAME) << "fixed single border: no resizing";
        EXPECT_FALSE(style & WS_MINIMIZEBOX);
        EXPECT_FALSE(style & WS_MAXIMIZEBOX);
        EXPECT_EQ(GetMenu(about), nullptr);
        EXPECT_NE(window_icon(about, ICON_BIG), nullptr);
        EXPECT_NE(window_icon(about, ICON_SMALL), nullptr);

        rt::Form& form = app.form(L"frmabout");
        std::vector<std::pair<LONG, std::wstring>> top_to_bottom;
        for (const LabelRow& row : kLabels) {
            SCOPED_TRACE(testing::Message() << "label " << std::wstring(row.name).c_str());
            const HWND label = form.control(row.name);
            ASSERT_NE(label, nullptr);
            const RECT at = gui_test::rect_in_parent(label);
            const int left = rt::twips_to_pixels(row.left, kDpi);
            const int top = rt::twips_to_pixels(row.top, kDpi);
            EXPECT_EQ(at.left, left);
            EXPECT_EQ(at.top, top);
            EXPECT_EQ(at.right, left + rt::twips_to_pixels(row.width, kDpi));
            EXPECT_EQ(at.bottom, top + rt::twips_to_pixels(row.height, kDpi));
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
            EXPECT_LE(extent.cx, at.right - at.left);
            EXPECT_LE(extent.cy, at.bottom - at.top);
            top_to_bottom.emplace_back(at.top, gui_test::window_text(label));
        }
        std::stable_sort(top_to_bottom.begin(), top_to_bottom.end());
        const std::vector<std::wstring> expected_order{frmabout::kTitle, frmabout::kVersion,
                                                       frmabout::kRightsNotice, frmabout::kWebSite,
                                                       frmabout::kSupportEmail};
        std::vector<std::wstring> order;
        for (const auto& [top, text] : top_to_bottom) {
            order.push_back(text);
        }
        EXPECT_EQ(order, expected_order);
        gui_test::save_screenshot(about, L"about");
    });
}

TEST_F(AboutWindowTest, IsModalAndOwnedByTheMainWindow) {
    ASSERT_TRUE(IsWindowEnabled(main));
    choose_about([this](HWND about) {
        EXPECT_FALSE(IsWindowEnabled(main)) << "the main window must take no input";
        EXPECT_EQ(GetWindow(about, GW_OWNER), main);
        EXPECT_EQ(GetActiveWindow(), about);
    });
    EXPECT_TRUE(IsWindowEnabled(main));
    EXPECT_EQ(GetActiveWindow(), main) << "closing gives the input back to the main window";
}

TEST_F(AboutWindowTest, OneInstanceIsReusedAndLoadSetsTheIconsAtEveryShowing) {
    EXPECT_EQ(app.existing_form(L"frmabout"), nullptr) << "created only on first use";
    const rt::Form* first_instance = nullptr;
    choose_about([&](HWND about) {
        first_instance = app.existing_form(L"frmabout");
        EXPECT_NE(window_icon(about, ICON_BIG), nullptr);
        EXPECT_NE(window_icon(about, ICON_SMALL), nullptr);
        clear_icons(about);
    });
    ASSERT_NE(first_instance, nullptr);
    EXPECT_FALSE(first_instance->loaded()) << "closing unloads the window";
    // Load gives the icons to the top-level owner too: take them away to see them come back.
    clear_icons(main);
    choose_about([&](HWND about) {
        EXPECT_EQ(app.existing_form(L"frmabout"), first_instance);
        EXPECT_NE(window_icon(about, ICON_BIG), nullptr);
        EXPECT_NE(window_icon(about, ICON_SMALL), nullptr);
        EXPECT_NE(window_icon(main, ICON_BIG), nullptr);
        EXPECT_NE(window_icon(main, ICON_SMALL), nullptr);
    });
}

TEST_F(AboutWindowTest, ClosingReturnsToTheMainWindowUnchanged) {
    const std::vector<std::wstring> before = all_control_texts(main);
    ASSERT_FALSE(before.empty());
    std::vector<std::wstring> while_open;
    choose_about([&](HWND) { while_open = all_control_texts(main); });
    EXPECT_EQ(while_open, before);
    EXPECT_EQ(all_control_texts(main), before);
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_EQ(gui_test::window_text(main), L"Quenlow");
}

TEST_F(AboutWindowTest, ClickingALabelDoesNothing) {
    choose_about([this](HWND about) {
        const std::vector<HWND> windows_before = visible_windows_of_this_thread();
        const std::vector<std::wstring> texts_before = all_control_texts(about);
        for (const LabelRow& row : kLabels) {
            gui_test::click_centre(app.form(L"frmabout").control(row.name));
        }
        EXPECT_EQ(visible_windows_of_this_thread(), windows_before) << "no window may appear";
        EXPECT_EQ(all_control_texts(about), texts_before);
        EXPECT_TRUE(IsWindowVisible(about));
        EXPECT_EQ(GetActiveWindow(), about);
    });
}

TEST_F(AboutWindowTest, NothingInTheWindowTakesTheFocus) {
    choose_about([](HWND about) {
        EXPECT_EQ(GetFocus(), about);
        gui_test::press_key(VK_TAB);
        EXPECT_EQ(GetFocus(), about) << "Tab must not move the focus onto a label";
        gui_test::press_key(VK_TAB, true);
        EXPECT_EQ(GetFocus(), about);
    });
}

}  // namespace
