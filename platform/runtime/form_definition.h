#pragma once

#include <span>
#include <string_view>

#include "platform/runtime/form_object.h"

namespace rt {

enum class ControlKind { TabStrip, PictureBox, Label, TextBox, CommandButton, UpDown };

// Settings that differ from a control kind's defaults, as flags so a layout row stays one line.
enum ControlFlag : unsigned {
    kPlain = 0,
    kBold = 1u << 0,
    kTransparent = 1u << 1,  // draws only its text over its container's background
    kCentred = 1u << 2,
    kRightAligned = 1u << 3,
    kHidden = 1u << 4,
    kHandPointer = 1u << 5,   // the pointing hand while the mouse is over it
    kWindowColour = 1u << 6,  // background in the system window colour (panels)
};

// One control as stored with its form. Positions are twips from the container's client area.
struct ControlDef {
    std::wstring_view name;
    ControlKind kind;
    std::wstring_view container;  // empty: directly on the form
    int left;
    int top;
    int width;
    int height;
    int tab_index;
    std::wstring_view content;  // caption or text at creation
    unsigned flags = kPlain;
    float font_points = 0;  // 0: the form's default size
};

// An up-down control's binding to its buddy text box, and its own value range.
struct UpDownDef {
    std::wstring_view updown;
    std::wstring_view buddy;
    int minimum;
    int maximum;
    int increment;
    int start;
};

struct MenuDef {
    std::wstring_view name;
    std::wstring_view caption;
};

enum class Event { Load, Click, KeyPress, LostFocus };

// Which procedure handles which event; control is empty for the form's own events.
struct EventBinding {
    std::wstring_view control;
    Event event;
    EventProcedure procedure;
};

struct FormDef {
    std::wstring_view name;
    std::wstring_view caption;
    int client_width;  // twips
    int client_height;
    bool minimise_button = false;
    bool maximise_button = false;
    std::wstring_view font_name = L"MS Sans Serif";
    float font_points = 8.25f;
    std::span<const ControlDef> controls;
    // The form's direct children from front to back; within a panel, and when this is empty,
    // rows earlier in the control table lie in front.
    std::span<const std::wstring_view> stacking = {};
    std::span<const UpDownDef> updowns = {};
    std::span<const std::wstring_view> tabs = {};  // captions of the tab strip's tabs
    std::span<const MenuDef> menu = {};
    std::span<const EventBinding> events = {};
    // The name a screen reader reads for a control, where the system would find none or the
    // wrong one; empty for the system's own.
    std::wstring_view (*accessible_name)(std::wstring_view control) = nullptr;
};

}  // namespace rt
