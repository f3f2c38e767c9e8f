#include <windows.h>

#include <commctrl.h>

#include <cstdlib>

#include "core/error_text.h"
#include "platform/error_box.h"
#include "ui/frmmain/frmmain.h"

#if defined(__GLIBCXX__)
// libstdc++'s default terminate handler prints the demangled type of the exception, which links
// the whole demangler into the program. No exception leaves a handler here; should one reach
// std::terminate all the same, ending the process is all that is left to do.
namespace __gnu_cxx {
void __verbose_terminate_handler() {
    std::abort();
}
}  // namespace __gnu_cxx
#endif

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
