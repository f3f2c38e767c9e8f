#include "core/error_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "core/fields.h"

namespace core {
namespace {

// What failed, one line feed, then what to type, short enough for a message box.
TEST(Describe, SaysWhatFailedThenWhatToType) {
    using enum ErrorKind;
    using enum FieldId;
    const struct {
        RuntimeError error;
        std::wstring_view failed;
        std::wstring_view to_type;
    } cases[] = {
        {RuntimeError(Empty).in_field(WeightStandard), L"Your Weight, lb is empty.",
         L"Type a whole number from 10 to 500."},
        {RuntimeError(NotANumber, L"abc").in_field(CentimetresMetric),
         L"Your Height, cm holds \"abc\"", L"from 0 to 99"},
        {RuntimeError(TooLarge, L"1e400").in_field(InchesStandard),
         L"Your Height, in holds \"1e400\"", L"from 0 to 11"},
        {RuntimeError(DivisionByZero).in_field(MetresMetric), L"height adds up to zero",
         L"from 1 to 2 in Your Height, m"},
        {RuntimeError(InvalidOperation).in_field(WeightMetric),
         L"weight and the height are both zero", L"from 5 to 227 in Your Weight, kg"},
        {RuntimeError(Overflow), L"too large to compute a BMI", L"each field"},
        // Pasted text: its line breaks become blanks, and a long one is shortened.
        {RuntimeError(NotANumber, L"5\n8\r1").in_field(FeetStandard),
         L"Your Height, ft holds \"5 8 1\"", L"from 4 to 6"},
        {RuntimeError(NotANumber, std::wstring(500, L'x')), L"A field holds \"xxx",
         L"whole number in each field"},
        {RuntimeError::control_call(L"show the result", 1400),
         L"Quenlow could not show the result (system error 1400).", L"restart Quenlow."},
    };
    for (const auto& c : cases) {
        const std::wstring message = describe(c.error);
        const auto line_feed = message.find(L'\n');
        EXPECT_EQ(std::count(message.begin(), message.end(), L'\n'), 1) << message;
        EXPECT_EQ(message.find(L'\r'), std::wstring::npos) << message;
        EXPECT_LT(message.size(), 200u) << message;
        EXPECT_LT(message.find(c.failed), line_feed) << message;
        const auto to_type = message.find(c.to_type);
        EXPECT_TRUE(to_type != std::wstring::npos && to_type > line_feed) << message;
    }
}

}  // namespace
}  // namespace core
