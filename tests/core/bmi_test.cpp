#include "core/bmi.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

#include "core/fields.h"
#include "core/number_text.h"
#include "core/runtime_error.h"

namespace core {
namespace {

const std::wstring kPrefix = L"Your Body Mass Index (BMI) is ";
const std::wstring kUnder = L" \rYour weight is in the underweight category.";
const std::wstring kNormal = L" \rYour weight is in the normal weight category.";
const std::wstring kOver = L" \rYour weight is in the overweight category.";
const std::wstring kObese = L" \rYour weight is in the obesity category.";

// Each calculator's weight, whole and part height fields.
constexpr FieldId kCalculators[2][3] = {
    {FieldId::WeightMetric, FieldId::MetresMetric, FieldId::CentimetresMetric},
    {FieldId::WeightStandard, FieldId::FeetStandard, FieldId::InchesStandard}};

// Worked by hand from the decimal inputs; storing the height as a single (1.6 becomes
// 1.600000024) moves none of them across a rounding boundary.
TEST(Calculation, GivesTheWorkedCaptions) {
    using enum UnitSystem;
    const struct {
        UnitSystem system;
        MeasurementTexts texts;
        std::wstring caption;
        NumberLocale locale = {};
    } cases[] = {
        {Metric, {L"50", L"1", L"60"}, kPrefix + L"19.5" + kNormal},    // 50 / 2.56 = 19.53
        {Standard, {L"150", L"5", L"8"}, kPrefix + L"22.8" + kNormal},  // 105450 / 4624 = 22.80
        {Metric, {L"60", L"1", L"60"}, kPrefix + L"23.4" + kNormal},    // 60 / 2.56 = 23.44
        {Metric, {L"5", L"2", L"99"}, kPrefix + L"0.6" + kUnder},       // 5 / 8.9401 = 0.559
        {Metric, {L"89", L"2", L"0"}, kPrefix + L"22.2" + kNormal},     // 89 / 4 = 22.25, even
        {Metric, {L"91", L"2", L"0"}, kPrefix + L"22.8" + kNormal},     // 91 / 4 = 22.75, even
        {Metric, {L"26", L"1", L"19"}, kPrefix + L"18.4" + kUnder},     // 26 / 1.4161 = 18.36
        {Metric, {L"20", L"1", L"4"}, kPrefix + L"18.5" + kNormal},     // 20 / 1.0816 = 18.49
        {Metric, {L"28", L"1", L"6"}, kPrefix + L"24.9" + kNormal},     // 28 / 1.1236 = 24.92
        {Metric, {L"25", L"1", L"0"}, kPrefix + L"25" + kOver},         // 25 / 1 = 25
        {Metric, {L"33", L"1", L"5"}, kPrefix + L"29.9" + kOver},       // 33 / 1.1025 = 29.93
        {Metric, {L"30", L"1", L"0"}, kPrefix + L"30" + kObese},        // 30 / 1 = 30
        {Standard, {L"111", L"4", L"3"}, kPrefix + L"30" + kObese},     // 78033 / 2601 = 30.001
        {Metric, {L"50", L"1,6", L"0"}, kPrefix + L"19,5" + kNormal, {L","}},
        {Metric, {L"3e32", L"0.01", L"0"}, kPrefix + L"3E+36" + kObese},  // 3e32 / 1e-4
        {Metric, {L"1e-40", L"2", L"0"}, kPrefix + L"0" + kUnder},        // a subnormal is no error
    };
    for (const auto& c : cases) {
        EXPECT_EQ(result_caption(calculate(c.system, c.texts, c.locale), c.locale), c.caption)
            << std::wstring(c.texts.weight) << " " << std::wstring(c.texts.height_major);
    }
}

TEST(Legend, HeadingTwoBreaksThenFourLinesWithoutTrailingBreak) {
    EXPECT_EQ(legend_caption(),
              L"BMI Category :\r\rUnderweight : Less than 18.5\rNormal Weight : Between 18.5 and "
              L"24.9\rOverweight : Between 25 and 29.9\rObesity : 30 and above");
}

TEST(Calculation, FailsAtTheFirstFaultNamingTheField) {
    using enum UnitSystem;
    using enum ErrorKind;
    using enum FieldId;
    const struct {
        UnitSystem system;
        MeasurementTexts texts;
        ErrorKind kind;
        std::optional<FieldId> field;
    } cases[] = {
        // The minor height is read before the major one.
        {Metric, {L"50", L"x", L"y"}, NotANumber, CentimetresMetric},
        {Metric, {L"1e39", L"1", L"60"}, TooLarge, WeightMetric},
        {Metric, {L"50", L"0", L"0"}, DivisionByZero, MetresMetric},
        {Standard, {L"0", L"0", L"0.0"}, InvalidOperation, WeightStandard},
        // A height beyond the single range, then a quotient beyond it.
        {Metric, {L"50", L"1e39", L"0"}, Overflow, std::nullopt},
        {Metric, {L"3e38", L"0.01", L"0"}, Overflow, std::nullopt},
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

// Every whole-number input within the fields' bounds against the BMI worked in long double;
// near a tie, where the working precisions decide, either neighbour is right.
TEST(AllInputs, CaptionsShowTheDecimalBmiInTenths) {
    using enum WeightCategory;
    for (const auto& fields : kCalculators) {
        const FieldRule &w = field_rule(fields[0]), &ma = field_rule(fields[1]),
                        &mi = field_rule(fields[2]);
        const bool metric = w.system == UnitSystem::Metric;
        long checked = 0;
        long near_ties = 0;
        for (int weight = w.lower; weight <= w.upper; ++weight) {
            for (int major = ma.lower; major <= ma.upper; ++major) {
                for (int minor = mi.lower; minor <= mi.upper; ++minor) {
                    const BmiResult result = calculate(
                        w.system,
                        {std::to_wstring(weight), std::to_wstring(major), std::to_wstring(minor)});
                    const std::wstring caption = result_caption(result);
                    const std::wstring number = caption.substr(
                        kPrefix.size(), caption.find(L' ', kPrefix.size()) - kPrefix.size());
                    const auto point = number.find(L'.');
                    ASSERT_TRUE(point == std::wstring::npos ||
                                (point + 2 == number.size() && number.back() != L'0'))
                        << caption;
                    ASSERT_EQ(text_to_single(number), result.bmi) << caption;
                    const long tenths = std::lround(text_to_double(number) * 10);
                    ASSERT_EQ(result.category, tenths < 185   ? Underweight
                                               : tenths < 250 ? NormalWeight
                                               : tenths < 300 ? Overweight
                                                              : Obesity)
                        << caption;
                    const long double height =
                        metric ? major + minor / 100.0L : major * 12.0L + minor;
                    const long double scaled = weight * (metric ? 10 : 7030) / (height * height);
                    const bool near_tie =
                        std::fabs(scaled - std::floor(scaled) - 0.5L) < 1e-5L * scaled;
                    near_ties += near_tie;
                    ASSERT_TRUE(near_tie ? std::fabs(tenths - scaled) < 1
                                         : tenths == std::lround(scaled))
                        << caption << " for " << weight << " " << major << " " << minor;
                    ++checked;
                }
            }
        }
        EXPECT_EQ(checked, metric ? 223 * 2 * 100 : 491 * 3 * 12);
        EXPECT_LT(near_ties, checked / 20);
    }
}

}  // namespace
}  // namespace core
