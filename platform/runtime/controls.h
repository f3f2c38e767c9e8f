#pragma once

#include <windows.h>

#include <span>
#include <string_view>

#include "platform/runtime/form_definition.h"

namespace rt {

// Window classes of the run time's own: forms and panels (picture boxes).
inline constexpr const wchar_t* kFormClass = L"QuenlowForm";
inline constexpr const wchar_t* kPanelClass = L"QuenlowPanel";

// Posted to a form so that a run-time error is shown once the current message is finished.
inline constexpr UINT kShowPendingError = WM_APP + 1;

// Registers both classes once per process; both use the given window procedure.
void register_window_classes(HINSTANCE instance, WNDPROC procedure);

// Creates the window of one control kind with the settings of its definition (no size yet).
// Panels pass `form` to the window procedure at creation, as forms do.
HWND create_control_window(const ControlDef& control, HWND parent, HINSTANCE instance, void* form);

// Whether controls of this kind take the keyboard focus (labels, panels and up-downs do not).
bool takes_focus(ControlKind kind) noexcept;

void add_tabs(HWND tab_strip, std::span<const std::wstring_view> captions);

// Gives the up-down its range and start value, then binds it to its buddy.
void bind_updown(HWND updown, HWND buddy, const UpDownDef& binding);

}  // namespace rt
