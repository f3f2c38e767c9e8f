#pragma once

#include "platform/window.h"

namespace frmabout {

// The About window: the product's title, version and maker, nothing to click or type into.
class AboutWindow final : public platform::Window {
  public:
    AboutWindow();

  private:
    void on_load() override;
};

}  // namespace frmabout
