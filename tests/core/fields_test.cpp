#include "core/fields.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "core/runtime_error.h"

namespace core {
namespace {

TEST(KeystrokeRule, PassesBackspaceDigitsNegativeAndHighCodesOnly) {
    const struct {
        std::int16_t code;
        bool passes;
    } cases[] = {
        {-32768, true}, {-1, true},   {0, false},  {3, false},    {7, false},  {8, true},
        {9, false},     {13, false},  {22, false}, {24, false},   {32, false}, {45, false},
        {46, false},    {47, false},  {48, true},  {53, true},    {57, true},  {58, false},
        {65, false},    {127, false}, {128, true}, {32767, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(keystroke_rule(c.code), c.passes ? c.code : 0) << "code " << c.code;
    }
}

TEST(FieldTable, LooksUpByIdAndControlName) {
    for (const FieldRule& rule : kFields) {
        EXPECT_EQ(field_rule(rule.id).name, rule.name);
        ASSERT_NE(find_field(rule.name), nullptr);
        EXPECT_EQ(find_field(rule.name)->id, rule.id);
        // The text at start is a number already inside the bounds.
        EXPECT_EQ(range_rule(rule.start_text, rule), std::nullopt) << std::wstring(rule.name);
    }
    EXPECT_EQ(find_field(L"txtweight"), nullptr);
}

TEST(RangeRule, PullsTheTextToTheNearerBoundOrLeavesItAsTyped) {
    const struct {
        FieldId field;
        std::wstring_view text;
        std::optional<std::wstring> replacement;
    } cases[] = {
        {FieldId::MetresMetric, L"0", L"1"},
        {FieldId::MetresMetric, L"3", L"2"},
        {FieldId::MetresMetric, L"0.5", L"1"},
        {FieldId::MetresMetric, L"2.5", L"2"},
        {FieldId::MetresMetric, L"1.5", std::nullopt},
        {FieldId::WeightMetric, L"250", L"227"},
        {FieldId::WeightMetric, L"4", L"5"},
        {FieldId::WeightMetric, L"227", std::nullopt},
        {FieldId::CentimetresMetric, L"99", std::nullopt},
        {FieldId::CentimetresMetric, L"100", L"99"},
        {FieldId::CentimetresMetric, L"0", std::nullopt},
        {FieldId::InchesStandard, L"12", L"11"},
        {FieldId::InchesStandard, L"007", std::nullopt},
        {FieldId::InchesStandard, L" 1e1 ", std::nullopt},
        {FieldId::FeetStandard, L"7", L"6"},
        {FieldId::FeetStandard, L"3", L"4"},
        {FieldId::WeightStandard, L"9", L"10"},
        {FieldId::WeightStandard, L"501", L"500"},
        {FieldId::WeightStandard, L"1e300", L"500"},  // far beyond single, within double
        {FieldId::WeightStandard, L"00010", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(range_rule(c.text, field_rule(c.field)), c.replacement)
            << std::wstring(c.text) << " in " << std::wstring(field_rule(c.field).name);
    }
    EXPECT_EQ(range_rule(L"1,5", field_rule(FieldId::MetresMetric), {L","}), std::nullopt);
}

TEST(RangeRule, ReadsTheTextAgainAfterRaisingIt) {
    // Only bounds the wrong way round show the second reading: "1" is raised to "5", which is
    // then above 3. Reading the original text twice would leave "5".
    FieldRule crossed = field_rule(FieldId::FeetStandard);
    crossed.lower = 5;
    crossed.upper = 3;
    EXPECT_EQ(range_rule(L"1", crossed), L"3");
}

TEST(RangeRule, FailsOnTextThatIsNotANumberNamingTheField) {
    const struct {
        std::wstring_view text;
        ErrorKind kind;
    } cases[] = {
        {L"", ErrorKind::Empty},
        {L"  ", ErrorKind::Empty},
        {L"abc", ErrorKind::NotANumber},
        {L"-5", ErrorKind::NotANumber},
        {L".", ErrorKind::NotANumber},
        {L"\u0661\u0662", ErrorKind::NotANumber},
        {L"5\u00e9", ErrorKind::NotANumber},
        {L"1e999", ErrorKind::TooLarge},
    };
    for (const FieldRule& rule : kFields) {
        for (const auto& c : cases) {
            try {
                const auto replacement = range_rule(c.text, rule);
                ADD_FAILURE() << "accepted " << std::wstring(c.text);
            } catch (const RuntimeError& error) {
                EXPECT_EQ(error.kind(), c.kind);
                EXPECT_EQ(error.field(), rule.id);
                EXPECT_EQ(error.input(), c.text);
            }
        }
    }
}

}  // namespace
}  // namespace core
