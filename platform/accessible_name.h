#pragma once

#include <windows.h>

#include <string_view>

namespace platform {

// Answers WM_GETOBJECT for a control's client object with the system's own accessible object,
// except that its name is the given one. Screen readers take a field's name from the label
// before it in stacking order, which is not the field's label here.
LRESULT accessible_object_with_name(HWND control, WPARAM wparam, std::wstring_view name);

// Tells screen readers that the control's text changed, to be read out when the user is idle: a
// polite live region (EVENT_OBJECT_LIVEREGIONCHANGED). A failure of the annotation is no error.
void announce_live_text(HWND control);

}  // namespace platform
