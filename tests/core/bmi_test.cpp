#include "core/bmi.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/runtime_error.h"

namespace core {
namespace {

std::wstring caption_of(UnitSystem system, const MeasurementTexts& texts,
                        const NumberLocale& locale = {}) {
    return result_caption(calculate(system, texts, locale), locale);
}

const std::wstring kPrefix = L"Your Body Mass Index (BMI) is ";
const std::wstring kUnder = L" \rYour weight is in the underweight category.";
const std::wstring kNormal = L" \rYour weight is in the normal weight category.";
const std::wstring kOver = L" \rYour weight is in the overweight category.";
const std::wstring kObese = L" \rYour weight is in the obesity category.";

struct KnownCase {
    UnitSystem system;
    MeasurementTexts texts;
    std::wstring caption;
};

// Worked by hand from the decimal inputs; the height's single rounding (1.6 is stored as
// 1.600000024) moves none of these across a rounding boundary.
TEST(Calculation, GivesTheWorkedCaptions) {
    const auto metric = UnitSystem::Metric;
    const auto standard = UnitSystem::Standard;
    const KnownCase cases[] = {
        {metric, {L"50", L"1", L"60"}, kPrefix + L"19.5" + kNormal},    // 50 / 2.56 = 19.53
        {standard, {L"150", L"5", L"8"}, kPrefix + L"22.8" + kNormal},  // 105450 / 4624 = 22.80
        {metric, {L"60", L"1", L"60"}, kPrefix + L"23.4" + kNormal},    // 60 / 2.56 = 23.44
        {metric, {L"5", L"2", L"99"}, kPrefix + L"0.6" + kUnder},       // 5 / 8.9401 = 0.559
        {metric, {L"89", L"2", L"0"}, kPrefix + L"22.2" + kNormal},     // 89 / 4 = 22.25, even
        {metric, {L"91", L"2", L"0"}, kPrefix + L"22.8" + kNormal},     // 91 / 4 = 22.75, even
        {metric, {L"26", L"1", L"19"}, kPrefix + L"18.4" + kUnder},     // 26 / 1.4161 = 18.36
        {metric, {L"20", L"1", L"4"}, kPrefix + L"18.5" + kNormal},     // 20 / 1.0816 = 18.49
        {metric, {L"28", L"1", L"6"}, kPrefix + L"24.9" + kNormal},     // 28 / 1.1236 = 24.92
        {metric, {L"25", L"1", L"0"}, kPrefix + L"25" + kOver},         // 25 / 1 = 25
        {metric, {L"33", L"1", L"5"}, kPrefix + L"29.9" + kOver},       // 33 / 1.1025 = 29.93
        {metric, {L"30", L"1", L"0"}, kPrefix + L"30" + kObese},        // 30 / 1 = 30
        {standard, {L"63", L"4", L"1"}, kPrefix + L"18.4" + kUnder},    // 44289 / 2401 = 18.45
        {standard, {L"71", L"4", L"4"}, kPrefix + L"18.5" + kNormal},   // 49913 / 2704 = 18.46
        {standard, {L"85", L"4", L"1"}, kPrefix + L"24.9" + kNormal},   // 59755 / 2401 = 24.89
        {standard, {L"82", L"4", L"0"}, kPrefix + L"25" + kOver},       // 57646 / 2304 = 25.02
        {standard, {L"98", L"4", L"0"}, kPrefix + L"29.9" + kOver},     // 68894 / 2304 = 29.90
        {standard, {L"111", L"4", L"3"}, kPrefix + L"30" + kObese},     // 78033 / 2601 = 30.001
        {standard, {L"500", L"4", L"0"}, kPrefix + L"152.6" + kObese},  // 351500 / 2304 = 152.56
        {metric, {L" 050 ", L"01", L"60.0"}, kPrefix + L"19.5" + kNormal},
        // 3e32 / 0.0001 = 3e36, shown to 7 significant digits.
        {metric, {L"3e32", L"0.01", L"0"}, kPrefix + L"3E+36" + kObese},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(caption_of(c.system, c.texts), c.caption)
            << std::wstring(c.texts.weight) << " " << std::wstring(c.texts.height_major) << " "
            << std::wstring(c.texts.height_minor);
    }
}

TEST(Calculation, UsesTheLocaleSeparatorInTextAndCaption) {
    const NumberLocale comma{L","};
    EXPECT_EQ(caption_of(UnitSystem::Metric, {L"50", L"1", L"60"}, comma),
              kPrefix + L"19,5" + kNormal);
    EXPECT_EQ(caption_of(UnitSystem::Metric, {L"50", L"1,6", L"0"}, comma),
              kPrefix + L"19,5" + kNormal);
}

TEST(Classify, EachBoundIsInclusiveAsSingles) {
    const struct {
        float bmi;
        WeightCategory category;
    } cases[] = {
        {0.0f, WeightCategory::Underweight},
        {18.4f, WeightCategory::Underweight},
        {std::nextafter(18.5f, 0.0f), WeightCategory::Underweight},
        {18.5f, WeightCategory::NormalWeight},
        {24.9f, WeightCategory::NormalWeight},
        {25.0f, WeightCategory::Overweight},
        {29.9f, WeightCategory::Overweight},
        {30.0f, WeightCategory::Obesity},
        {152.6f, WeightCategory::Obesity},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(classify(c.bmi), c.category) << c.bmi;
    }
}

TEST(Legend, HeadingTwoBreaksThenFourLinesWithoutTrailingBreak) {
    EXPECT_EQ(legend_caption(),
              L"BMI Category :\r\rUnderweight : Less than 18.5\rNormal Weight : Between 18.5 and "
              L"24.9\rOverweight : Between 25 and 29.9\rObesity : 30 and above");
}

struct FailureCase {
    UnitSystem system;
    MeasurementTexts texts;
    ErrorKind kind;
    std::optional<FieldId> field;
};

TEST(Calculation, FailsAtTheFirstFaultNamingTheField) {
    const auto metric = UnitSystem::Metric;
    const auto standard = UnitSystem::Standard;
    const FailureCase cases[] = {
        {metric, {L"", L"1", L"60"}, ErrorKind::Empty, FieldId::WeightMetric},
        {standard, {L" ", L"5", L"8"}, ErrorKind::Empty, FieldId::WeightStandard},
        {metric, {L"50", L"one", L"60"}, ErrorKind::NotANumber, FieldId::MetresMetric},
        {metric, {L"50", L"1", L"-5"}, ErrorKind::NotANumber, FieldId::CentimetresMetric},
        {standard, {L"150", L"\uff15", L"8"}, ErrorKind::NotANumber, FieldId::FeetStandard},
        {standard, {L"150", L"5", L"."}, ErrorKind::NotANumber, FieldId::InchesStandard},
        // The minor height is read before the major one.
        {metric, {L"50", L"x", L"y"}, ErrorKind::NotANumber, FieldId::CentimetresMetric},
        {metric, {L"1e39", L"1", L"60"}, ErrorKind::TooLarge, FieldId::WeightMetric},
        {standard, {L"150", L"1e400", L"8"}, ErrorKind::TooLarge, FieldId::FeetStandard},
        {metric, {L"50", L"0", L"0"}, ErrorKind::DivisionByZero, FieldId::MetresMetric},
        {standard, {L"150", L"0", L"0"}, ErrorKind::DivisionByZero, FieldId::FeetStandard},
        {metric, {L"0", L"0", L"0"}, ErrorKind::InvalidOperation, FieldId::WeightMetric},
        {standard, {L"0", L"0", L"0.0"}, ErrorKind::InvalidOperation, FieldId::WeightStandard},
        // A double height beyond the single range, a quotient beyond it, a double overflow.
        {metric, {L"50", L"1e39", L"0"}, ErrorKind::Overflow, std::nullopt},
        {metric, {L"3e38", L"0.01", L"0"}, ErrorKind::Overflow, std::nullopt},
        {standard, {L"150", L"1e308", L"0"}, ErrorKind::Overflow, std::nullopt},
        {metric, {L"50", L"1.797e308", L"1e308"}, ErrorKind::Overflow, std::nullopt},
    };
    for (const auto& c : cases) {
        try {
            const BmiResult result = calculate(c.system, c.texts);
            ADD_FAILURE() << "calculated " << result.bmi;
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.kind(), c.kind) << std::wstring(c.texts.weight);
            EXPECT_EQ(error.field(), c.field) << std::wstring(c.texts.weight);
        }
    }
}

TEST(Calculation, TinyResultsUnderflowWithoutError) {
    EXPECT_EQ(calculate_metric(L"1e-40", L"2", L"0").bmi, 0.0f);
    EXPECT_EQ(calculate_standard(L"1e-50", L"6", L"11").category, WeightCategory::Underweight);
}

}  // namespace
}  // namespace core
