#include "core/fields.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "core/runtime_error.h"

namespace core {
namespace {

TEST(KeystrokeRule, PassesBackspaceDigitsNegativeAndHighCodesOnly) {
    // Both sides of every bound, and Enter, Ctrl+V, minus and point, which a field must refuse.
    for (const int code : {-32768, -1, 8, 48, 57, 128, 32767}) {
        EXPECT_EQ(keystroke_rule(static_cast<std::int16_t>(code)), code);
    }
    for (const int code : {0, 7, 9, 13, 22, 45, 46, 47, 58, 127}) {
        EXPECT_EQ(keystroke_rule(static_cast<std::int16_t>(code)), 0) << "code " << code;
    }
}

// Only crossed bounds show the second reading: "1" is raised to "5", which is then above 3.
// Reading the typed text twice would leave "5".
TEST(RangeRule, ReadsTheTextAgainAfterRaisingIt) {
    FieldRule crossed = field_rule(FieldId::FeetStandard);
    crossed.lower = 5;
    crossed.upper = 3;
    EXPECT_EQ(range_rule(L"1", crossed), L"3");
}

}  // namespace
}  // namespace core
