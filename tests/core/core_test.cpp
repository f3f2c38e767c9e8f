// The calculations, the field rules, the error wording and the number texts, against values
// worked by hand.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "core/bmi.h"
#include "core/error_text.h"
#include "core/fields.h"
#include "core/number_text.h"
#include "core/runtime_error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace core {
namespace {

const std::wstring kPrefix = L"Your Body Mass Index (BMI) is ";
const std::wstring kUnder = L" \rYour weight is in the underweight category.";
const std::wstring kNormal = L" \rYour weight is in the normal weight category.";
const std::wstring kOver = L" \rYour weight is in the overweight category.";
const std::wstring kObese = L" \rYour weight is in the obesity category.";

// Worked by hand; every whole-number input within the bounds is also walked below, against a
// model of each step that these rows keep honest.
TEST(Calculation, GivesTheWorkedCaptions) {
    using enum UnitSystem;
    const struct {
        UnitSystem system;
        CalculatorTexts texts;
        std::wstring caption;
        NumberLocale locale = {};
    } cases[] = {
        {Metric, {L"50", L"1", L"60"}, kPrefix + L"19.5" + kNormal},    // 50 / 2.56 = 19.53
        {Standard, {L"150", L"5", L"8"}, kPrefix + L"22.8" + kNormal},  // 105450 / 4624 = 22.80
        {Metric, {L"89", L"2", L"0"}, kPrefix + L"22.2" + kNormal},     // 89 / 4 = 22.25, even
        {Metric, {L"91", L"2", L"0"}, kPrefix + L"22.8" + kNormal},     // 91 / 4 = 22.75, even
        {Metric, {L"50", L"1,6", L"0"}, kPrefix + L"19,5" + kNormal, NumberLocale(L",")},
        {Metric, {L"3e32", L"0.01", L"0"}, kPrefix + L"3E+36" + kObese},  // 3e32 / 1e-4
        {Metric, {L"1e-40", L"2", L"0"}, kPrefix + L"0" + kUnder},        // a subnormal is no error
    };
    for (const auto& c : cases) {
        EXPECT_EQ(result_caption(calculate(c.system, c.texts, c.locale), c.locale), c.caption)
            << std::wstring(c.texts.weight) << " " << std::wstring(c.texts.height_major);
    }
}

// A failure names the field, and its message says what failed, one line feed, what to type.
TEST(Calculation, FailsAtTheFirstFaultNamingTheFieldInTheMessage) {
    using enum UnitSystem;
    using enum ErrorKind;
    using enum FieldId;
    const std::wstring pasted = L"y\r\n" + std::wstring(100, L'y');
    const struct {
        UnitSystem system;
        CalculatorTexts texts;
        ErrorKind kind;
        std::optional<FieldId> field;
        std::wstring message;
    } cases[] = {
        // clang-format off
        {Standard, {L" ", L"5", L"8"}, Empty, WeightStandard,
         L"Your Weight, lb is empty.\nType a whole number from 10 to 500."},
        // The minor height is read before the major one; a long pasted text shows shortened, its
        // line breaks as blanks.
        {Metric, {L"50", L"x", pasted}, NotANumber, CentimetresMetric,
         L"Your Height, cm holds \"y  " + std::wstring(37, L'y') + L"...\", which is not a number.\n"
         L"Type a whole number from 0 to 99."},
        {Standard, {L"150", L"5", L"1e400"}, TooLarge, InchesStandard,
         L"Your Height, in holds \"1e400\", a number too large to work with.\n"
         L"Type a whole number from 0 to 11."},
        {Metric, {L"50", L"0", L"0"}, DivisionByZero, MetresMetric,
         L"The height adds up to zero, and a BMI needs a height above zero.\n"
         L"Type a whole number from 1 to 2 in Your Height, m."},
        {Standard, {L"0", L"0", L"0.0"}, InvalidOperation, WeightStandard,
         L"The weight and the height are both zero, so there is no BMI to compute.\n"
         L"Type a whole number from 10 to 500 in Your Weight, lb and a height above zero."},
        // A height beyond the single range, then a quotient beyond it; feet times 12 beyond the
        // double range, before the inches are read.
        {Metric, {L"50", L"1e39", L"0"}, Overflow, std::nullopt,
         L"The values entered are too large to compute a BMI.\n"
         L"Type whole numbers within each field's bounds."},
        {Metric, {L"3e38", L"0.01", L"0"}, Overflow, std::nullopt, L""},
        {Standard, {L"150", L"1.5e307", L"x"}, Overflow, std::nullopt, L""},
        {Metric, {L"1e39", L"1", L"0"}, TooLarge, WeightMetric, L""},  // read in single precision
        // clang-format on
    };
    for (const auto& c : cases) {
        try {
            const BmiResult result = calculate(c.system, c.texts);
            ADD_FAILURE() << "calculated " << result.bmi;
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.kind(), c.kind) << std::wstring(c.texts.weight);
            EXPECT_EQ(error.field(), c.field) << std::wstring(c.texts.weight);
            EXPECT_TRUE(c.message.empty() || describe(error) == c.message) << describe(error);
        }
    }
    EXPECT_EQ(describe(RuntimeError::control_call(L"show the result", 1400)),
              L"Quenlow could not show the result (system error 1400).\nTry again; if this keeps "
              L"happening, restart Quenlow.");
}

// Every whole-number input within the fields' bounds, against the one caption its steps define,
// worked out here from the inputs alone: each step in double precision one IEEE operation (the
// square, the quotient and the factor 703 too, where more than double would be allowed), each
// store as single a conversion to float. The square of a single is exact, and so is a whole weight.
TEST(AllInputs, GiveTheOneCaptionTheirStepsDefine) {
    const auto check = [](bool metric, int weight, int major, int minor) {
        const double part = metric ? minor * 0.01 : major * 12.0;
        const float height = static_cast<float>((metric ? major : minor) + part);
        const double quotient = weight / (static_cast<double>(height) * height);
        const float bmi = static_cast<float>(metric ? quotient : quotient * 703.0);
        // To tenths, a tie to the even one, decided exactly: a single's 24 bits times 10 fit in a
        // double, and so does the fraction that is left.
        const double times_ten = 10.0 * bmi;
        const int whole = static_cast<int>(times_ten);
        const double rest = times_ten - whole;
        const int tenths = whole + (rest > 0.5 || (rest == 0.5 && whole % 2 == 1));
        const BmiResult result =
            calculate(metric ? UnitSystem::Metric : UnitSystem::Standard,
                      {std::to_wstring(weight), std::to_wstring(major), std::to_wstring(minor)});
        // The single nearest the tenth, as one correctly rounded division gives it.
        EXPECT_EQ(result.bmi, tenths / 10.0f) << "for " << weight << " " << major << " " << minor;
        const std::wstring decimal = tenths % 10 ? L"." + std::to_wstring(tenths % 10) : L"";
        EXPECT_EQ(result_caption(result), kPrefix + std::to_wstring(tenths / 10) + decimal +
                                              (tenths < 185   ? kUnder
                                               : tenths < 250 ? kNormal
                                               : tenths < 300 ? kOver
                                                              : kObese));
    };
    for (int i = 0; i < 223 * 2 * 100; ++i) {  // 5 to 227 kg, 1 to 2 m, 0 to 99 cm
        check(true, 5 + i / 200, 1 + i / 100 % 2, i % 100);
    }
    for (int i = 0; i < 491 * 3 * 12; ++i) {  // 10 to 500 lb, 4 to 6 ft, 0 to 11 in
        check(false, 10 + i / 36, 4 + i / 12 % 3, i % 12);
    }
}

// Both sides of every bound, and Enter, Ctrl+V, minus and point, which a field must refuse.
TEST(FieldRules, KeystrokeRulePassesBackspaceDigitsAndCodesOutsideAscii) {
    for (const int code : {-32768, -1, 8, 48, 57, 128, 32767}) {
        EXPECT_EQ(keystroke_rule(static_cast<std::int16_t>(code)), code);
    }
    for (const int code : {0, 7, 9, 13, 22, 45, 46, 47, 58, 127}) {
        EXPECT_EQ(keystroke_rule(static_cast<std::int16_t>(code)), 0) << "code " << code;
    }
}

// Any program can write the separator: one that a number could hold, or that cannot be seen, is
// not used.
TEST(NumberLocale, UsesTheUsersSeparatorOnlyWhereNoNumberCouldHoldIt) {
    const struct {
        std::wstring_view given, used;
    } cases[] = {
        {L",", L","}, {L"\u066B", L"\u066B"}, {L"abc", L"abc"}, {L"abcd", L"."},   {L"", L"."},
        {L"5", L"."}, {L"e", L"."},           {L"E", L"."},     {L"dec", L"."},    {L"+", L"."},
        {L"-", L"."}, {L" ", L"."},           {L"\t", L"."},    {L"\u00A0", L"."}, {L"\x01", L"."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NumberLocale(c.given).decimal_separator(), c.used) << std::wstring(c.given);
    }
}

// Every input that fuzzing has kept, once through the fuzz target, which aborts on a broken rule.
TEST(FuzzCorpus, KeepsEveryInvariant) {
    int replayed = 0;
    for (const auto& entry : std::filesystem::directory_iterator(QUENLOW_FUZZ_CORPUS)) {
        std::ifstream stream(entry.path(), std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(stream), {}};
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
        ++replayed;
    }
    EXPECT_GT(replayed, 0) << "the corpus is empty";
}

// Texts of a million digits read exactly, in linear time; the fuzz corpus holds the other cases.
TEST(TextToNumber, ReadsMillionDigitTextsExactly) {
    const std::wstring one = L"1" + std::wstring(1'000'000, L'0');
    EXPECT_EQ(text_to_double(one + L"e-1000400", FieldId::MetresMetric), 0);  // 1e-400
    EXPECT_EQ(text_to_single(one + L"e-999970", FieldId::WeightMetric), 1e30f);
}

}  // namespace
}  // namespace core
