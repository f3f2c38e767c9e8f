#include "core/rounding.h"

#include <gtest/gtest.h>

#include <array>
#include <charconv>
#include <cmath>
#include <random>
#include <stdexcept>

namespace core {
namespace {

TEST(RoundSingle, HalfGoesToEvenOthersToNearest) {
    const struct {
        float value;
        int decimals;
        float expected;
    } cases[] = {
        {22.25f, 1, 22.2f},
        {22.75f, 1, 22.8f},
        {-22.25f, 1, -22.2f},
        {0.5f, 0, 0.0f},
        {1.5f, 0, 2.0f},
        {2.5f, 0, 2.0f},
        {0.125f, 2, 0.12f},
        {0.375f, 2, 0.38f},
        // 22.35f is 22.350000381..., above the half: up.
        {22.35f, 1, 22.4f},
        {19.53125f, 1, 19.5f},
        {0.559f, 1, 0.6f},
        {1e-30f, 1, 0.0f},
        {16777216.0f, 7, 16777216.0f},
        {3.4028235e38f, 1, 3.4028235e38f},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(round_single(c.value, c.decimals), c.expected)
            << c.value << " to " << c.decimals << " decimals";
    }
}

TEST(RoundSingle, RefusesDecimalsOutsideZeroToSeven) {
    EXPECT_THROW(round_single(1.0f, -1), std::out_of_range);
    EXPECT_THROW(round_single(1.0f, 8), std::out_of_range);
}

// Reference by another road: the exact value written with that many decimals (correctly
// rounded, ties to even) and read back as the nearest single.
float rounded_through_text(float value, int decimals) {
    std::array<char, 64> buffer{};
    const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                       std::chars_format::fixed, decimals);
    float result = 0;
    std::from_chars(buffer.data(), written.ptr, result);
    return result;
}

TEST(RoundSingle, AgreesWithDecimalTextForManyValuesAndAllDecimals) {
    std::mt19937 generator(20240601);
    std::uniform_real_distribution<float> magnitude(-3.0f, 6.0f);
    std::uniform_int_distribution<int> whole(0, 2'000'000);
    for (int i = 0; i < 20000; ++i) {
        const float random = std::pow(10.0f, magnitude(generator));
        for (int decimals = 0; decimals <= 7; ++decimals) {
            // An exact half at this many decimals: an odd multiple of 2^-(decimals + 1).
            const float tie =
                std::ldexp(static_cast<float>(2 * whole(generator) + 1), -decimals - 1);
            for (const float value : {random, -random, tie}) {
                ASSERT_EQ(round_single(value, decimals), rounded_through_text(value, decimals))
                    << value << " to " << decimals << " decimals";
            }
        }
    }
}

}  // namespace
}  // namespace core
