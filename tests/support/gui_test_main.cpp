#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <gtest/gtest.h>

// The entry point of the GoogleTest programs that create real windows.
int main(int argc, char** argv) {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_TAB_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&classes);
    CoInitialize(nullptr);
    testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    CoUninitialize();
    return result;
}
