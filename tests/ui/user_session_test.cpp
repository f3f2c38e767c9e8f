// Quenlow.exe of this build, started as its own process and used from outside as a user would:
// the About menu entry, both calculators, and closing the window to end the program.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
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
    if (path.starts_with(L'/')) {
        path.insert(0, L"Z:");
    }
    std::ranges::replace(path, L'/', L'\\');
    return path;
}

// Texts are read with WM_GETTEXT: GetWindowText does not ask a window of another process.
std::wstring text_of(HWND window) {
    wchar_t buffer[512] = {};
    SendMessageW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

BOOL CALLBACK add_window(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

// The visible top-level windows of the process.
std::vector<HWND> windows_of(DWORD process) {
    std::vector<HWND> windows;
    EnumWindows(&add_window, reinterpret_cast<LPARAM>(&windows));
    std::erase_if(windows, [process](HWND window) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        return owner != process || !IsWindowVisible(window);
    });
    return windows;
}

// The visible top-level window of the process with this title, or nullptr.
HWND find_window(DWORD process, const std::wstring& title) {
    const std::vector<HWND> windows = windows_of(process);
    const auto found = std::ranges::find(windows, title, &text_of);
    return found == windows.end() ? nullptr : *found;
}

// The visible controls of this class (those on the hidden panel are not), in z-order.
std::vector<HWND> visible_controls(HWND window, const std::wstring& class_name) {
    std::vector<HWND> controls;
    EnumChildWindows(window, &add_window, reinterpret_cast<LPARAM>(&controls));
    std::erase_if(controls, [&](HWND control) {
        wchar_t name[64] = {};
        GetClassNameW(control, name, 64);
        return !IsWindowVisible(control) || name != class_name;
    });
    return controls;
}

HWND visible_control(HWND window, const std::wstring& class_name, const std::wstring& prefix) {
    for (const HWND control : visible_controls(window, class_name)) {
        if (text_of(control).starts_with(prefix)) {
            return control;
        }
    }
    return nullptr;
}

template <typename Condition>
bool wait_until(Condition condition) {
    for (ULONGLONG start = GetTickCount64(); !condition(); Sleep(10)) {
        if (GetTickCount64() - start > kPatience) {
            return false;
        }
    }
    return true;
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
        ASSERT_TRUE(wait_until([&] {
            return (main = find_window(program.dwProcessId, L"Quenlow"));
        })) << "no window titled Quenlow appeared";
    }
    void TearDown() override {
        if (program.hProcess && WaitForSingleObject(program.hProcess, 0) == WAIT_TIMEOUT) {
            PostMessageW(main, WM_CLOSE, 0, 0);
            if (WaitForSingleObject(program.hProcess, kPatience) != WAIT_OBJECT_0) {
                ADD_FAILURE() << "the program did not end when its window was closed";
                TerminateProcess(program.hProcess, 99);
            }
        }
        CloseHandle(program.hProcess);
    }

    // Windows lets another process read the menu and post its command. Wine keeps a menu in the
    // process that made it, so there the entry is clicked as the user would, on the menu bar just
    // above the client area.
    void choose_about() {
        if (const UINT command = GetMenuItemID(GetMenu(main), 0); command != UINT(-1)) {
            PostMessageW(main, WM_COMMAND, MAKEWPARAM(command, 0), 0);
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

// The icon is checked in-process: Wine answers no WM_GETICON from another process.
TEST_F(UserSessionTest, OneWindowAtStartAModalAboutFromTheMenuAndClosingEndsWithExitCodeZero) {
    EXPECT_EQ(windows_of(program.dwProcessId), std::vector{main}) << "one window at start";

    choose_about();
    HWND about = nullptr;
    ASSERT_TRUE(wait_until([&] { return (about = find_window(program.dwProcessId, L"About")); }))
        << "the About window did not appear";
    EXPECT_FALSE(IsWindowEnabled(main)) << "modal: the main window must take no input meanwhile";
    PostMessageW(about, WM_CLOSE, 0, 0);
    EXPECT_TRUE(wait_until([&] { return !IsWindow(about); })) << "WM_CLOSE left it open";

    PostMessageW(main, WM_CLOSE, 0, 0);
    ASSERT_EQ(WaitForSingleObject(program.hProcess, kPatience), WAIT_OBJECT_0);
    DWORD exit_code = STILL_ACTIVE;
    ASSERT_TRUE(GetExitCodeProcess(program.hProcess, &exit_code));
    EXPECT_EQ(exit_code, 0u);
}

TEST_F(UserSessionTest, BothCalculatorsShowTheResultForTheirStartValues) {
    using enum core::FieldId;
    // Tab by tab, each calculator's unit system and fields in reading order.
    const std::pair<core::UnitSystem, std::array<core::FieldId, 3>> calculators[] = {
        {core::UnitSystem::Standard, {WeightStandard, FeetStandard, InchesStandard}},
        {core::UnitSystem::Metric, {WeightMetric, MetresMetric, CentimetresMetric}}};
    const core::NumberLocale locale = rt::user_number_locale();
    const HWND tabs = visible_control(main, WC_TABCONTROLW, L"");
    for (int tab = 0; tab < 2; ++tab) {
        SCOPED_TRACE(tab);
        const auto& [system, fields] = calculators[tab];
        if (tab != 0) {  // it opens on the first; TCM_SETCURFOCUS notifies as a click would
            SendMessageW(tabs, TCM_SETCURFOCUS, tab, 0);
        }
        const auto start = [&](int field) { return core::field_rule(fields[field]).start_text; };
        const core::BmiResult expected =
            core::calculate(system, {start(0), start(1), start(2)}, locale);

        SendMessageW(visible_control(main, L"Button", L"Calculate"), BM_CLICK, 0, 0);
        const HWND result = visible_control(main, L"Static", L"Your Body Mass Index (BMI) is");
        ASSERT_NE(result, nullptr);
        EXPECT_EQ(text_of(result), core::result_caption(expected, locale));
    }
}

}  // namespace
