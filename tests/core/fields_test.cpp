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

TEST(RangeRule, PullsTheTextToTheNearerBoundOrLeavesItAsTyped) {
    using enum FieldId;
    const std::optional<std::wstring> kept;
    const struct {
        FieldId field;
        std::wstring_view text;
        std::optional<std::wstring> replacement;
        NumberLocale locale = {};
    } cases[] = {
        {WeightMetric, L"4", L"5"},         {WeightMetric, L"250", L"227"},
        {MetresMetric, L"0.5", L"1"},       {MetresMetric, L"1,5", kept, {L","}},
        {MetresMetric, L"2.5", L"2"},       {CentimetresMetric, L"99", kept},
        {CentimetresMetric, L"100", L"99"}, {WeightStandard, L"9", L"10"},
        {WeightStandard, L"00010", kept},   {WeightStandard, L"501", L"500"},
        {WeightStandard, L"1e300", L"500"}, {FeetStandard, L"3", L"4"},
        {FeetStandard, L"7", L"6"},         {InchesStandard, L"007", kept},
        {InchesStandard, L"12", L"11"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(range_rule(c.text, field_rule(c.field), c.locale), c.replacement)
            << std::wstring(c.text) << " in " << std::wstring(field_rule(c.field).display_name);
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
