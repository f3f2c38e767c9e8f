#pragma once

#include <string>
#include <string_view>

#include "number_locale.h"
#include "units.h"

namespace core {

enum class WeightCategory { Underweight, NormalWeight, Overweight, Obesity };

// The three texts of one calculator, as its fields hold them.
struct MeasurementTexts {
    std::wstring_view weight;        // kilograms or pounds
    std::wstring_view height_major;  // whole metres or feet
    std::wstring_view height_minor;  // centimetres or inches
};

struct BmiResult {
    float bmi;  // rounded to one decimal, single precision
    WeightCategory category;
    friend bool operator==(const BmiResult&, const BmiResult&) = default;
};

// Both calculations throw RuntimeError (with the field set for a failed conversion) and never
// clamp their inputs.
BmiResult calculate_metric(std::wstring_view kilograms, std::wstring_view metres,
                           std::wstring_view centimetres, const NumberLocale& locale = {});
BmiResult calculate_standard(std::wstring_view pounds, std::wstring_view feet,
                             std::wstring_view inches, const NumberLocale& locale = {});
BmiResult calculate(UnitSystem system, const MeasurementTexts& texts,
                    const NumberLocale& locale = {});

// The first of < 18.5, <= 24.9, <= 29.9 that holds, else Obesity, compared as singles. A rounded
// value is never in the gaps (24.9, 25) and (29.9, 30).
WeightCategory classify(float rounded_bmi);

// "Your Body Mass Index (BMI) is 22.8 \rYour weight is in the normal weight category."
std::wstring result_caption(const BmiResult& result, const NumberLocale& locale = {});
// The category legend that both calculators show.
std::wstring legend_caption();

}  // namespace core
