// The window icon routine against a recording fake platform: owner walk, sizes, message order.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "core/runtime_error.h"
#include "platform/window_icons.h"

namespace {

using platform::IconHandle;
using platform::WindowHandle;

constexpr platform::InstanceHandle kInstance = 0x400000;
const std::string kAppInstance = "App.hInstance";

// One platform call as the fake records it: "Name(argument, argument, ...)".
template <typename... Arguments>
std::string call(std::string_view name, const Arguments&... arguments) {
    std::ostringstream text;
    text << name << '(';
    const char* separator = "";
    ((text << separator << arguments, separator = ", "), ...);
    text << ')';
    return text.str();
}

// Big and small sizes that differ in every dimension, so that a swapped metric shows. The fake's
// icon is the number cx * 100 + cy, so that a swapped size shows too.
const std::map<int, int> kMetrics{{11, 32}, {12, 31}, {49, 16}, {50, 15}};

class RecordingPlatform final : public platform::WindowIconPlatform {
  public:
    // 5 is owned by 6, 6 by 7, 7 by 8; 20, owned by 5, is off that chain; 30 and 31 own each other.
    const std::map<WindowHandle, WindowHandle> owners{{5, 6},  {6, 7},   {7, 8},
                                                      {20, 5}, {30, 31}, {31, 30}};
    int failing_instance_read = 0;  // 1-based; 0 means every read succeeds
    std::vector<std::string> calls;

    WindowHandle get_window(WindowHandle window, unsigned command) override {
        calls.push_back(call("GetWindow", window, command));
        return owners.contains(window) ? owners.at(window) : 0;
    }
    int get_system_metrics(int index) override {
        calls.push_back(call("GetSystemMetrics", index));
        return kMetrics.at(index);
    }
    IconHandle load_image(platform::InstanceHandle instance, std::string_view name, unsigned type,
                          int cx, int cy, unsigned flags) override {
        calls.push_back(call("LoadImageA", instance, name, type, cx, cy, flags));
        return instance == kInstance && name == "AAA" ? IconHandle(cx * 100 + cy) : 0;
    }
    void send_message(WindowHandle window, unsigned message, std::uintptr_t wparam,
                      std::intptr_t lparam) override {
        calls.push_back(call("SendMessageA", window, message, wparam, lparam));
    }
    platform::InstanceHandle app_instance() override {
        calls.push_back(kAppInstance);
        if (++instance_reads_ == failing_instance_read) {
            throw core::RuntimeError::control_call(L"read App.hInstance", 6);
        }
        return kInstance;
    }
    // A single-byte code page without accents: what it lacks becomes '?'.
    std::string to_system_code_page(std::wstring_view text) override {
        std::string converted(text.size(), '?');
        std::ranges::transform(text, converted.begin(),
                               [](wchar_t c) { return c < 0x80 ? static_cast<char>(c) : '?'; });
        return converted;
    }

  private:
    int instance_reads_ = 0;
};

struct Case {
    const char* name;
    WindowHandle window;
    std::int16_t also_owner;
    const wchar_t* icon_name;
    std::vector<WindowHandle> owner_queries;
    std::vector<WindowHandle> served;  // the windows that get each icon, in order
    const char* loaded_as;             // only "AAA" exists
};

// clang-format off
const Case kCases[] = {
//    name                   window flag   icon name      owner queries  served   loaded as
    {"UnownedServedTwice",   8,     -1,    L"AAA",        {8},           {8, 8},  "AAA"},
    {"OwnerFlagOff",         5,     0,     L"AAA",        {},            {5},     "AAA"},
    {"ChainOfOwners",        5,     -1,    L"AAA",        {5, 6, 7, 8},  {8, 5},  "AAA"},
    {"TrueAsOne",            5,     1,     L"AAA",        {5, 6, 7, 8},  {8, 5},  "AAA"},
    {"TrueWithLowByteZero",  5,     0x100, L"AAA",        {5, 6, 7, 8},  {8, 5},  "AAA"},
    {"WindowZero",           0,     -1,    L"AAA",        {},            {0, 0},  "AAA"},
    {"OwnerLoop",            30,    -1,    L"AAA",        {30, 31},      {31, 30},"AAA"},
    {"UnknownGroupSendsNone", 5,    -1,    L"Ic\u00f4ne", {5, 6, 7, 8},  {8, 5},  "Ic?ne"},
};
// clang-format on

TEST(WindowIcons, MakesTheseCallsInThisOrder) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        RecordingPlatform fake;
        platform::SetWindowIcons(fake, c.window, c.icon_name, c.also_owner);

        std::vector<std::string> expected;
        for (const WindowHandle window : c.owner_queries) {
            expected.push_back(call("GetWindow", window, 4));  // GW_OWNER
        }
        // SM_CXICON, SM_CYICON with ICON_BIG, then SM_CXSMICON, SM_CYSMICON with ICON_SMALL; the
        // icon is loaded as IMAGE_ICON with LR_SHARED and sent with WM_SETICON.
        for (const auto& [width, height, kind] : {std::tuple{11, 12, 1u}, std::tuple{49, 50, 0u}}) {
            const int cx = kMetrics.at(width), cy = kMetrics.at(height);
            expected.insert(
                expected.end(),
                {call("GetSystemMetrics", width), call("GetSystemMetrics", height), kAppInstance,
                 call("LoadImageA", kInstance, c.loaded_as, 1, cx, cy, 0x8000)});
            const bool exists = std::string_view(c.loaded_as) == "AAA";
            for (const WindowHandle window : c.served) {
                expected.push_back(
                    call("SendMessageA", window, 0x0080, kind, exists ? cx * 100 + cy : 0));
            }
        }
        EXPECT_EQ(fake.calls, expected);
    }
}

TEST(WindowIcons, FailedInstanceReadPropagatesAndSendsNothingAfterIt) {
    for (const int failing_read : {1, 2}) {
        SCOPED_TRACE(failing_read);
        RecordingPlatform fake;
        fake.failing_instance_read = failing_read;
        try {
            platform::SetWindowIcons(fake, 5, L"AAA", -1);
            ADD_FAILURE() << "no error";
        } catch (const core::RuntimeError& error) {
            EXPECT_EQ(error.kind(), core::ErrorKind::ControlCall);
        }
        EXPECT_EQ(fake.calls.back(), kAppInstance) << "a call after the failed read";
    }
}

}  // namespace
