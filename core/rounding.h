#pragma once

namespace core {

// Rounds to the given number of decimals (0 to 7); a value exactly half-way goes to the even
// digit (22.25 -> 22.2, 22.75 -> 22.8). The result is the single nearest to the decimal value.
float round_single(float value, int decimals);

}  // namespace core
