#include "core/error_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "core/bmi.h"
#include "core/fields.h"

namespace core {
namespace {

// What failed, a line feed, what to do: two sentences, no caption line break.
void expect_two_lines(const std::wstring& message) {
    EXPECT_EQ(std::count(message.begin(), message.end(), L'\n'), 1) << message;
    EXPECT_EQ(message.find(L'\r'), std::wstring::npos) << message;
}

RuntimeError failure_of(UnitSystem system, const MeasurementTexts& texts) {
    try {
        calculate(system, texts);
    } catch (const RuntimeError& error) {
        return error;
    }
    ADD_FAILURE() << "no failure";
    return RuntimeError(ErrorKind::Overflow);
}

bool contains(const std::wstring& message, std::wstring_view part) {
    return message.find(part) != std::wstring::npos;
}

TEST(Describe, EmptyNamesTheFieldAndItsBounds) {
    const std::wstring message = describe(failure_of(UnitSystem::Standard, {L"", L"5", L"8"}));
    expect_two_lines(message);
    EXPECT_TRUE(contains(message, L"Your Weight, lb is empty.")) << message;
    EXPECT_TRUE(contains(message, L"from 10 to 500")) << message;
}

TEST(Describe, NotANumberQuotesTheTextAndNamesTheField) {
    const std::wstring message = describe(failure_of(UnitSystem::Metric, {L"50", L"1", L"abc"}));
    expect_two_lines(message);
    EXPECT_TRUE(contains(message, L"Your Height, cm holds \"abc\"")) << message;
    EXPECT_TRUE(contains(message, L"from 0 to 99")) << message;
}

TEST(Describe, TooLargeQuotesTheTextAndNamesTheField) {
    const std::wstring message =
        describe(failure_of(UnitSystem::Standard, {L"150", L"5", L"1e400"}));
    expect_two_lines(message);
    EXPECT_TRUE(contains(message, L"Your Height, in holds \"1e400\"")) << message;
    EXPECT_TRUE(contains(message, L"from 0 to 11")) << message;
}

TEST(Describe, DivisionByZeroAsksForAHeightAboveZero) {
    const std::wstring message = describe(failure_of(UnitSystem::Metric, {L"50", L"0", L"0"}));
    expect_two_lines(message);
    EXPECT_TRUE(contains(message, L"height adds up to zero")) << message;
    EXPECT_TRUE(contains(message, L"from 1 to 2 in Your Height, m")) << message;
}

TEST(Describe, InvalidOperationSaysBothAreZero) {
    const std::wstring message = describe(failure_of(UnitSystem::Metric, {L"0", L"0", L"0"}));
    expect_two_lines(message);
    EXPECT_TRUE(contains(message, L"weight and the height are both zero")) << message;
    EXPECT_TRUE(contains(message, L"from 5 to 227 in Your Weight, kg")) << message;
}

TEST(Describe, OverflowWithoutAFieldSpeaksOfAllFields) {
    const std::wstring message = describe(failure_of(UnitSystem::Metric, {L"3e38", L"0.01", L"0"}));
    expect_two_lines(message);
    EXPECT_TRUE(contains(message, L"too large to compute a BMI")) << message;
    EXPECT_TRUE(contains(message, L"each field")) << message;
}

TEST(Describe, ControlCallNamesTheOperationAndSystemCode) {
    const std::wstring message =
        describe(RuntimeError::control_call(L"set the text of txtweightmetric", 1400));
    EXPECT_EQ(message,
              L"Quenlow could not set the text of txtweightmetric (system error 1400).\n"
              L"Try again; if this keeps happening, restart Quenlow.");
}

TEST(Describe, PastedLineBreaksStayOnOneLine) {
    const std::wstring message =
        describe(RuntimeError(ErrorKind::NotANumber, L"5\n8\r1").in_field(FieldId::InchesStandard));
    expect_two_lines(message);
    EXPECT_TRUE(contains(message, L"\"5 8 1\"")) << message;
}

TEST(Describe, LongPastedTextIsShortened) {
    const std::wstring pasted(500, L'x');
    const std::wstring message = describe(RuntimeError(ErrorKind::NotANumber, pasted));
    expect_two_lines(message);
    EXPECT_LT(message.size(), 150u);
    EXPECT_TRUE(contains(message, L"whole number")) << message;
}

}  // namespace
}  // namespace core
