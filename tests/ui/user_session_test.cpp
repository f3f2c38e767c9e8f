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
#include "tests/support/remote_program.h"

#ifndef QUENLOW_EXE
#error "QUENLOW_EXE must name the program under test"
#endif

namespace {

// The build names the program by its host path; seen from Wine the Linux file system is Z:.
std::wstring program_path() {
    std::wstring path = L"" QUENLOW_EXE;
    if (path.starts_with(L'/')) {
        path.insert(0, L"Z:");
    }
    std::ranges::replace(path, L'/', L'\\');
    return path;
}

// The visible control of this class whose text starts so (those on the hidden panel are not).
HWND visible_control(HWND window, const std::wstring& class_name, const std::wstring& prefix) {
    for (const HWND control : remote::descendants(window, true)) {
        if (remote::class_of(control) == class_name &&
            remote::text_of(control).starts_with(prefix)) {
            return control;
        }
    }
    return nullptr;
}

class UserSessionTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(remote::start_and_wait(program_path(), L"QuenlowForm", L"Quenlow", program))
            << "no window titled Quenlow appeared for " << testing::PrintToString(program_path());
        main = program.window;
    }
    void TearDown() override {
        if (program.process.hProcess) {
            EXPECT_NE(remote::close_and_wait(program), -1)
                << "the program did not end when its window was closed";
        }
    }
    DWORD process_id() const { return program.process.dwProcessId; }

    remote::RemoteProgram program;
    HWND main = nullptr;
};

// The icon is checked in-process: Wine answers no WM_GETICON from another process.
TEST_F(UserSessionTest, OneWindowAtStartAModalAboutFromTheMenuAndClosingEndsWithExitCodeZero) {
    EXPECT_EQ(remote::top_level_windows(process_id()), std::vector{main}) << "one window at start";

    remote::choose_first_menu_entry(main);
    HWND about = nullptr;
    ASSERT_TRUE(remote::wait_until([&] {
        return (about = remote::find_top_level(process_id(), L"QuenlowForm", L"About"));
    })) << "the About window did not appear";
    EXPECT_FALSE(IsWindowEnabled(main)) << "modal: the main window must take no input meanwhile";
    PostMessageW(about, WM_CLOSE, 0, 0);
    EXPECT_TRUE(remote::wait_until([&] { return !IsWindow(about); })) << "WM_CLOSE left it open";

    EXPECT_EQ(remote::close_and_wait(program), 0) << "the exit code after closing the window";
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
        EXPECT_EQ(remote::text_of(result), core::result_caption(expected, locale));
    }
}

}  // namespace
