// Quenlow.exe of this build, started as its own process and used from outside as a user would:
// the About menu entry, both calculators, and closing the window to end the program.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/bmi.h"
#include "core/fields.h"
#include "platform/runtime/application.h"

#ifndef QUENLOW_EXE
#error "QUENLOW_EXE must name the program under test"
#endif

namespace {

constexpr DWORD kPatience = 15'000;  // milliseconds; Wine may load slowly on a cold prefix

// The build names the program by its host path; seen from Wine the Linux file system is Z:.
std::wstring program_path() {
    std::wstring path = L"" QUENLOW_EXE;
    if (!path.empty() && path.front() == L'/') {
        path.insert(0, L"Z:");
    }
    for (wchar_t& c : path) {
        if (c == L'/') {
            c = L'\\';
        }
    }
    return path;
}

// Texts are read with WM_GETTEXT: GetWindowText does not ask a window of another process.
std::wstring text_of(HWND window) {
    wchar_t buffer[512] = {};
    SendMessageW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

std::wstring class_of(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

struct WindowQuery {
    DWORD process;
    std::wstring title;
    HWND found = nullptr;
};

BOOL CALLBACK match_top_level(HWND window, LPARAM query_pointer) {
    auto& query = *reinterpret_cast<WindowQuery*>(query_pointer);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == query.process && IsWindowVisible(window) && class_of(window) == L"QuenlowForm" &&
        text_of(window) == query.title) {
        query.found = window;
        return FALSE;
    }
    return TRUE;
}

// The visible form window of the process with this title, or nullptr.
HWND find_form(DWORD process, const std::wstring& title) {
    WindowQuery query{process, title};
    EnumWindows(&match_top_level, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

template <typename Condition>
bool wait_until(Condition condition, DWORD milliseconds = kPatience) {
    const ULONGLONG deadline = GetTickCount64() + milliseconds;
    while (!condition()) {
        if (GetTickCount64() > deadline) {
            return false;
        }
        Sleep(10);
    }
    return true;
}

BOOL CALLBACK add_visible(HWND child, LPARAM list) {
    if (IsWindowVisible(child)) {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
    }
    return TRUE;
}

// The visible controls of the window (those on the hidden panel are not), in z-order.
std::vector<HWND> visible_controls(HWND window) {
    std::vector<HWND> controls;
    EnumChildWindows(window, &add_visible, reinterpret_cast<LPARAM>(&controls));
    return controls;
}

HWND visible_control(HWND window, const std::wstring& class_name, const std::wstring& prefix) {
    for (HWND control : visible_controls(window)) {
        if (class_of(control) == class_name && text_of(control).starts_with(prefix)) {
            return control;
        }
    }
    return nullptr;
}

// The three visible fields, in reading order: weight, then the two height fields left to right.
std::vector<std::wstring> visible_field_texts(HWND window) {
    std::vector<std::pair<POINT, std::wstring>> fields;
    for (HWND control : visible_controls(window)) {
        if (class_of(control) == L"Edit") {
            RECT at{};
            GetWindowRect(control, &at);
            fields.push_back({POINT{at.left, at.top}, text_of(control)});
        }
    }
    std::sort(fields.begin(), fields.end(), [](const auto& a, const auto& b) {
        return a.first.y != b.first.y ? a.first.y < b.first.y : a.first.x < b.first.x;
    });
    std::vector<std::wstring> texts;
    for (const auto& field : fields) {
        texts.push_back(field.second);
    }
    return texts;
}

class UserSessionTest : public testing::Test {
  protected:
    void SetUp() override {
        std::wstring command = L"\"" + program_path() + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                   nullptr, &startup, &program))
            << "cannot start " << testing::PrintToString(program_path());
        CloseHandle(program.hThread);
        WaitForInputIdle(program.hProcess, kPatience);
        ASSERT_TRUE(wait_until([&] { return (main = find_form(program.dwProcessId, L"Quenlow")); }))
            << "no window titled Quenlow appeared";
    }
    void TearDown() override {
        if (!program.hProcess) {
            return;
        }
        if (WaitForSingleObject(program.hProcess, 0) == WAIT_TIMEOUT) {
            PostMessageW(main, WM_CLOSE, 0, 0);
            if (WaitForSingleObject(program.hProcess, kPatience) != WAIT_OBJECT_0) {
                ADD_FAILURE() << "the program did not end when its window was closed";
                TerminateProcess(program.hProcess, 99);
            }
        }
        CloseHandle(program.hProcess);
    }

    // Presses the visible Calculate button and returns the visible result label's text.
    std::wstring calculate_on_shown_tab() {
        const HWND button = visible_control(main, L"Button", L"Calculate");
        if (!button) {
            ADD_FAILURE() << "no visible Calculate button";
            return {};
        }
        SendMessageW(button, BM_CLICK, 0, 0);
        const HWND result = visible_control(main, L"Static", L"Your Body Mass Index (BMI) is");
        return result ? text_of(result) : L"(no result label)";
    }

    // Windows lets another process read the menu and post its command. Wine keeps a menu in
    // the process that made it, so there the entry is clicked as the user would, on the menu
    // bar just above the client area.
    void choose_about() {
        const UINT about_command = GetMenuItemID(GetMenu(main), 0);
        if (about_command != static_cast<UINT>(-1)) {
            PostMessageW(main, WM_COMMAND, MAKEWPARAM(about_command, 0), 0);
            return;
        }
        SetForegroundWindow(main);
        POINT client_origin{};
        ClientToScreen(main, &client_origin);
        SetCursorPos(client_origin.x + GetSystemMetrics(SM_CXMENUCHECK),
                     client_origin.y - GetSystemMetrics(SM_CYMENU) / 2);
        INPUT click[2] = {};
        click[0].type = click[1].type = INPUT_MOUSE;
        click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendInput(2, click, sizeof(INPUT));
    }

    PROCESS_INFORMATION program{};
    HWND main = nullptr;
};

BOOL CALLBACK count_visible_top_level(HWND window, LPARAM query_pointer) {
    auto& [process, count] = *reinterpret_cast<std::pair<DWORD, int>*>(query_pointer);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == process && IsWindowVisible(window)) {
        ++count;
    }
    return TRUE;
}

// Wine answers no WM_GETICON from another process, so which icon the window carries is
// checked in-process by the main window's tests.
TEST_F(UserSessionTest, StartsWithExactlyOneWindowTheMainOne) {
    std::pair<DWORD, int> query{program.dwProcessId, 0};
    EnumWindows(&count_visible_top_level, reinterpret_cast<LPARAM>(&query));
    EXPECT_EQ(query.second, 1);
    EXPECT_EQ(text_of(main), L"Quenlow");
}

TEST_F(UserSessionTest, TheMenuOpensTheAboutWindowModallyUntilItIsClosed) {
    EXPECT_EQ(find_form(program.dwProcessId, L"About"), nullptr) << "no About window at start";
    choose_about();
    HWND about = nullptr;
    ASSERT_TRUE(wait_until([&] { return (about = find_form(program.dwProcessId, L"About")); }))
        << "the About window did not appear";
    EXPECT_EQ(GetWindow(about, GW_OWNER), main);
    EXPECT_FALSE(IsWindowEnabled(main)) << "the main window must take no input meanwhile";
    PostMessageW(about, WM_CLOSE, 0, 0);
    EXPECT_TRUE(wait_until([&] { return !IsWindow(about); })) << "WM_CLOSE left it open";
    EXPECT_TRUE(wait_until([&] { return IsWindowEnabled(main) != FALSE; }));
}

TEST_F(UserSessionTest, BothCalculatorsShowTheResultForTheirStartValues) {
    const core::NumberLocale locale = rt::user_number_locale();
    using core::FieldId;
    const auto start = [](FieldId id) { return core::field_rule(id).start_text; };

    const std::vector<std::wstring> standard_fields{std::wstring(start(FieldId::WeightStandard)),
                                                    std::wstring(start(FieldId::FeetStandard)),
                                                    std::wstring(start(FieldId::InchesStandard))};
    ASSERT_EQ(visible_field_texts(main), standard_fields) << "the window opens on Standard";
    const core::BmiResult standard = core::calculate_standard(
        standard_fields[0], standard_fields[1], standard_fields[2], locale);
    EXPECT_EQ(calculate_on_shown_tab(), core::result_caption(standard, locale));

    // TCM_SETCURFOCUS notifies the window as a click on the tab would.
    const HWND tabs = visible_control(main, WC_TABCONTROLW, L"");
    ASSERT_NE(tabs, nullptr);
    SendMessageW(tabs, TCM_SETCURFOCUS, 1, 0);
    const std::vector<std::wstring> metric_fields{std::wstring(start(FieldId::WeightMetric)),
                                                  std::wstring(start(FieldId::MetresMetric)),
                                                  std::wstring(start(FieldId::CentimetresMetric))};
    ASSERT_EQ(visible_field_texts(main), metric_fields) << "the Metric tab shows the metric panel";
    const core::BmiResult metric =
        core::calculate_metric(metric_fields[0], metric_fields[1], metric_fields[2], locale);
    EXPECT_EQ(calculate_on_shown_tab(), core::result_caption(metric, locale));
}

TEST_F(UserSessionTest, ClosingTheMainWindowEndsTheProcessWithExitCodeZero) {
    PostMessageW(main, WM_CLOSE, 0, 0);
    ASSERT_EQ(WaitForSingleObject(program.hProcess, kPatience), WAIT_OBJECT_0);
    DWORD exit_code = STILL_ACTIVE;
    ASSERT_TRUE(GetExitCodeProcess(program.hProcess, &exit_code));
    EXPECT_EQ(exit_code, 0u);
}

}  // namespace
