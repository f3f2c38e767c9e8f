#pragma once

#include <optional>

#include "core/bmi.h"
#include "platform/regional_settings.h"
#include "platform/window.h"
#include "ui/frmabout/frmabout.h"

namespace frmmain {

// The controls of the main window, by the names they are known by.
enum Control : int {
    TabStrip,
    box1,
    box2,
    // the standard calculator, on box1
    lblyourweightstandard,
    txtweightstandard,
    updownweightstandard,
    lbllbstandard,
    lblheightstandard,
    txtfeetstandard,
    updownfeetstandard,
    lblftstandard,
    txtinchstandard,
    updowninchstandard,
    lblinstandard,
    cmdcalculatestandard,
    lblresultsstandard,
    lblrangestandard,
    // the metric calculator, on box2
    lblweightmetric,
    txtweightmetric,
    updownweightmetric,
    lblkg,
    lblheightmetric,
    txtmmetric,
    updownmmetric,
    lblm,
    txtcmmetric,
    updowncmmetric,
    lblcm,
    cmdcalculatemetric,
    lblresultsmetric,
    lblrangemetric,
    // the menu bar's one entry
    mnuabout,
};

// The main window: both calculators on a tab strip, and the About menu entry. Closing it ends
// the program's message loop.
class MainWindow final : public platform::Window {
  public:
    explicit MainWindow(core::NumberLocale locale = platform::user_number_locale());

  private:
    void on_load() override;
    void on_click(int id) override;
    void on_field_key(core::FieldId field, std::int16_t& code) override;
    void on_field_left(core::FieldId field) override;
    void on_settings_changed() override;
    void on_closed() override;

    void switch_tab();
    void calculate(core::UnitSystem system, Control result);
    void show_about();

    core::NumberLocale locale_;
    std::optional<frmabout::AboutWindow> about_;  // made on first use, kept for the whole run
};

}  // namespace frmmain
