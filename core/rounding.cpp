#include "core/rounding.h"

#include <cmath>

namespace core {

float round_to_one_decimal(float value) {
    // Exact: a single has 24 significant bits and the factor 10 adds 4, well within the 53 of a
    // double. So a value exactly half-way between two tenths is seen as exactly half-way, and
    // nearbyint (round to nearest, ties to even, in the default rounding mode) decides it.
    const double tenths = std::nearbyint(static_cast<double>(value) * 10);

    // tenths / 10 is the decimal result q; the double division rounds it once and the store to
    // single rounds again. That second rounding can only go wrong if the double landed on a
    // midpoint between two singles while q was not on it. When tenths differs from value * 10,
    // value is not whole, so |q| < 2^23, and the midpoints near q are multiples m * 2^k with
    // k < 0 and |q| < 2^(k + 25); then |q - m * 2^k| = |tenths * 2^-k - 10 * m| / (10 * 2^-k) is
    // 0 or at least 2^k / 10, more than 2^-29 of q, while the division's error is at most 2^-53 of
    // q. Otherwise q is the value itself. Either way the result is the single nearest to q.
    return static_cast<float>(tenths / 10);
}

}  // namespace core
