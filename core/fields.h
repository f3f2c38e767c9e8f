#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "number_locale.h"
#include "units.h"

namespace core {

enum class FieldId {
    WeightMetric,
    MetresMetric,
    CentimetresMetric,
    WeightStandard,
    FeetStandard,
    InchesStandard,
};

// One measurement field: its text at start, its inclusive bounds (which its up-down keeps too)
// and the name messages and screen readers give it.
struct FieldRule {
    FieldId id;
    UnitSystem system;
    std::wstring_view start_text;
    std::int16_t lower;
    std::int16_t upper;
    std::int16_t updown_start;  // the up-down's own value before it first steps
    std::wstring_view display_name;
};

// clang-format off
inline constexpr std::array<FieldRule, 6> kFields{{
//   field                       unit system           start  lo   hi  up-down  display name
    {FieldId::WeightMetric,      UnitSystem::Metric,   L"50",   5, 227,     10, L"Your Weight, kg"},
    {FieldId::MetresMetric,      UnitSystem::Metric,   L"1",    1,   2,      2, L"Your Height, m"},
    {FieldId::CentimetresMetric, UnitSystem::Metric,   L"60",   0,  99,      0, L"Your Height, cm"},
    {FieldId::WeightStandard,    UnitSystem::Standard, L"150", 10, 500,     10, L"Your Weight, lb"},
    {FieldId::FeetStandard,      UnitSystem::Standard, L"5",    4,   6,      4, L"Your Height, ft"},
    {FieldId::InchesStandard,    UnitSystem::Standard, L"8",    0,  11,      0, L"Your Height, in"},
}};
// clang-format on

constexpr const FieldRule& field_rule(FieldId id) {
    return kFields[static_cast<std::size_t>(id)];
}

// The fields of one calculator: weight, then the height's whole unit (metres, feet), then its
// part (centimetres, inches).
struct CalculatorFields {
    FieldId weight;
    FieldId height_major;
    FieldId height_minor;
};
constexpr CalculatorFields calculator_fields(UnitSystem system) {
    return system == UnitSystem::Metric
               ? CalculatorFields{FieldId::WeightMetric, FieldId::MetresMetric,
                                  FieldId::CentimetresMetric}
               : CalculatorFields{FieldId::WeightStandard, FieldId::FeetStandard,
                                  FieldId::InchesStandard};
}

// Keystroke rule: returns the code unchanged when the text box may take the character, 0 when
// the keystroke is discarded. Backspace, the digits, negative codes and codes from 128 pass.
std::int16_t keystroke_rule(std::int16_t code);

// Range rule, as on focus loss: the lower bound for a text below it, the upper bound for one
// above it, or nothing when the text stays as typed. Throws RuntimeError (naming the field) when
// the text is not a number; the caller then writes nothing.
std::optional<std::wstring> range_rule(std::wstring_view text, const FieldRule& field,
                                       const NumberLocale& locale = {});

}  // namespace core
