#include "ui/frmabout/about_texts.h"
#include "ui/frmabout/frmabout.h"

namespace frmabout {
namespace {

using enum rt::ControlKind;
using rt::kBold;
using rt::kCentred;
using rt::kRightAligned;

// clang-format off
constexpr rt::ControlDef kControls[] = {
//   label             kind   container left   top  width height tab  caption             settings                points
    {L"lblsd",         Label, L"",         0,  360, 4575,  255,  0, kTitle,            kCentred | kBold,         9.75f},
    {L"lblversion",    Label, L"",       645,  660, 3135,  255,  2, kVersion,          kRightAligned},
    {L"lblcopyright",  Label, L"",         0, 1080, 4575,  255,  1, kRightsNotice,     kCentred},
    {L"lblsite",       Label, L"",         0, 1380, 4575,  255,  3, kWebSite,          kCentred | kBold,         8.25f},
    {L"lblemail",      Label, L"",         0, 1680, 4575,  255,  4, kSupportEmail,     kCentred | kBold,         8.25f},
};
// clang-format on

constexpr rt::EventBinding kEvents[] = {
    {L"", rt::Event::Load, Form_Load},
};

}  // namespace

const rt::FormDef kForm{
    .name = L"frmabout",
    .caption = L"About",
    .client_width = 4560,
    .client_height = 2295,
    .minimise_button = false,
    .maximise_button = false,
    .controls = kControls,
    .events = kEvents,
};

}  // namespace frmabout
