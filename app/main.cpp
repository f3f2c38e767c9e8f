#include <windows.h>

#include <commctrl.h>

#include "core/error_text.h"
#include "platform/error_box.h"
#include "ui/frmmain/frmmain.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const INITCOMMONCONTROLSEX classes{sizeof classes, ICC_TAB_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&classes);
    frmmain::MainWindow main_window;
    try {
        main_window.open();
    } catch (const core::RuntimeError& error) {
        platform::show_error_box(nullptr, core::describe(error));
        return 1;
    }
    main_window.show();
    return platform::run_message_loop();
}
