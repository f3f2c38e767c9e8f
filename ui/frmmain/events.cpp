#include <string_view>

#include "core/bmi.h"
#include "core/fields.h"
#include "platform/window_icons.h"
#include "ui/frmabout/frmabout.h"
#include "ui/frmmain/frmmain.h"

namespace frmmain {
namespace {

constexpr std::int16_t kTrue = -1;

// The controls of one calculator.
struct Calculator {
    core::UnitSystem system;
    std::wstring_view weight;
    std::wstring_view height_major;
    std::wstring_view height_minor;
    std::wstring_view result;
};

constexpr Calculator kMetric{core::UnitSystem::Metric, L"txtweightmetric", L"txtmmetric",
                             L"txtcmmetric", L"lblresultsmetric"};
constexpr Calculator kStandard{core::UnitSystem::Standard, L"txtweightstandard", L"txtfeetstandard",
                               L"txtinchstandard", L"lblresultsstandard"};

void calculate(rt::FormObject& Me, const Calculator& calculator) {
    const std::wstring weight = Me.text(calculator.weight);
    const std::wstring major = Me.text(calculator.height_major);
    const std::wstring minor = Me.text(calculator.height_minor);
    const core::NumberLocale& locale = Me.app().number_locale();
    // A failed calculation throws before the caption is touched.
    const core::BmiResult result =
        core::calculate(calculator.system, {weight, major, minor}, locale);
    Me.set_caption(calculator.result, core::result_caption(result, locale));
}

void filter_keystroke(rt::EventArgs& args) {
    args.KeyAscii = core::keystroke_rule(args.KeyAscii);
}

// Pulls the field back into its bounds when it loses the focus; a text that is not a number
// throws before anything is written.
void clamp_to_bounds(rt::FormObject& Me, core::FieldId id) {
    const core::FieldRule& field = core::field_rule(id);
    const std::wstring text = Me.text(field.name);
    if (const auto replacement = core::range_rule(text, field, Me.app().number_locale())) {
        Me.set_text(field.name, *replacement);
    }
}

}  // namespace

void Form_Load(rt::FormObject& Me, rt::EventArgs&) {
    platform::SetWindowIcons(Me.app().icon_platform(), Me.hWnd(), L"AAA", kTrue);
    Me.set_caption(L"lblrangestandard", core::legend_caption());
    Me.set_caption(L"lblrangemetric", core::legend_caption());
}

void TabStrip_Click(rt::FormObject& Me, rt::EventArgs&) {
    // Two independent tests, each reading the selected tab afresh.
    if (Me.selected_tab(L"TabStrip") == 1) {
        Me.set_visible(L"box1", true);
        Me.set_visible(L"box2", false);
    }
    if (Me.selected_tab(L"TabStrip") == 2) {
        Me.set_visible(L"box1", false);
        Me.set_visible(L"box2", true);
    }
}

void cmdcalculatemetric_Click(rt::FormObject& Me, rt::EventArgs&) {
    calculate(Me, kMetric);
}

void cmdcalculatestandard_Click(rt::FormObject& Me, rt::EventArgs&) {
    calculate(Me, kStandard);
}

void mnuabout_Click(rt::FormObject& Me, rt::EventArgs&) {
    frmabout::show_about(Me);
}

void txtweightmetric_KeyPress(rt::FormObject&, rt::EventArgs& args) {
    filter_keystroke(args);
}
void txtmmetric_KeyPress(rt::FormObject&, rt::EventArgs& args) {
    filter_keystroke(args);
}
void txtcmmetric_KeyPress(rt::FormObject&, rt::EventArgs& args) {
    filter_keystroke(args);
}
void txtweightstandard_KeyPress(rt::FormObject&, rt::EventArgs& args) {
    filter_keystroke(args);
}
void txtfeetstandard_KeyPress(rt::FormObject&, rt::EventArgs& args) {
    filter_keystroke(args);
}
void txtinchstandard_KeyPress(rt::FormObject&, rt::EventArgs& args) {
    filter_keystroke(args);
}

void txtweightmetric_LostFocus(rt::FormObject& Me, rt::EventArgs&) {
    clamp_to_bounds(Me, core::FieldId::WeightMetric);
}
void txtmmetric_LostFocus(rt::FormObject& Me, rt::EventArgs&) {
    clamp_to_bounds(Me, core::FieldId::MetresMetric);
}
void txtcmmetric_LostFocus(rt::FormObject& Me, rt::EventArgs&) {
    clamp_to_bounds(Me, core::FieldId::CentimetresMetric);
}
void txtweightstandard_LostFocus(rt::FormObject& Me, rt::EventArgs&) {
    clamp_to_bounds(Me, core::FieldId::WeightStandard);
}
void txtfeetstandard_LostFocus(rt::FormObject& Me, rt::EventArgs&) {
    clamp_to_bounds(Me, core::FieldId::FeetStandard);
}
void txtinchstandard_LostFocus(rt::FormObject& Me, rt::EventArgs&) {
    clamp_to_bounds(Me, core::FieldId::InchesStandard);
}

}  // namespace frmmain
