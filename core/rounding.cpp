#include "core/rounding.h"

#include <array>
#include <cmath>
#include <stdexcept>

namespace core {

float round_single(float value, int decimals) {
    static constexpr std::array<double, 8> kPowersOfTen{1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7};
    if (decimals < 0 || decimals >= static_cast<int>(kPowersOfTen.size())) {
        throw std::out_of_range("round_single: decimals must be 0 to 7");
    }
    if (!std::isfinite(value)) {
        return value;
    }
    const double scale = kPowersOfTen[static_cast<std::size_t>(decimals)];

    // Exact: a single has 24 significant bits and 10^7 = 2^7 * 5^7 adds 17, well within the 53 of
    // a double. So a value exactly half-way between two steps is seen as exactly half-way, and
    // nearbyint (round to nearest, ties to even, in the default rounding mode) decides it.
    const double steps = std::nearbyint(static_cast<double>(value) * scale);

    // steps / scale is the decimal result q; the double division rounds it once and the store to
    // single rounds again. That second rounding can only go wrong if the double landed on a
    // midpoint between two singles while q was not on it. A midpoint is m * 2^k with m below
    // 2^25; when steps differs from the scaled value at all, |q| < 2^24 and k < 0, so
    // |q - m * 2^k| = |steps * 2^-k - m * scale| / (scale * 2^-k) >= 1 / (scale * 2^-k), that is
    // at least 2^-49 of q, while the division's error is at most 2^-53 of q. Otherwise q is the
    // input itself. Either way the result is the single nearest to q.
    return static_cast<float>(steps / scale);
}

}  // namespace core
