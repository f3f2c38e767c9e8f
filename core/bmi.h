#pragma once

#include <string>
#include <string_view>

#include "number_locale.h"
#include "units.h"

namespace core {

enum class WeightCategory { Underweight, NormalWeight, Overweight, Obesity };

// What the fields of calculator_fields(system) hold, in the same order.
struct CalculatorTexts {
    std::wstring_view weight;        // kilograms or pounds
    std::wstring_view height_major;  // whole metres or feet
    std::wstring_view height_minor;  // centimetres or inches
};

struct BmiResult {
    float bmi;  // rounded to one decimal, single precision
    WeightCategory category;
};

// Throws RuntimeError at the first fault, and never clamps its inputs.
BmiResult calculate(UnitSystem system, const CalculatorTexts& texts,
                    const NumberLocale& locale = {});

// "Your Body Mass Index (BMI) is 22.8 \rYour weight is in the normal weight category."
std::wstring result_caption(const BmiResult& result, const NumberLocale& locale = {});
// The category legend that both calculators show.
std::wstring legend_caption();

}  // namespace core
