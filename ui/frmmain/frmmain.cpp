#include "ui/frmmain/frmmain.h"

#include <utility>

#include "core/texts.h"
#include "platform/window_icons.h"

namespace frmmain {
namespace {

using enum platform::Kind;
using enum core::FieldId;
using platform::kBold;
using platform::kCentred;
using platform::kHandPointer;
using platform::kHidden;
using platform::kLive;
using platform::kOnWindow;
using platform::kTransparent;

constexpr unsigned kPrompt = kBold | kTransparent;
constexpr unsigned kCaption = kCentred | kTransparent;
using core::texts::kFirstResult;

// A text box shows its field's text at start; an up-down keeps its field's bounds and answers
// screen readers with its name (core/fields.h). Screen readers announce each new result (kLive).
// clang-format off
constexpr platform::ControlRow kControls[] = {
//   control               kind     container  left   top  width height tab  content            settings
    {TabStrip,             Tabs,     kOnWindow,  240,  240, 7455, 4335,  0, L""},
    {box1,                 Panel,    kOnWindow,  480, 1080, 6975, 3375,  1, L""},
    {box2,                 Panel,    kOnWindow,  480, 1080, 6975, 3375, 16, L"",               kHidden},

    {lblyourweightstandard, Label,   box1,         0,    0, 1695,  255,  2, L"Your Weight :",  kPrompt},
    {txtweightstandard,    TextBox,  box1,         0,  360,  615,  375,  3, WeightStandard},
    {updownweightstandard, UpDown,   box1,       600,  360,  255,  375,  4, WeightStandard},
    {lbllbstandard,        Label,    box1,       960,  440,  855,  255,  8, L"lb",             kTransparent},
    {lblheightstandard,    Label,    box1,         0, 1080, 1695,  255,  5, L"Your Height :",  kPrompt},
    {txtfeetstandard,      TextBox,  box1,         0, 1440,  615,  375,  6, FeetStandard},
    {updownfeetstandard,   UpDown,   box1,       600, 1440,  255,  375,  7, FeetStandard},
    {lblftstandard,        Label,    box1,       960, 1520, 1095,  375,  9, L"ft",             kTransparent},
    {txtinchstandard,      TextBox,  box1,      1320, 1440,  615,  375, 10, InchesStandard},
    {updowninchstandard,   UpDown,   box1,      1920, 1440,  255,  375, 11, InchesStandard},
    {lblinstandard,        Label,    box1,      2280, 1515, 1095,  375, 12, L"in",             kTransparent},
    {cmdcalculatestandard, Button,   box1,         0, 2400, 2175,  615, 14, L"Calculate",      kHandPointer},
    {lblresultsstandard,   Label,    box1,      2640, 2540, 4095,  615, 13, kFirstResult,      kCaption | kLive},
    {lblrangestandard,     Label,    box1,      2640,  360, 4095, 1455, 15, L"",               kCaption},

    {lblweightmetric,      Label,    box2,         0,    0, 1695,  255, 30, L"Your Weight :",  kPrompt},
    {txtweightmetric,      TextBox,  box2,         0,  360,  585,  375, 20, WeightMetric},
    {updownweightmetric,   UpDown,   box2,       600,  360,  255,  375, 21, WeightMetric},
    {lblkg,                Label,    box2,       960,  440,  855,  255, 28, L"kg",             kTransparent},
    {lblheightmetric,      Label,    box2,         0, 1080, 1695,  255, 29, L"Your Height :",  kPrompt},
    {txtmmetric,           TextBox,  box2,         0, 1440,  585,  375, 19, MetresMetric},
    {updownmmetric,        UpDown,   box2,       600, 1440,  255,  375, 22, MetresMetric},
    {lblm,                 Label,    box2,       960, 1520, 1095,  375, 27, L"m",              kTransparent},
    {txtcmmetric,          TextBox,  box2,      1320, 1440,  585,  375, 18, CentimetresMetric},
    {updowncmmetric,       UpDown,   box2,      1920, 1440,  255,  375, 23, CentimetresMetric},
    {lblcm,                Label,    box2,      2280, 1515, 1095,  375, 26, L"cm",             kTransparent},
    {cmdcalculatemetric,   Button,   box2,         0, 2400, 2175,  615, 17, L"Calculate",      kHandPointer},
    {lblresultsmetric,     Label,    box2,      2640, 2540, 4095,  615, 25, kFirstResult,      kCaption | kLive},
    {lblrangemetric,       Label,    box2,      2640,  360, 4095, 1455, 24, L"",               kCaption},
};
// clang-format on
static_assert(platform::rows_follow_ids(kControls));

// The panels lie in front of the tab strip's page area, the metric one frontmost.
constexpr int kStacking[] = {box2, box1, TabStrip};
constexpr std::wstring_view kTabs[] = {L"Standard", L"Metric"};
constexpr platform::MenuEntry kMenu[] = {{mnuabout, L"About"}};

constexpr platform::WindowLayout kLayout{
    .caption = L"Quenlow",
    .client_width = 7920,
    .client_height = 4815,
    .minimise_button = true,
    .controls = kControls,
    .stacking = kStacking,
    .tabs = kTabs,
    .menu = kMenu,
};

}  // namespace

MainWindow::MainWindow(core::NumberLocale locale) : Window(kLayout), locale_(std::move(locale)) {}

void MainWindow::on_load() {
    platform::SetWindowIcons(handle(), L"AAA", true);
    set_text(lblrangestandard, core::legend_caption(), L"show the BMI categories");
    set_text(lblrangemetric, core::legend_caption(), L"show the BMI categories");
}

void MainWindow::on_click(int id) {
    switch (id) {
        case TabStrip:
            return switch_tab();
        case cmdcalculatestandard:
            return calculate(core::UnitSystem::Standard, lblresultsstandard);
        case cmdcalculatemetric:
            return calculate(core::UnitSystem::Metric, lblresultsmetric);
        case mnuabout:
            return show_about();
        default:
            return;
    }
}

void MainWindow::switch_tab() {
    constexpr wchar_t kDoing[] = L"switch between the Standard and Metric calculators";
    // Two independent tests, each reading the selected tab afresh.
    if (selected_tab(TabStrip) == 1) {
        set_visible(box1, true, kDoing);
        set_visible(box2, false, kDoing);
    }
    if (selected_tab(TabStrip) == 2) {
        set_visible(box1, false, kDoing);
        set_visible(box2, true, kDoing);
    }
}

void MainWindow::calculate(core::UnitSystem system, Control result) {
    const core::CalculatorFields fields = core::calculator_fields(system);
    const std::wstring weight = field_text(fields.weight);
    const std::wstring major = field_text(fields.height_major);
    const std::wstring minor = field_text(fields.height_minor);
    // A failed calculation throws before the caption is touched.
    const core::BmiResult bmi = core::calculate(system, {weight, major, minor}, locale_);
    set_text(result, core::result_caption(bmi, locale_), L"show the result");
}

void MainWindow::on_field_key(core::FieldId, std::int16_t& code) {
    code = core::keystroke_rule(code);
}

void MainWindow::on_field_left(core::FieldId field) {
    // A text that is not a number throws before anything is written.
    const auto replacement = core::range_rule(field_text(field), core::field_rule(field), locale_);
    if (replacement) {
        set_field_text(field, *replacement);
    }
}

void MainWindow::show_about() {
    if (about_ && about_->is_open()) {
        // Asked for again while it is open (another program can send the command): it only comes
        // to the front; the main window stays disabled until it closes.
        SetForegroundWindow(about_->handle());
        return;
    }
    if (!about_) {
        about_.emplace();
    }
    about_->show_modal(*this);
}

void MainWindow::on_settings_changed() {
    locale_ = platform::user_number_locale();
}

void MainWindow::on_closed() {
    PostQuitMessage(0);
}

}  // namespace frmmain
