#include "ui/frmabout/frmabout.h"

#include "core/version.h"
#include "platform/window_icons.h"

namespace frmabout {
namespace {

using enum platform::Kind;
using platform::kBold;
using platform::kCentred;
using platform::kOnWindow;
using platform::kRightAligned;

enum Control { lblsd, lblversion, lblcopyright, lblsite, lblemail };

// clang-format off
constexpr platform::ControlRow kControls[] = {
//   label         kind   container  left   top  width height tab  caption                       settings            points
    {lblsd,        Label, kOnWindow,    0,  360, 4575,  255,  0, L"Quenlow",                    kCentred | kBold,   9.75f},
    {lblversion,   Label, kOnWindow,  645,  660, 3135,  255,  2, QUENLOW_VERSION_SHORT_TEXT,   kRightAligned},
    {lblcopyright, Label, kOnWindow,    0, 1080, 4575,  255,  1, QUENLOW_COPYRIGHT_W,          kCentred},
    {lblsite,      Label, kOnWindow,    0, 1380, 4575,  255,  3, L"www.quenlow.example",        kCentred | kBold,   8.25f},
    {lblemail,     Label, kOnWindow,    0, 1680, 4575,  255,  4, L"support@quenlow.example",    kCentred | kBold,   8.25f},
};
// clang-format on
static_assert(platform::rows_follow_ids(kControls));

constexpr platform::WindowLayout kLayout{
    .caption = L"About",
    .client_width = 4560,
    .client_height = 2295,
    .minimise_button = false,
    .controls = kControls,
};

}  // namespace

AboutWindow::AboutWindow() : Window(kLayout) {}

void AboutWindow::on_load() {
    platform::SetWindowIcons(handle(), L"AAA", true);
}

}  // namespace frmabout
