#pragma once

namespace core {

// Rounds a finite single to one decimal; a value exactly half-way goes to the even digit
// (22.25 -> 22.2, 22.75 -> 22.8). The result is the single nearest to the decimal value.
float round_to_one_decimal(float value);

}  // namespace core
