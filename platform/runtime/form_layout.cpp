// Turning the table into windows: creating the controls, their stacking, and placing them and
// their fonts in pixels at the window's DPI.
#include "platform/runtime/form.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "core/runtime_error.h"
#include "platform/runtime/application.h"
#include "platform/runtime/controls.h"
#include "platform/runtime/form_detail.h"
#include "platform/runtime/twips.h"

namespace rt {

using detail::named;

void Form::apply_dpi(UINT dpi) {
    if (!window_) {
        return;
    }
    dpi_ = dpi;
    const int scale = static_cast<int>(dpi);
    set_client_size(twips_to_pixels(definition_.client_width, scale),
                    twips_to_pixels(definition_.client_height, scale));
    for (const Control& control : controls_) {
        const ControlDef& def = *control.def;
        check(SetWindowPos(control.window, nullptr, twips_to_pixels(def.left, scale),
                           twips_to_pixels(def.top, scale), twips_to_pixels(def.width, scale),
                           twips_to_pixels(def.height, scale), SWP_NOZORDER | SWP_NOACTIVATE),
              named(L"place the control", def.name));
        const float points = def.font_points > 0 ? def.font_points : definition_.font_points;
        SendMessageW(control.window, WM_SETFONT,
                     reinterpret_cast<WPARAM>(font(points, (def.flags & kBold) != 0)), TRUE);
    }
    // Fonts of another DPI are no longer used by any control.
    std::erase_if(fonts_, [&](const Font& f) {
        return std::none_of(controls_.begin(), controls_.end(), [&](const Control& c) {
            return reinterpret_cast<HFONT>(SendMessageW(c.window, WM_GETFONT, 0, 0)) ==
                   f.handle.get();
        });
    });
    InvalidateRect(window_, nullptr, TRUE);
}

void Form::set_client_size(int width, int height) {
    // The frame is measured rather than computed: it is whatever the system draws at the
    // window's current DPI, and a second pass catches a menu bar that changed its height.
    for (int pass = 0; pass < 2; ++pass) {
        RECT outer{};
        RECT client{};
        GetWindowRect(window_, &outer);
        GetClientRect(window_, &client);
        if (client.right == width && client.bottom == height) {
            return;
        }
        const int frame_width = (outer.right - outer.left) - client.right;
        const int frame_height = (outer.bottom - outer.top) - client.bottom;
        check(SetWindowPos(window_, nullptr, 0, 0, width + frame_width, height + frame_height,
                           SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE),
              named(L"size the window", definition_.name));
    }
}

HFONT Form::font(float points, bool bold) {
    const int height = font_pixel_height(points, static_cast<int>(dpi_));
    for (const Font& existing : fonts_) {
        if (existing.points == points && existing.bold == bold) {
            LOGFONTW current{};
            GetObjectW(existing.handle.get(), sizeof current, &current);
            if (current.lfHeight == height) {
                return existing.handle.get();
            }
        }
    }
    LOGFONTW description{};
    description.lfHeight = height;
    description.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    description.lfCharSet = ANSI_CHARSET;
    description.lfQuality = DEFAULT_QUALITY;
    definition_.font_name.copy(description.lfFaceName, LF_FACESIZE - 1);
    Font created{points, bold, {}};
    created.handle.reset(
        check(CreateFontIndirectW(&description), named(L"create the font of", definition_.name)));
    fonts_.push_back(std::move(created));
    return fonts_.back().handle.get();
}

void Form::create_controls() {
    controls_.clear();
    controls_.reserve(definition_.controls.size());
    // Containers first, so every control finds its parent.
    for (int pass = 0; pass < 2; ++pass) {
        for (const ControlDef& def : definition_.controls) {
            if (def.container.empty() != (pass == 0)) {
                continue;
            }
            const HWND parent = def.container.empty() ? window_ : container_window(def.container);
            controls_.push_back({&def, create_control(def, parent)});
            SetWindowSubclass(controls_.back().window, &Form::control_proc, 0,
                              reinterpret_cast<DWORD_PTR>(this));
        }
    }
    if (!definition_.tabs.empty()) {
        for (const Control& control : controls_) {
            if (control.def->kind == ControlKind::TabStrip) {
                add_tabs(control.window, definition_.tabs);
            }
        }
    }
    bind_updowns();
    apply_stacking();
}

HWND Form::create_control(const ControlDef& def, HWND parent) {
    const HWND window = create_control_window(def, parent, app_.instance(), this);
    if (!window) {
        throw_last_error(named(L"create the control", def.name));
    }
    return window;
}

void Form::bind_updowns() {
    for (const UpDownDef& binding : definition_.updowns) {
        const HWND updown = control(binding.updown);
        const HWND buddy = control(binding.buddy);
        if (!updown || !buddy) {
            throw core::RuntimeError::control_call(named(L"bind the up-down", binding.updown),
                                                   ERROR_INVALID_WINDOW_HANDLE);
        }
        // The up-down writes its value into the buddy when bound; the field keeps its own text.
        const std::wstring field_text = text(binding.buddy);
        bind_updown(updown, buddy, binding);
        set_text(binding.buddy, field_text);
    }
}

void Form::apply_stacking() {
    // Front to back: each window goes just behind the one before it.
    auto stack = [](const std::vector<HWND>& front_to_back) {
        HWND previous = HWND_TOP;
        for (HWND window : front_to_back) {
            SetWindowPos(window, previous, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
            previous = window;
        }
    };
    std::vector<HWND> form_children;
    if (!definition_.stacking.empty()) {
        for (std::wstring_view name : definition_.stacking) {
            if (const HWND window = control(name)) {
                form_children.push_back(window);
            }
        }
    }
    std::vector<std::wstring_view> containers{std::wstring_view{}};
    for (const ControlDef& def : definition_.controls) {
        if (def.kind == ControlKind::PictureBox) {
            containers.push_back(def.name);
        }
    }
    for (std::wstring_view container : containers) {
        std::vector<HWND> children;
        for (const Control& c : controls_) {
            if (c.def->container == container) {
                children.push_back(c.window);
            }
        }
        // Labels are drawn on their container's surface, behind every windowed control in it.
        std::stable_partition(children.begin(), children.end(), [this](HWND window) {
            return find(window)->def->kind != ControlKind::Label;
        });
        stack(container.empty() && !form_children.empty() ? form_children : children);
    }
}

void Form::centre_on_screen() {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &monitor)) {
        work = monitor.rcWork;
    }
    RECT outer{};
    GetWindowRect(window_, &outer);
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    const int left = work.left + std::max(0L, (work.right - work.left - width) / 2);
    const int top = work.top + std::max(0L, (work.bottom - work.top - height) / 2);
    SetWindowPos(window_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace rt
