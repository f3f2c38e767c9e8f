// The window icon routine over the real user32, on real windows of this executable, which carries
// the program's icon group "AAA". The icons are read back with WM_GETICON.

#include <windows.h>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "core/runtime_error.h"
#include "platform/user32_icon_platform.h"
#include "platform/window_icons.h"

namespace {

constexpr std::int16_t kTrue = -1;
constexpr wchar_t kWindowClass[] = L"QuenlowWindowIconsTest";

platform::WindowHandle handle_of(HWND window) {
    return reinterpret_cast<platform::WindowHandle>(window);
}

HICON icon_of(HWND window, WPARAM kind) {
    return reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, kind, 0));
}

struct Icons {
    HICON big;
    HICON small;
    bool operator==(const Icons&) const = default;
};

Icons icons_of(HWND window) {
    return {icon_of(window, ICON_BIG), icon_of(window, ICON_SMALL)};
}

// Width and height of the icon's colour image.
std::pair<int, int> size_of(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) {
        return {0, 0};
    }
    BITMAP bitmap{};
    GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return {static_cast<int>(bitmap.bmWidth), static_cast<int>(bitmap.bmHeight)};
}

class WindowIconsOnUser32 : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        WNDCLASSW window_class{};
        window_class.lpfnWndProc = DefWindowProcW;
        window_class.hInstance = GetModuleHandleW(nullptr);
        window_class.lpszClassName = kWindowClass;
        RegisterClassW(&window_class);  // no class icon: a window has only what it is sent
    }

    // A hidden top-level window; for a top-level window the parent argument is its owner.
    HWND create_window(HWND owner = nullptr) {
        HWND window = CreateWindowExW(0, kWindowClass, L"", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                      owner, nullptr, GetModuleHandleW(nullptr), nullptr);
        windows_.push_back(window);
        return window;
    }

    void TearDown() override {
        for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
            DestroyWindow(*it);
        }
    }

    platform::User32IconPlatform user32_;

  private:
    std::vector<HWND> windows_;
};

TEST_F(WindowIconsOnUser32, WindowAndTopOwnerGetIconsOfTheSystemSizesAndOwnersBetweenNone) {
    HWND top = create_window();
    HWND middle = create_window(top);
    HWND window = create_window(middle);
    ASSERT_EQ(GetWindow(window, GW_OWNER), middle);
    ASSERT_EQ(GetWindow(middle, GW_OWNER), top);

    platform::SetWindowIcons(user32_, handle_of(window), L"AAA", kTrue);

    const Icons icons = icons_of(window);
    ASSERT_NE(icons.big, nullptr);
    ASSERT_NE(icons.small, nullptr);
    EXPECT_EQ(size_of(icons.big),
              std::pair(GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)));
    EXPECT_EQ(size_of(icons.small),
              std::pair(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON)));
    EXPECT_EQ(icons_of(top), icons);
    EXPECT_EQ(icons_of(middle), (Icons{nullptr, nullptr}));
}

TEST_F(WindowIconsOnUser32, UnknownGroupTakesTheIconsAwayWithoutError) {
    HWND owner = create_window();
    HWND window = create_window(owner);
    platform::SetWindowIcons(user32_, handle_of(window), L"AAA", kTrue);
    ASSERT_NE(icons_of(owner).big, nullptr);

    platform::SetWindowIcons(user32_, handle_of(window), L"NOSUCHGROUP", kTrue);
    EXPECT_EQ(icons_of(window), (Icons{nullptr, nullptr}));
    EXPECT_EQ(icons_of(owner), (Icons{nullptr, nullptr}));
}

TEST_F(WindowIconsOnUser32, UnreadableInstanceRaisesAndLeavesTheIconsAsTheyWere) {
    HWND window = create_window();
    platform::SetWindowIcons(user32_, handle_of(window), L"AAA", kTrue);
    const Icons before = icons_of(window);

    platform::User32IconPlatform no_instance(nullptr);
    EXPECT_THROW(platform::SetWindowIcons(no_instance, handle_of(window), L"NOSUCHGROUP", kTrue),
                 core::RuntimeError);
    EXPECT_EQ(icons_of(window), before);
}

}  // namespace
