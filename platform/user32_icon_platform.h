#pragma once

#include <windows.h>

#include "platform/window_icons.h"

namespace platform {

// The window icon operations over the real user32 and the module that holds the resources.
class User32IconPlatform final : public WindowIconPlatform {
  public:
    // The resources of the program's own executable.
    User32IconPlatform();
    // The resources of the given module; a null instance makes app_instance() fail.
    explicit User32IconPlatform(HINSTANCE instance);

    WindowHandle get_window(WindowHandle window, unsigned command) override;
    int get_system_metrics(int index) override;
    IconHandle load_image(InstanceHandle instance, std::string_view name_in_system_code_page,
                          unsigned type, int cx, int cy, unsigned flags) override;
    void send_message(WindowHandle window, unsigned message, std::uintptr_t wparam,
                      std::intptr_t lparam) override;
    InstanceHandle app_instance() override;
    std::string to_system_code_page(std::wstring_view text) override;

  private:
    HINSTANCE instance_;
    DWORD instance_error_;  // why instance_ is null, when it is
};

}  // namespace platform
