#pragma once

#include <iterator>
#include <string_view>

namespace core::texts {

// A line break inside a caption is a lone carriage return, with no line feed after it.
inline constexpr std::wstring_view kLineBreak = L"\r";

// A result label before the first calculation: the result prefix, 0 and the space after it.
inline constexpr wchar_t kFirstResult[] = L"Your Body Mass Index (BMI) is 0 ";
inline constexpr std::wstring_view kResultPrefix(kFirstResult, std::size(kFirstResult) - 3);
inline constexpr std::wstring_view kAfterNumber = L" ";

inline constexpr std::wstring_view kUnderweight = L"Your weight is in the underweight category.";
inline constexpr std::wstring_view kNormalWeight = L"Your weight is in the normal weight category.";
inline constexpr std::wstring_view kOverweight = L"Your weight is in the overweight category.";
inline constexpr std::wstring_view kObesity = L"Your weight is in the obesity category.";

inline constexpr std::wstring_view kLegendHeading = L"BMI Category :";
inline constexpr std::wstring_view kLegendUnderweight = L"Underweight : Less than 18.5";
inline constexpr std::wstring_view kLegendNormalWeight = L"Normal Weight : Between 18.5 and 24.9";
inline constexpr std::wstring_view kLegendOverweight = L"Overweight : Between 25 and 29.9";
inline constexpr std::wstring_view kLegendObesity = L"Obesity : 30 and above";

}  // namespace core::texts
