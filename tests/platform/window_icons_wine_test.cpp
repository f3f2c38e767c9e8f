// The window icon routine over the real user32, on a chain of three real windows of this
// executable, which carries the program's icon group "AAA". Icons are read back with WM_GETICON.

#include <windows.h>

#include <gtest/gtest.h>

#include <utility>

#include "core/runtime_error.h"
#include "platform/user32_icon_platform.h"
#include "platform/window_icons.h"

namespace {

using Icons = std::pair<HICON, HICON>;  // big, small
const Icons kNone{nullptr, nullptr};

Icons icons_of(HWND window) {
    return {reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_BIG, 0)),
            reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_SMALL, 0))};
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
    void SetUp() override {
        WNDCLASSW window_class{};
        window_class.lpfnWndProc = DefWindowProcW;
        window_class.hInstance = GetModuleHandleW(nullptr);
        window_class.lpszClassName = L"QuenlowWindowIconsTest";
        RegisterClassW(&window_class);  // no class icon; registering again fails harmlessly
        top = create_window(nullptr);
        middle = create_window(top);
        window = create_window(middle);
    }
    void TearDown() override { DestroyWindow(top); }  // takes the windows it owns with it

    // A hidden top-level window; for a top-level window the parent argument is its owner.
    static HWND create_window(HWND owner) {
        return CreateWindowExW(0, L"QuenlowWindowIconsTest", L"", WS_OVERLAPPEDWINDOW, 0, 0, 200,
                               100, owner, nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    void set_icons(platform::WindowIconPlatform& platform, const wchar_t* name) {
        platform::SetWindowIcons(platform, reinterpret_cast<platform::WindowHandle>(window), name,
                                 -1);
    }

    HWND top = nullptr, middle = nullptr, window = nullptr;
    platform::User32IconPlatform user32;
};

TEST_F(WindowIconsOnUser32, WindowAndTopOwnerGetIconsOfTheSystemSizesAndOwnersBetweenNone) {
    set_icons(user32, L"AAA");
    const Icons icons = icons_of(window);
    EXPECT_EQ(size_of(icons.first),
              std::pair(GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)));
    EXPECT_EQ(size_of(icons.second),
              std::pair(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON)));
    EXPECT_EQ(icons_of(top), icons);
    EXPECT_EQ(icons_of(middle), kNone);
}

TEST_F(WindowIconsOnUser32, UnreadableInstanceChangesNothingAndUnknownGroupTakesIconsAway) {
    set_icons(user32, L"AAA");
    const Icons before = icons_of(window);
    ASSERT_NE(before, kNone);
    platform::User32IconPlatform no_instance(nullptr);
    EXPECT_THROW(set_icons(no_instance, L"NOSUCHGROUP"), core::RuntimeError);
    EXPECT_EQ(icons_of(window), before);

    set_icons(user32, L"NOSUCHGROUP");
    EXPECT_EQ(icons_of(window), kNone);
    EXPECT_EQ(icons_of(top), kNone);
}

}  // namespace
