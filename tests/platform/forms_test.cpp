// The forms run time on real windows under Wine: load before show, one instance per form, modal
// showing, Tab order by TabIndex, event delivery, run-time errors and twips at two DPIs.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/runtime_error.h"
#include "platform/runtime/application.h"
#include "platform/runtime/twips.h"
#include "tests/support/gui_test_support.h"

namespace {

using enum rt::ControlKind;

// What the test form's procedures saw; reset by the fixture.
struct Journal {
    std::vector<std::wstring> events;
    bool visible_at_load = true;
    bool other_form_enabled_while_modal = true;
};
Journal journal;

void Form_Load(rt::FormObject& Me, rt::EventArgs&) {
    journal.events.push_back(L"Load");
    journal.visible_at_load = IsWindowVisible(reinterpret_cast<HWND>(Me.hWnd())) != FALSE;
}

void cmda_Click(rt::FormObject& Me, rt::EventArgs&) {
    journal.events.push_back(L"cmda_Click");
    Me.set_caption(L"lblx", L"clicked");
}

// Fails half-way: the caption write after the failing read must never happen.
void cmdfail_Click(rt::FormObject& Me, rt::EventArgs&) {
    journal.events.push_back(L"cmdfail_Click");
    const std::wstring missing = Me.text(L"txtnothere");
    Me.set_caption(L"lblx", L"written after the failure");
}

// Refuses the letter x, turns a into b, lets everything else through.
void txtb_KeyPress(rt::FormObject&, rt::EventArgs& args) {
    if (args.KeyAscii == 'x') {
        args.KeyAscii = 0;
    } else if (args.KeyAscii == 'a') {
        args.KeyAscii = 'b';
    }
}

void txtb_LostFocus(rt::FormObject&, rt::EventArgs&) {
    journal.events.push_back(L"txtb_LostFocus");
}

// Stacking (table order, front to back) and tab order differ on purpose.
constexpr rt::ControlDef kControls[] = {
    {L"txtc", TextBox, L"", 1500, 0, 1200, 375, 5, L"c"},
    {L"lblx", Label, L"", 0, 600, 1500, 255, 0, L"label"},
    {L"cmda", CommandButton, L"", 0, 0, 1200, 375, 1, L"A"},
    {L"box", PictureBox, L"", 0, 1200, 3000, 1500, 2, L"", rt::kWindowColour},
    {L"txtb", TextBox, L"box", 600, 300, 1200, 375, 3, L"b"},
    {L"txthidden", TextBox, L"", 3000, 0, 900, 375, 4, L"", rt::kHidden},
    {L"cmdfail", CommandButton, L"", 3000, 600, 1200, 375, 6, L"Fail"},
};
constexpr rt::EventBinding kEvents[] = {
    {L"", rt::Event::Load, Form_Load},
    {L"cmda", rt::Event::Click, cmda_Click},
    {L"cmdfail", rt::Event::Click, cmdfail_Click},
    {L"txtb", rt::Event::KeyPress, txtb_KeyPress},
    {L"txtb", rt::Event::LostFocus, txtb_LostFocus},
};
constexpr rt::FormDef kTestForm{.name = L"frmtest",
                                .caption = L"Test form",
                                .client_width = 4800,
                                .client_height = 3000,
                                .minimise_button = true,
                                .controls = kControls,
                                .events = kEvents};

void frmmodal_Load(rt::FormObject&, rt::EventArgs&) {
    journal.events.push_back(L"frmmodal_Load");
}
constexpr rt::ControlDef kModalControls[] = {
    {L"lblonly", Label, L"", 0, 0, 1500, 255, 0, L"modal"},
};
constexpr rt::EventBinding kModalEvents[] = {{L"", rt::Event::Load, frmmodal_Load}};
constexpr rt::FormDef kModalForm{.name = L"frmmodal",
                                 .caption = L"Modal form",
                                 .client_width = 3000,
                                 .client_height = 1500,
                                 .controls = kModalControls,
                                 .events = kModalEvents};

constexpr const rt::FormDef* kForms[] = {&kTestForm, &kModalForm};

class FormsTest : public testing::Test {
  protected:
    void SetUp() override {
        journal = {};
        app.set_error_handler(
            [this](const core::RuntimeError& error, rt::Form&) { errors.push_back(error); });
    }
    void TearDown() override {
        for (const wchar_t* name : {L"frmtest", L"frmmodal"}) {
            if (rt::Form* form = app.existing_form(name)) {
                form->unload();
            }
        }
        gui_test::pump_messages();
    }
    rt::Form& shown_test_form() {
        rt::Form& form = app.form(L"frmtest");
        form.show();
        gui_test::pump_messages();
        return form;
    }

    rt::Win32Application app{GetModuleHandleW(nullptr), kForms};
    std::vector<core::RuntimeError> errors;
};

TEST_F(FormsTest, LoadRunsOnceBeforeTheFormIsFirstShown) {
    rt::Form& form = shown_test_form();
    ASSERT_EQ(journal.events, std::vector<std::wstring>{L"Load"});
    EXPECT_FALSE(journal.visible_at_load) << "Load must run while the window is still hidden";
    EXPECT_TRUE(IsWindowVisible(form.window()));
    form.show();
    EXPECT_EQ(journal.events.size(), 1u) << "showing a loaded form must not load it again";
}

TEST_F(FormsTest, EachFormIsCreatedOnceAndReloadsAfterUnload) {
    EXPECT_EQ(app.existing_form(L"frmmodal"), nullptr) << "no form may exist before its first use";
    rt::Form& first = app.form(L"frmtest");
    EXPECT_EQ(&first, &app.form(L"frmtest"));
    first.show();
    first.unload();
    EXPECT_FALSE(first.loaded());
    app.form(L"frmtest").show();
    EXPECT_TRUE(first.loaded());
    EXPECT_EQ(journal.events, (std::vector<std::wstring>{L"Load", L"Load"}));
}

TEST_F(FormsTest, TabAndShiftTabFollowTabIndexSkippingLabelsPanelsAndHiddenControls) {
    rt::Form& form = shown_test_form();
    const HWND cmda = form.control(L"cmda");
    const HWND txtb = form.control(L"txtb");
    const HWND txtc = form.control(L"txtc");
    const HWND cmdfail = form.control(L"cmdfail");
    EXPECT_EQ(GetFocus(), cmda) << "the focus starts on the first control in tab order";
    const HWND forward[] = {txtb, txtc, cmdfail, cmda};
    for (HWND expected : forward) {
        gui_test::press_key(VK_TAB);
        EXPECT_EQ(GetFocus(), expected);
    }
    gui_test::press_key(VK_TAB, true);
    EXPECT_EQ(GetFocus(), cmdfail) << "Shift+Tab from the first control wraps to the last";
    gui_test::press_key(VK_TAB, true);
    EXPECT_EQ(GetFocus(), txtc);
}

TEST_F(FormsTest, StackingFollowsTheTableWithLabelsBehindTheWindowedControls) {
    rt::Form& form = shown_test_form();
    std::vector<HWND> front_to_back;
    for (HWND child = GetWindow(form.window(), GW_CHILD); child;
         child = GetWindow(child, GW_HWNDNEXT)) {
        front_to_back.push_back(child);
    }
    const std::vector<HWND> expected{form.control(L"txtc"),    form.control(L"cmda"),
                                     form.control(L"box"),     form.control(L"txthidden"),
                                     form.control(L"cmdfail"), form.control(L"lblx")};
    EXPECT_EQ(front_to_back, expected);
}

TEST_F(FormsTest, KeyPressCanDiscardOrReplaceTheTypedCharacter) {
    rt::Form& form = shown_test_form();
    const HWND txtb = form.control(L"txtb");
    SetFocus(txtb);
    SendMessageW(txtb, EM_SETSEL, 1, 1);
    for (wchar_t typed : std::wstring(L"xa1")) {
        gui_test::type_char(typed);
    }
    EXPECT_EQ(gui_test::window_text(txtb), L"bb1");
}

TEST_F(FormsTest, LostFocusRunsWhenTheFocusMovesWithinTheFormOnly) {
    rt::Form& form = shown_test_form();
    SetFocus(form.control(L"txtb"));
    SetFocus(form.control(L"txtc"));
    EXPECT_EQ(journal.events.back(), L"txtb_LostFocus");
    const std::size_t before = journal.events.size();
    SetFocus(form.control(L"txtb"));
    // Another top-level window taking the focus is not a move within the form.
    const HWND other = CreateWindowExW(0, L"EDIT", L"", WS_POPUP | WS_VISIBLE, 0, 0, 50, 20,
                                       nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetFocus(other);
    gui_test::pump_messages();
    EXPECT_EQ(journal.events.size(), before);
    DestroyWindow(other);
}

TEST_F(FormsTest, AClickRunsItsProcedure) {
    rt::Form& form = shown_test_form();
    gui_test::click_centre(form.control(L"cmda"));
    EXPECT_EQ(journal.events.back(), L"cmda_Click");
    EXPECT_EQ(gui_test::window_text(form.control(L"lblx")), L"clicked");
}

TEST_F(FormsTest, ARunTimeErrorStopsTheProcedureReachesTheHandlerAndTheProgramGoesOn) {
    rt::Form& form = shown_test_form();
    for (int attempt = 1; attempt <= 2; ++attempt) {
        gui_test::click_centre(form.control(L"cmdfail"));
        ASSERT_EQ(errors.size(), static_cast<std::size_t>(attempt));
        EXPECT_EQ(errors.back().kind(), core::ErrorKind::ControlCall);
        EXPECT_NE(errors.back().operation().find(L"txtnothere"), std::wstring::npos);
        EXPECT_EQ(gui_test::window_text(form.control(L"lblx")), L"label")
            << "nothing may be written after the failing step";
    }
    gui_test::click_centre(form.control(L"cmda"));
    EXPECT_EQ(gui_test::window_text(form.control(L"lblx")), L"clicked");
}

TEST_F(FormsTest, TheDefaultHandlerShowsOneMessageBoxAfterTheMessage) {
    app.set_error_handler({});
    rt::Form& form = shown_test_form();
    std::vector<std::wstring> boxes;
    gui_test::ActivationWatcher watcher([&](HWND window) {
        if (gui_test::window_text(window) == L"Quenlow") {
            boxes.push_back(gui_test::message_box_text(window));
            PostMessageW(window, WM_COMMAND, IDOK, 0);
        }
    });
    // Two failures in one go: the second follows from the first and adds nothing.
    EXPECT_EQ(SendMessageW(form.control(L"cmdfail"), BM_CLICK, 0, 0), 0);
    EXPECT_EQ(SendMessageW(form.control(L"cmdfail"), BM_CLICK, 0, 0), 0);
    EXPECT_TRUE(boxes.empty()) << "the box waits until the current message is finished";
    gui_test::pump_messages();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find(L"txtnothere"), std::wstring::npos);
    EXPECT_TRUE(IsWindow(form.window())) << "the program goes on";
}

TEST_F(FormsTest, AnErrorWhoseFormClosedBeforeItsMessageDoesNotSilenceTheNextOne) {
    app.set_error_handler({});
    int boxes = 0;
    gui_test::ActivationWatcher watcher([&](HWND window) {
        if (gui_test::window_text(window) == L"Quenlow") {
            ++boxes;
            PostMessageW(window, WM_COMMAND, IDOK, 0);
        }
    });
    rt::Form& form = shown_test_form();
    SendMessageW(form.control(L"cmdfail"), BM_CLICK, 0, 0);
    form.unload();  // before the pending message could be shown
    gui_test::pump_messages();
    form.show();
    SendMessageW(form.control(L"cmdfail"), BM_CLICK, 0, 0);
    gui_test::pump_messages();
    EXPECT_EQ(boxes, 1);
}

TEST_F(FormsTest, AModalFormDisablesTheOthersUntilTheUserClosesIt) {
    rt::Form& owner = shown_test_form();
    int activations = 0;
    gui_test::ActivationWatcher watcher([&](HWND window) {
        if (gui_test::window_text(window) == L"Modal form") {
            ++activations;
            journal.other_form_enabled_while_modal = IsWindowEnabled(owner.window()) != FALSE;
            PostMessageW(window, WM_CLOSE, 0, 0);
        }
    });
    app.show_modal(L"frmmodal", owner);
    EXPECT_EQ(activations, 1);
    EXPECT_FALSE(journal.other_form_enabled_while_modal);
    EXPECT_TRUE(IsWindowEnabled(owner.window()));
    rt::Form* modal = app.existing_form(L"frmmodal");
    ASSERT_NE(modal, nullptr);
    EXPECT_FALSE(modal->loaded()) << "closing a form unloads it";
    app.show_modal(L"frmmodal", owner);
    EXPECT_EQ(app.existing_form(L"frmmodal"), modal) << "the one instance is reused";
    EXPECT_EQ(std::count(journal.events.begin(), journal.events.end(), L"frmmodal_Load"), 2)
        << "every showing loads the form afresh";
}

struct TwipsCase {
    int twips;
    int dpi;
    int pixels;
};

void PrintTo(const TwipsCase& c, std::ostream* out) {
    *out << c.twips << " twips at " << c.dpi << " dpi";
}

class TwipsTest : public testing::TestWithParam<TwipsCase> {};

TEST_P(TwipsTest, ConvertsAtTheDpi) {
    const TwipsCase& c = GetParam();
    EXPECT_EQ(rt::twips_to_pixels(c.twips, c.dpi), c.pixels);
}

INSTANTIATE_TEST_SUITE_P(At96And144, TwipsTest,
                         testing::Values(TwipsCase{15, 96, 1}, TwipsCase{7920, 96, 528},
                                         TwipsCase{4815, 96, 321}, TwipsCase{585, 96, 39},
                                         TwipsCase{7920, 144, 792}, TwipsCase{4815, 144, 482},
                                         TwipsCase{255, 144, 26}, TwipsCase{8, 96, 1},
                                         TwipsCase{7, 96, 0}),
                         [](const testing::TestParamInfo<TwipsCase>& info) {
                             return std::to_string(info.param.twips) + "TwipsAt" +
                                    std::to_string(info.param.dpi) + "Dpi";
                         });

TEST_F(FormsTest, LaysTheFormOutInTwipsAt96And144Dpi) {
    rt::Form& form = shown_test_form();
    for (UINT dpi : {96u, 144u}) {
        form.apply_dpi(dpi);
        RECT client{};
        GetClientRect(form.window(), &client);
        EXPECT_EQ(client.right, rt::twips_to_pixels(4800, dpi)) << dpi;
        EXPECT_EQ(client.bottom, rt::twips_to_pixels(3000, dpi)) << dpi;
        const RECT inner = gui_test::rect_in_parent(form.control(L"txtb"));
        EXPECT_EQ(inner.left, rt::twips_to_pixels(600, dpi)) << dpi;
        EXPECT_EQ(inner.top, rt::twips_to_pixels(300, dpi)) << dpi;
        EXPECT_EQ(inner.right - inner.left, rt::twips_to_pixels(1200, dpi)) << dpi;
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(form.control(L"txtb"), WM_GETFONT, 0, 0)),
                   sizeof font, &font);
        EXPECT_EQ(font.lfHeight, rt::font_pixel_height(8.25f, static_cast<int>(dpi))) << dpi;
    }
}

}  // namespace
