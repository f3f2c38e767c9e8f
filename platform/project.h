#pragma once

#include "platform/runtime/project.h"

namespace quenlow {

// Quenlow as the run time starts it: the forms frmmain and frmabout and the code module
// Module1, with frmmain as the startup form.
extern const rt::ProjectDescription kProject;

}  // namespace quenlow
