#include "core/number_text.h"

#include <gtest/gtest.h>

#include <string>

#include "core/runtime_error.h"

namespace core {
namespace {

// Texts of a million digits convert exactly, in time linear in their length. (The fuzz corpus
// holds the other cases, compared with the library's reading.)
TEST(TextToNumber, ReadsMillionDigitTextsExactly) {
    const std::wstring zeros(1'000'000, L'0');
    const std::wstring huge = L"0." + zeros + L"1e1000400", tiny = L"1" + zeros + L"e-1000400";
    const auto too_large = [](auto read) {
        try {
            read();
        } catch (const RuntimeError& error) {
            return error.kind() == ErrorKind::TooLarge;
        }
        return false;
    };
    EXPECT_TRUE(too_large([&] { return text_to_double(huge); }));  // 1e399
    EXPECT_TRUE(too_large([&] { return text_to_single(huge); }));
    EXPECT_EQ(text_to_double(tiny), 0);  // 1e-400
    EXPECT_EQ(text_to_single(L"1" + zeros + L"e-999970"), 1e30f);
}

// Ties (10000005, 10000015) go to the even digit.
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
    }
}

}  // namespace
}  // namespace core
