// The window icon routine against a recording fake platform: owner walk, sizes, message order.

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "core/runtime_error.h"
#include "platform/window_icons.h"

namespace {

using platform::WindowHandle;

constexpr platform::InstanceHandle kInstance = 0x400000;
constexpr std::int16_t kTrue = -1;
constexpr std::int16_t kFalse = 0;

// One platform call as text, "Name(argument, argument, ...)", as the fake records it.
template <typename... Arguments>
std::string call(std::string_view name, const Arguments&... arguments) {
    std::ostringstream text;
    text << name << '(';
    const char* separator = "";
    ((text << separator << arguments, separator = ", "), ...);
    text << ')';
    return text.str();
}
std::string owner_query(WindowHandle window) {
    return call("GetWindow", window, platform::kGwOwner);
}
std::string metric(int index) {
    return call("GetSystemMetrics", index);
}
std::string load(std::string_view name, int cx, int cy) {
    return call("LoadImageA", kInstance, name, platform::kImageIcon, cx, cy, platform::kLrShared);
}
std::string send(WindowHandle window, std::uintptr_t kind, platform::IconHandle icon) {
    return call("SendMessageA", window, platform::kWmSetIcon, kind, icon);
}
const std::string kAppInstance = "App.hInstance";

// Icon sizes that differ in every dimension, so that a swapped metric shows.
constexpr int kBigWidth = 32, kBigHeight = 31, kSmallWidth = 16, kSmallHeight = 15;
// The fake's icon handle for a known group: derived from the size it was loaded at.
constexpr platform::IconHandle kBigIcon = 1000 + kBigWidth * 100 + kBigHeight;
constexpr platform::IconHandle kSmallIcon = 1000 + kSmallWidth * 100 + kSmallHeight;

class RecordingPlatform final : public platform::WindowIconPlatform {
  public:
    std::map<WindowHandle, WindowHandle> owners;
    std::set<std::string> icon_groups{"AAA"};
    int failing_instance_read = 0;  // 1-based; 0 means every read succeeds
    std::vector<std::string> calls;

    WindowHandle get_window(WindowHandle window, unsigned command) override {
        calls.push_back(call("GetWindow", window, command));
        const auto link = owners.find(window);
        return link == owners.end() ? 0 : link->second;
    }
    int get_system_metrics(int index) override {
        calls.push_back(metric(index));
        const std::map<int, int> metrics{{platform::kSmCxIcon, kBigWidth},
                                         {platform::kSmCyIcon, kBigHeight},
                                         {platform::kSmCxSmIcon, kSmallWidth},
                                         {platform::kSmCySmIcon, kSmallHeight}};
        return metrics.at(index);
    }
    platform::IconHandle load_image(platform::InstanceHandle instance, std::string_view name,
                                    unsigned type, int cx, int cy, unsigned flags) override {
        calls.push_back(call("LoadImageA", instance, name, type, cx, cy, flags));
        const bool found = instance == kInstance && icon_groups.contains(std::string(name));
        return found ? static_cast<platform::IconHandle>(1000 + cx * 100 + cy) : 0;
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
        std::string converted;
        for (const wchar_t c : text) {
            converted += c < 0x80 ? static_cast<char>(c) : '?';
        }
        return converted;
    }

    std::vector<std::string> calls_starting(const std::string& prefix) const {
        std::vector<std::string> matching;
        for (const auto& entry : calls) {
            if (entry.starts_with(prefix)) {
                matching.push_back(entry);
            }
        }
        return matching;
    }

  private:
    int instance_reads_ = 0;
};

TEST(WindowIcons, UnownedWindowGetsEachIconTwiceInTheFullOrderOfCalls) {
    RecordingPlatform fake;
    platform::SetWindowIcons(fake, 5, L"AAA", kTrue);
    const std::vector<std::string> expected{
        owner_query(5),        metric(11),          metric(12),
        kAppInstance,          load("AAA", 32, 31), send(5, 1, kBigIcon),
        send(5, 1, kBigIcon),  metric(49),          metric(50),
        kAppInstance,          load("AAA", 16, 15), send(5, 0, kSmallIcon),
        send(5, 0, kSmallIcon)};
    EXPECT_EQ(fake.calls, expected);
}

struct WalkCase {
    const char* name;
    std::map<WindowHandle, WindowHandle> owners;
    WindowHandle window;
    std::int16_t also_owner;
    std::vector<WindowHandle> owner_queries;
    WindowHandle top;  // receives each icon before the window; 0 with no owner flag
};

void PrintTo(const WalkCase& c, std::ostream* out) {
    *out << c.name;
}

class WindowIconsOwnerWalk : public testing::TestWithParam<WalkCase> {};

TEST_P(WindowIconsOwnerWalk, OnlyTheTopOfTheChainIsServedBeforeTheWindow) {
    const WalkCase& c = GetParam();
    RecordingPlatform fake;
    fake.owners = c.owners;
    platform::SetWindowIcons(fake, c.window, L"AAA", c.also_owner);

    std::vector<std::string> queries;
    for (const WindowHandle w : c.owner_queries) {
        queries.push_back(owner_query(w));
    }
    EXPECT_EQ(fake.calls_starting("GetWindow"), queries);
    std::vector<std::string> sends;
    for (const auto& [kind, icon] : {std::pair{1u, kBigIcon}, std::pair{0u, kSmallIcon}}) {
        if (c.also_owner != 0) {
            sends.push_back(send(c.top, kind, icon));
        }
        sends.push_back(send(c.window, kind, icon));
    }
    EXPECT_EQ(fake.calls_starting("SendMessageA"), sends);
}

// 5 is owned by 6, 6 by 7, 7 by 8; 20, owned by 5, is not on 5's way up.
const std::map<WindowHandle, WindowHandle> kChain{{5, 6}, {6, 7}, {7, 8}, {20, 5}};

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, WindowIconsOwnerWalk, testing::Values(
//            name                   owners            window alsoOwner  owner queries  top
    WalkCase{"OwnerFlagOff",        kChain,            5, kFalse,    {},            0},
    WalkCase{"ChainOfOwners",       kChain,            5, kTrue,     {5, 6, 7, 8},  8},
    WalkCase{"TrueAsOne",           kChain,            5, 1,         {5, 6, 7, 8},  8},
    WalkCase{"TrueWithLowByteZero", kChain,            5, 0x100,     {5, 6, 7, 8},  8},
    WalkCase{"TrueAsSignBitOnly",   kChain,            5, INT16_MIN, {5, 6, 7, 8},  8},
    WalkCase{"WindowZero",          kChain,            0, kTrue,     {},            0},
    WalkCase{"OwnerLoop",           {{5, 6}, {6, 5}},  5, kTrue,     {5, 6},        6}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(WindowIcons, UnknownGroupSendsNoIconToBothWindows) {
    RecordingPlatform fake;
    fake.owners = kChain;
    platform::SetWindowIcons(fake, 5, L"Ic\u00f4ne", kTrue);
    EXPECT_EQ(fake.calls_starting("LoadImageA"),
              (std::vector{load("Ic?ne", 32, 31), load("Ic?ne", 16, 15)}));
    EXPECT_EQ(fake.calls_starting("SendMessageA"),
              (std::vector{send(8, 1, 0), send(5, 1, 0), send(8, 0, 0), send(5, 0, 0)}));
}

TEST(WindowIcons, FailedInstanceReadPropagatesAndSendsNothingAfterIt) {
    for (const auto& [failing_read, sends_before] : {std::pair{1, 0u}, std::pair{2, 2u}}) {
        RecordingPlatform fake;
        fake.failing_instance_read = failing_read;
        try {
            platform::SetWindowIcons(fake, 5, L"AAA", kTrue);
            ADD_FAILURE() << "no error for failing read " << failing_read;
        } catch (const core::RuntimeError& error) {
            EXPECT_EQ(error.kind(), core::ErrorKind::ControlCall);
        }
        EXPECT_EQ(fake.calls.back(), kAppInstance) << "failing read " << failing_read;
        EXPECT_EQ(fake.calls_starting("SendMessageA").size(), sends_before);
    }
}

}  // namespace
