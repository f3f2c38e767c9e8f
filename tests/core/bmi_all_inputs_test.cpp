// Every whole-number input that the fields' bounds allow, in both unit systems.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/bmi.h"
#include "core/fields.h"
#include "core/number_text.h"

namespace core {
namespace {

// The category from the caption's number read as whole tenths: an independent reading of the
// thresholds that cannot fall between two categories.
WeightCategory category_of_tenths(long tenths) {
    if (tenths < 185) {
        return WeightCategory::Underweight;
    }
    if (tenths <= 249) {
        return WeightCategory::NormalWeight;
    }
    if (tenths <= 299) {
        return WeightCategory::Overweight;
    }
    return WeightCategory::Obesity;
}

// "22.8" -> 228, "25" -> 250; the caption shows at most one decimal.
long tenths_of(const std::wstring& number) {
    const auto point = number.find(L'.');
    if (point == std::wstring::npos) {
        return std::stol(number) * 10;
    }
    EXPECT_EQ(number.size(), point + 2) << "more than one decimal: " << number;
    return std::stol(number.substr(0, point)) * 10 + (number[point + 1] - L'0');
}

struct Sweep {
    long checked = 0;
    long near_ties = 0;
};

// exact_bmi: the BMI from the decimal inputs in long double, without the working precisions.
// Away from a tie the shown tenths must be its nearest; within the precisions' reach of a tie
// (a relative 1e-6 here) either neighbour may be right.
void check_one(const std::wstring& weight, const std::wstring& major, const std::wstring& minor,
               UnitSystem system, long double exact_bmi, Sweep& sweep) {
    const BmiResult result = calculate(system, {weight, major, minor});
    const std::wstring caption = result_caption(result);
    const std::wstring prefix = L"Your Body Mass Index (BMI) is ";
    ASSERT_EQ(caption.compare(0, prefix.size(), prefix), 0);
    const std::wstring number =
        caption.substr(prefix.size(), caption.find(L' ', prefix.size()) - prefix.size());
    ASSERT_EQ(text_to_single(number), result.bmi) << caption;
    const long tenths = tenths_of(number);
    ASSERT_EQ(result.category, category_of_tenths(tenths)) << caption;

    const long double scaled = exact_bmi * 10;
    const long double below = std::floor(scaled);
    if (std::fabs(scaled - below - 0.5L) < 1e-5L * scaled) {
        ++sweep.near_ties;
        ASSERT_TRUE(tenths == below || tenths == below + 1) << caption;
    } else {
        ASSERT_EQ(tenths, std::lround(scaled)) << weight << " " << major << " " << minor;
    }
    ++sweep.checked;
}

TEST(AllInputs, MetricCaptionsMatchTheDecimalBmi) {
    const FieldRule& kg = field_rule(FieldId::WeightMetric);
    const FieldRule& m = field_rule(FieldId::MetresMetric);
    const FieldRule& cm = field_rule(FieldId::CentimetresMetric);
    Sweep sweep;
    for (int w = kg.lower; w <= kg.upper; ++w) {
        for (int metres = m.lower; metres <= m.upper; ++metres) {
            for (int centimetres = cm.lower; centimetres <= cm.upper; ++centimetres) {
                const long double height = metres + centimetres / 100.0L;
                check_one(std::to_wstring(w), std::to_wstring(metres), std::to_wstring(centimetres),
                          UnitSystem::Metric, w / (height * height), sweep);
            }
        }
    }
    EXPECT_EQ(sweep.checked, 223 * 2 * 100);
    EXPECT_LT(sweep.near_ties, sweep.checked / 20);
}

TEST(AllInputs, StandardCaptionsMatchTheDecimalBmi) {
    const FieldRule& lb = field_rule(FieldId::WeightStandard);
    const FieldRule& ft = field_rule(FieldId::FeetStandard);
    const FieldRule& in = field_rule(FieldId::InchesStandard);
    Sweep sweep;
    for (int w = lb.lower; w <= lb.upper; ++w) {
        for (int feet = ft.lower; feet <= ft.upper; ++feet) {
            for (int inches = in.lower; inches <= in.upper; ++inches) {
                const long double height = feet * 12.0L + inches;
                check_one(std::to_wstring(w), std::to_wstring(feet), std::to_wstring(inches),
                          UnitSystem::Standard, w * 703 / (height * height), sweep);
            }
        }
    }
    EXPECT_EQ(sweep.checked, 491 * 3 * 12);
    EXPECT_LT(sweep.near_ties, sweep.checked / 20);
}

}  // namespace
}  // namespace core
