#pragma once

#include "platform/runtime/form_definition.h"

// The main window: both calculators on a tab strip, and the About menu entry.
namespace frmmain {

extern const rt::FormDef kForm;

// Event procedures, named after control and event.
void Form_Load(rt::FormObject& Me, rt::EventArgs& args);
void TabStrip_Click(rt::FormObject& Me, rt::EventArgs& args);
void cmdcalculatemetric_Click(rt::FormObject& Me, rt::EventArgs& args);
void cmdcalculatestandard_Click(rt::FormObject& Me, rt::EventArgs& args);
void mnuabout_Click(rt::FormObject& Me, rt::EventArgs& args);

void txtweightmetric_KeyPress(rt::FormObject& Me, rt::EventArgs& args);
void txtmmetric_KeyPress(rt::FormObject& Me, rt::EventArgs& args);
void txtcmmetric_KeyPress(rt::FormObject& Me, rt::EventArgs& args);
void txtweightstandard_KeyPress(rt::FormObject& Me, rt::EventArgs& args);
void txtfeetstandard_KeyPress(rt::FormObject& Me, rt::EventArgs& args);
void txtinchstandard_KeyPress(rt::FormObject& Me, rt::EventArgs& args);

void txtweightmetric_LostFocus(rt::FormObject& Me, rt::EventArgs& args);
void txtmmetric_LostFocus(rt::FormObject& Me, rt::EventArgs& args);
void txtcmmetric_LostFocus(rt::FormObject& Me, rt::EventArgs& args);
void txtweightstandard_LostFocus(rt::FormObject& Me, rt::EventArgs& args);
void txtfeetstandard_LostFocus(rt::FormObject& Me, rt::EventArgs& args);
void txtinchstandard_LostFocus(rt::FormObject& Me, rt::EventArgs& args);

}  // namespace frmmain
