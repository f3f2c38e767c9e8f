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

// One measurement field: its control names, its text at start and its inclusive bounds.
struct FieldRule {
    FieldId id;
    std::wstring_view name;  // the text box
    UnitSystem system;
    std::wstring_view quantity;
    std::wstring_view unit_label;  // the label after the up-down
    std::wstring_view updown;      // the up-down bound to the text box
    std::wstring_view start_text;
    std::int16_t lower;
    std::int16_t upper;
    std::wstring_view display_name;  // how messages and screen readers name the field
};

// clang-format off
inline constexpr std::array<FieldRule, 6> kFields{{
//   id                          name                 system               quantity               unit label        up-down                  start  lo   hi   display name
    {FieldId::WeightMetric,      L"txtweightmetric",   UnitSystem::Metric,   L"weight",             L"lblkg",         L"updownweightmetric",   L"50",   5, 227, L"Your Weight, kg"},
    {FieldId::MetresMetric,      L"txtmmetric",        UnitSystem::Metric,   L"height, whole metres", L"lblm",        L"updownmmetric",        L"1",    1,   2, L"Your Height, m"},
    {FieldId::CentimetresMetric, L"txtcmmetric",       UnitSystem::Metric,   L"height, centimetres", L"lblcm",        L"updowncmmetric",       L"60",   0,  99, L"Your Height, cm"},
    {FieldId::WeightStandard,    L"txtweightstandard", UnitSystem::Standard, L"weight, pounds",     L"lbllbstandard", L"updownweightstandard", L"150", 10, 500, L"Your Weight, lb"},
    {FieldId::FeetStandard,      L"txtfeetstandard",   UnitSystem::Standard, L"height, feet",       L"lblftstandard", L"updownfeetstandard",   L"5",    4,   6, L"Your Height, ft"},
    {FieldId::InchesStandard,    L"txtinchstandard",   UnitSystem::Standard, L"height, inches",     L"lblinstandard", L"updowninchstandard",   L"8",    0,  11, L"Your Height, in"},
}};
// clang-format on

const FieldRule& field_rule(FieldId id);
// The field whose text box has this control name, if any.
const FieldRule* find_field(std::wstring_view control_name);

// Keystroke rule: returns the code unchanged when the text box may take the character, 0 when
// the keystroke is discarded. Backspace, the digits, negative codes and codes from 128 pass.
std::int16_t keystroke_rule(std::int16_t code);

// Range rule, as on focus loss: reads the text, replaces it by the lower bound when below it,
// reads the (possibly replaced) text again and replaces it by the upper bound when above it.
// Returns the new text, or nothing when the text stays as typed. Throws RuntimeError (with the
// field set) when the text is not a number; the caller then writes nothing.
std::optional<std::wstring> range_rule(std::wstring_view text, const FieldRule& field,
                                       const NumberLocale& locale = {});

}  // namespace core
