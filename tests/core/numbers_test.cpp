#include "core/number_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

#include "core/rounding.h"
#include "core/runtime_error.h"

namespace core {
namespace {

const NumberLocale kComma{L","};

// The nearest value, ties to even, at any length and exponent. An error shows here as infinity
// (too large), -1 (not a number) or -2 (empty).
TEST(TextToNumber, ReadsTheNearestValueOfAPlainNumberAndNothingElse) {
    const std::wstring zeros(1'000'000, L'0');
    // clang-format off
    const struct { std::wstring text; double wide; float single; NumberLocale locale{}; }
    cases[] = {
        {L"007", 7, 7}, {L" \t60\t ", 60, 60}, {L"1.", 1, 1}, {L".25", 0.25, 0.25f},
        {L"25e-1", 2.5, 2.5f}, {L"1,5", 1.5, 1.5f, kComma}, {L"1::5", 1.5, 1.5f, {L"::"}},
        {L"1e-46", 1e-46, 0}, {L"1e-45", 1e-45, 0x1p-149f}, {L"2.5e-324", 0x1p-1074, 0},
        {L"9007199254740993", 0x1p53, 0x1p53f}, {L"1E+99999999999999999999", HUGE_VAL, HUGE_VALF},
        {L"9007199254740993." + std::wstring(1000, L'0') + L"1", 0x1.0000000000001p53, 0x1p53f},
        // 2^128 - 2^103, half-way from the largest single up: a tie, then just below it.
        {L"340282356779733661637539395458142568448", 0x1.ffffffp127, HUGE_VALF},
        {L"3402823567797336616375393954581425684479e-1", 0x1.ffffffp127, 0x1.fffffep127f},
        {L"0." + zeros + L"1e1000400", HUGE_VAL, HUGE_VALF}, {L"1" + zeros + L"e-1000400", 0, 0},
        {L" \t", -2, -2}, {L"1.5", -1, -1, kComma}, {L",", -1, -1, kComma},
        // A sign, a thousands separator, hex, words, a full-width five, a no-break space.
        {L"+5", -1, -1}, {L"1,000", -1, -1}, {L"1.2.3", -1, -1}, {L"5e", -1, -1}, {L"5e+", -1, -1},
        {L"e5", -1, -1}, {L"1 2", -1, -1}, {L"inf", -1, -1}, {L"nan", -1, -1}, {L"0x10", -1, -1},
        {L"\uff15", -1, -1}, {L"5\u00a0", -1, -1},
    };
    // clang-format on
    const auto read = [](auto convert, const auto& c) {
        try {
            return static_cast<double>(convert(c.text, c.locale));
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.input(), c.text);
            return error.kind() == ErrorKind::TooLarge ? HUGE_VAL
                   : error.kind() == ErrorKind::Empty  ? -2.0
                                                       : -1.0;
        }
    };
    for (const auto& c : cases) {
        EXPECT_EQ(read(text_to_double, c), c.wide) << c.text.substr(0, 60);
        EXPECT_EQ(read(text_to_single, c), c.single) << c.text.substr(0, 60);
    }
}

// Ties (10000005, 10000015) go to the even digit. Each text also with the comma as the separator.
TEST(SingleToText, SevenSignificantDigitsInFixedOrExponentForm) {
    // clang-format off
    const struct { float value; std::wstring_view text; } cases[] = {
        {22.8f, L"22.8"}, {0.6f, L"0.6"}, {25.0f, L"25"}, {-0.0f, L"0"}, {-2.5f, L"-2.5"},
        {1e-4f, L"0.0001"}, {1e-5f, L"1E-05"}, {9999999.0f, L"9999999"}, {1e7f, L"1E+07"},
        {0.12345678f, L"0.1234568"}, {12345678.0f, L"1.234568E+07"}, {10000005.0f, L"1E+07"},
        {3.4028235e38f, L"3.402823E+38"}, {1e-45f, L"1.401298E-45"}, {10000015.0f, L"1.000002E+07"},
    };
    // clang-format on
    for (const auto& c : cases) {
        EXPECT_EQ(single_to_text(c.value), c.text) << c.value;
        std::wstring with_comma(c.text);
        std::replace(with_comma.begin(), with_comma.end(), L'.', L',');
        EXPECT_EQ(single_to_text(c.value, kComma), with_comma) << c.value;
    }
}

TEST(RoundSingle, HalfGoesToEvenOthersToNearest) {
    // clang-format off
    const struct {
        float value;
        int decimals;
        float expected;
    } cases[] = {
        {22.25f, 1, 22.2f}, {22.75f, 1, 22.8f}, {-22.25f, 1, -22.2f}, {1e-30f, 1, 0.0f},
        {22.35f, 1, 22.4f},  // stored as 22.350000381..., above the half
        {16777216.0f, 7, 16777216.0f}, {3.4028235e38f, 1, 3.4028235e38f},
    };
    // clang-format on
    for (const auto& c : cases) {
        EXPECT_EQ(round_single(c.value, c.decimals), c.expected) << c.value << " " << c.decimals;
    }
    EXPECT_THROW(round_single(1.0f, -1), std::out_of_range);
    EXPECT_THROW(round_single(1.0f, 8), std::out_of_range);
}

}  // namespace
}  // namespace core
