#include "core/fields.h"
#include "ui/frmmain/frmmain.h"

namespace frmmain {
namespace {

using enum rt::ControlKind;
using rt::kBold;
using rt::kCentred;
using rt::kHandPointer;
using rt::kHidden;
using rt::kTransparent;
using rt::kWindowColour;

constexpr unsigned kPrompt = kBold | kTransparent;
constexpr unsigned kCaption = kCentred | kTransparent;
constexpr wchar_t kInitialResult[] = L"Your Body Mass Index (BMI) is 0 ";

// clang-format off
constexpr rt::ControlDef kControls[] = {
//   control                  kind           container  left   top  width height tab  content           settings
    {L"TabStrip",             TabStrip,      L"",        240,  240, 7455, 4335,  0, L""},
    {L"box1",                 PictureBox,    L"",        480, 1080, 6975, 3375,  1, L"",               kWindowColour},
    {L"box2",                 PictureBox,    L"",        480, 1080, 6975, 3375, 16, L"",               kWindowColour | kHidden},

    // The standard calculator: pounds, feet and inches.
    {L"lblyourweightstandard", Label,        L"box1",      0,    0, 1695,  255,  2, L"Your Weight :",  kPrompt},
    {L"txtweightstandard",    TextBox,       L"box1",      0,  360,  615,  375,  3, L"150"},
    {L"updownweightstandard", UpDown,        L"box1",    600,  360,  255,  375,  4, L""},
    {L"lbllbstandard",        Label,         L"box1",    960,  440,  855,  255,  8, L"lb",             kTransparent},
    {L"lblheightstandard",    Label,         L"box1",      0, 1080, 1695,  255,  5, L"Your Height :",  kPrompt},
    {L"txtfeetstandard",      TextBox,       L"box1",      0, 1440,  615,  375,  6, L"5"},
    {L"updownfeetstandard",   UpDown,        L"box1",    600, 1440,  255,  375,  7, L""},
    {L"lblftstandard",        Label,         L"box1",    960, 1520, 1095,  375,  9, L"ft",             kTransparent},
    {L"txtinchstandard",      TextBox,       L"box1",   1320, 1440,  615,  375, 10, L"8"},
    {L"updowninchstandard",   UpDown,        L"box1",   1920, 1440,  255,  375, 11, L""},
    {L"lblinstandard",        Label,         L"box1",   2280, 1515, 1095,  375, 12, L"in",             kTransparent},
    {L"cmdcalculatestandard", CommandButton, L"box1",      0, 2400, 2175,  615, 14, L"Calculate",      kHandPointer},
    {L"lblresultsstandard",   Label,         L"box1",   2640, 2540, 4095,  615, 13, kInitialResult,    kCaption},
    {L"lblrangestandard",     Label,         L"box1",   2640,  360, 4095, 1455, 15, L"",               kCaption},

    // The metric calculator: kilograms, metres and centimetres.
    {L"lblweightmetric",      Label,         L"box2",      0,    0, 1695,  255, 30, L"Your Weight :",  kPrompt},
    {L"txtweightmetric",      TextBox,       L"box2",      0,  360,  585,  375, 20, L"50"},
    {L"updownweightmetric",   UpDown,        L"box2",    600,  360,  255,  375, 21, L""},
    {L"lblkg",                Label,         L"box2",    960,  440,  855,  255, 28, L"kg",             kTransparent},
    {L"lblheightmetric",      Label,         L"box2",      0, 1080, 1695,  255, 29, L"Your Height :",  kPrompt},
    {L"txtmmetric",           TextBox,       L"box2",      0, 1440,  585,  375, 19, L"1"},
    {L"updownmmetric",        UpDown,        L"box2",    600, 1440,  255,  375, 22, L""},
    {L"lblm",                 Label,         L"box2",    960, 1520, 1095,  375, 27, L"m",              kTransparent},
    {L"txtcmmetric",          TextBox,       L"box2",   1320, 1440,  585,  375, 18, L"60"},
    {L"updowncmmetric",       UpDown,        L"box2",   1920, 1440,  255,  375, 23, L""},
    {L"lblcm",                Label,         L"box2",   2280, 1515, 1095,  375, 26, L"cm",             kTransparent},
    {L"cmdcalculatemetric",   CommandButton, L"box2",      0, 2400, 2175,  615, 17, L"Calculate",      kHandPointer},
    {L"lblresultsmetric",     Label,         L"box2",   2640, 2540, 4095,  615, 25, kInitialResult,    kCaption},
    {L"lblrangemetric",       Label,         L"box2",   2640,  360, 4095, 1455, 24, L"",               kCaption},
};

constexpr rt::UpDownDef kUpDowns[] = {
//   up-down                  buddy                 min  max  step  start
    {L"updownweightmetric",   L"txtweightmetric",     5, 227,    1,   10},
    {L"updownmmetric",        L"txtmmetric",          1,   2,    1,    2},
    {L"updowncmmetric",       L"txtcmmetric",         0,  99,    1,    0},
    {L"updownweightstandard", L"txtweightstandard",  10, 500,    1,   10},
    {L"updownfeetstandard",   L"txtfeetstandard",     4,   6,    1,    4},
    {L"updowninchstandard",   L"txtinchstandard",     0,  11,    1,    0},
};
// clang-format on

// The panels lie in front of the tab strip's page area, the metric one frontmost.
constexpr std::wstring_view kStacking[] = {L"box2", L"box1", L"TabStrip"};
constexpr std::wstring_view kTabs[] = {L"Standard", L"Metric"};
constexpr rt::MenuDef kMenu[] = {{L"mnuabout", L"About"}};

using enum rt::Event;
constexpr rt::EventBinding kEvents[] = {
    {L"", Load, Form_Load},
    {L"TabStrip", Click, TabStrip_Click},
    {L"cmdcalculatemetric", Click, cmdcalculatemetric_Click},
    {L"cmdcalculatestandard", Click, cmdcalculatestandard_Click},
    {L"mnuabout", Click, mnuabout_Click},
    {L"txtweightmetric", KeyPress, txtweightmetric_KeyPress},
    {L"txtmmetric", KeyPress, txtmmetric_KeyPress},
    {L"txtcmmetric", KeyPress, txtcmmetric_KeyPress},
    {L"txtweightstandard", KeyPress, txtweightstandard_KeyPress},
    {L"txtfeetstandard", KeyPress, txtfeetstandard_KeyPress},
    {L"txtinchstandard", KeyPress, txtinchstandard_KeyPress},
    {L"txtweightmetric", LostFocus, txtweightmetric_LostFocus},
    {L"txtmmetric", LostFocus, txtmmetric_LostFocus},
    {L"txtcmmetric", LostFocus, txtcmmetric_LostFocus},
    {L"txtweightstandard", LostFocus, txtweightstandard_LostFocus},
    {L"txtfeetstandard", LostFocus, txtfeetstandard_LostFocus},
    {L"txtinchstandard", LostFocus, txtinchstandard_LostFocus},
};

// Each field is read out by its quantity and unit ("Your Weight, lb"): its prompt label is not
// the control before it in stacking order, and the unit label comes after it.
std::wstring_view accessible_name(std::wstring_view control) {
    const core::FieldRule* field = core::find_field(control);
    return field ? field->display_name : std::wstring_view{};
}

}  // namespace

const rt::FormDef kForm{
    .name = L"frmmain",
    .caption = L"Quenlow",
    .client_width = 7920,
    .client_height = 4815,
    .minimise_button = true,
    .maximise_button = false,
    .controls = kControls,
    .stacking = kStacking,
    .updowns = kUpDowns,
    .tabs = kTabs,
    .menu = kMenu,
    .events = kEvents,
    .accessible_name = accessible_name,
};

}  // namespace frmmain
