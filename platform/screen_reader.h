#pragma once

#include <windows.h>

#include <string_view>

namespace platform {

// What screen readers are told: the names of the fields and their up-downs, and new results.

// Answers WM_GETOBJECT for a control's client object with the system's own accessible object,
// except that its name is the given one. Screen readers name a field by the label before it in
// stacking order, and the labels here lie behind every windowed control (they are drawn on their
// container); an up-down they name by its window text, which is its field's number. So both
// answer with the field's name instead ("Your Weight, lb").
LRESULT accessible_object_with_name(HWND control, WPARAM wparam, std::wstring_view name);

// Tells screen readers that the control's text changed, to be read out when the user is idle: a
// polite live region (EVENT_OBJECT_LIVEREGIONCHANGED). A failure of the annotation is no error.
void announce_live_text(HWND control);

}  // namespace platform
