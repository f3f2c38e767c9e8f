#include "platform/window_icons.h"
#include "ui/frmabout/frmabout.h"

namespace frmabout {

void Form_Load(rt::FormObject& Me, rt::EventArgs&) {
    constexpr std::int16_t kTrue = -1;
    platform::SetWindowIcons(Me.app().icon_platform(), Me.hWnd(), L"AAA", kTrue);
}

void show_about(rt::FormObject& main_window) {
    main_window.app().show_modal(kForm.name, main_window);
}

}  // namespace frmabout
