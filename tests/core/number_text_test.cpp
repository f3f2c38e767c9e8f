#include "core/number_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "core/runtime_error.h"

namespace core {
namespace {

const NumberLocale kComma{L","};

struct ParseCase {
    std::wstring_view text;
    double value;  // exact in single and double
    NumberLocale locale = {};
};

TEST(TextToNumber, ReadsBlanksLeadingZerosSeparatorAndExponent) {
    const ParseCase cases[] = {
        {L"50", 50},
        {L"007", 7},
        {L" \t60\t ", 60},
        {L"1.5", 1.5},
        {L"1.", 1},
        {L".25", 0.25},
        {L"0", 0},
        {L"1e3", 1000},
        {L"1E+3", 1000},
        {L"25e-1", 2.5},
        {L"0.0e0", 0},
        {L"1,5", 1.5, kComma},
        {L"1::5", 1.5, {L"::"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(text_to_double(c.text, c.locale), c.value) << "text: " << std::wstring(c.text);
        EXPECT_EQ(text_to_single(c.text, c.locale), static_cast<float>(c.value))
            << std::wstring(c.text);
    }
}

struct FailCase {
    std::wstring_view text;
    ErrorKind kind;
    NumberLocale locale = {};
};

TEST(TextToNumber, RejectsWhatIsNotAPlainNumber) {
    const FailCase cases[] = {
        {L"", ErrorKind::Empty},
        {L" \t ", ErrorKind::Empty},
        {L"abc", ErrorKind::NotANumber},
        {L"-5", ErrorKind::NotANumber},
        {L"+5", ErrorKind::NotANumber},
        {L"1,000", ErrorKind::NotANumber},
        {L"1.5", ErrorKind::NotANumber, kComma},
        {L".", ErrorKind::NotANumber},
        {L",", ErrorKind::NotANumber, kComma},
        {L"1.2.3", ErrorKind::NotANumber},
        {L"5e", ErrorKind::NotANumber},
        {L"5e+", ErrorKind::NotANumber},
        {L"e5", ErrorKind::NotANumber},
        {L"1 2", ErrorKind::NotANumber},
        {L"inf", ErrorKind::NotANumber},
        {L"nan", ErrorKind::NotANumber},
        {L"0x10", ErrorKind::NotANumber},
        {L"\u0665", ErrorKind::NotANumber},   // Arabic-Indic five
        {L"\uff15", ErrorKind::NotANumber},   // full-width five
        {L"5\u00a0", ErrorKind::NotANumber},  // no-break space is not a blank
        {L"1e400", ErrorKind::TooLarge},
    };
    for (const auto& c : cases) {
        for (const bool single : {false, true}) {
            try {
                single ? text_to_single(c.text, c.locale) : text_to_double(c.text, c.locale);
                ADD_FAILURE() << "accepted: " << std::wstring(c.text);
            } catch (const RuntimeError& error) {
                EXPECT_EQ(error.kind(), c.kind) << std::wstring(c.text);
                EXPECT_EQ(error.input(), c.text);
                EXPECT_FALSE(error.field().has_value());
            }
        }
    }
}

TEST(TextToNumber, RangeEndsDependOnPrecision) {
    EXPECT_EQ(text_to_double(L"1e39"), 1e39);
    EXPECT_THROW(text_to_single(L"1e39"), RuntimeError);
    EXPECT_EQ(text_to_single(L"3.4028234e38"), std::numeric_limits<float>::max());
    // Too small to represent is zero or a subnormal, not an error.
    EXPECT_EQ(text_to_double(L"1e-400"), 0.0);
    EXPECT_EQ(text_to_double(L"0.00001e-99999999999999999999"), 0.0);
    EXPECT_EQ(text_to_single(L"1e-46"), 0.0f);
    EXPECT_EQ(text_to_single(L"1e-45"), std::numeric_limits<float>::denorm_min());
    EXPECT_EQ(text_to_double(L"1e-320"), 1e-320);
    EXPECT_THROW(text_to_double(L"1000000e99999999999999999999"), RuntimeError);
}

TEST(SingleToText, SevenSignificantDigitsInFixedOrExponentForm) {
    const struct {
        float value;
        std::wstring_view text;
        NumberLocale locale = {};
    } cases[] = {
        {22.8f, L"22.8"},
        {0.6f, L"0.6"},
        {25.0f, L"25"},
        {0.0f, L"0"},
        {-0.0f, L"0"},
        {-2.5f, L"-2.5"},
        {12345678.0f, L"1.234568E+07"},
        {1e-5f, L"1E-05"},
        {1e-4f, L"0.0001"},
        {0.12345678f, L"0.1234568"},
        {9999999.0f, L"9999999"},
        {10000000.0f, L"1E+07"},
        {1.5e-7f, L"1.5E-07"},
        {3.4028235e38f, L"3.402823E+38"},
        {1e-45f, L"1.401298E-45"},
        {22.8f, L"22,8", kComma},
        {12345678.0f, L"1,234568E+07", kComma},
        {25.0f, L"25", kComma},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(single_to_text(c.value, c.locale), c.text);
    }
}

TEST(Int16ToText, DigitsWithMinusOnlyForNegatives) {
    EXPECT_EQ(int16_to_text(0), L"0");
    EXPECT_EQ(int16_to_text(227), L"227");
    EXPECT_EQ(int16_to_text(-1), L"-1");
    EXPECT_EQ(int16_to_text(std::numeric_limits<std::int16_t>::max()), L"32767");
    EXPECT_EQ(int16_to_text(std::numeric_limits<std::int16_t>::min()), L"-32768");
}

}  // namespace
}  // namespace core
