#pragma once

#include "platform/runtime/form_definition.h"

// The About window: the product's title, version and maker, nothing to click.
namespace frmabout {

extern const rt::FormDef kForm;

void Form_Load(rt::FormObject& Me, rt::EventArgs& args);

// The About command of the main window's menu: one instance, created on first use and shown
// modally, owned by the main window so it always stays in front of it.
void show_about(rt::FormObject& main_window);

}  // namespace frmabout
