#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "platform/runtime/form_definition.h"

// What the files of rt::Form share and nobody else needs.
namespace rt::detail {

// Menu entries are numbered from here, in the order of the form's menu table.
inline constexpr UINT kFirstMenuId = 100;

// "set the text of txtweightmetric": what a failed call was doing, for its run-time error.
inline std::wstring named(std::wstring_view what, std::wstring_view control) {
    return std::wstring(what) + L" " + std::wstring(control);
}

// Fixed single border: a caption and a control menu, and no sizing frame.
inline DWORD form_style(const FormDef& definition) {
    return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN |
           (definition.minimise_button ? WS_MINIMIZEBOX : 0) |
           (definition.maximise_button ? WS_MAXIMIZEBOX : 0);
}

}  // namespace rt::detail
