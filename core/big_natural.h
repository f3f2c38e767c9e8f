#pragma once

#include <algorithm>
#include <bit>
#include <compare>
#include <cstdint>
#include <vector>

namespace core {

// A non-negative integer of any size, with the few operations that exact number texts need.
class BigNatural {
  public:
    explicit BigNatural(std::uint32_t value = 0) {
        if (value != 0) {
            limbs_.push_back(value);
        }
    }

    int bit_length() const {
        return limbs_.empty()
                   ? 0
                   : static_cast<int>(32 * (limbs_.size() - 1) + std::bit_width(limbs_.back()));
    }

    // this * factor + addend, the factor not zero
    void multiply_add(std::uint32_t factor, std::uint32_t addend) {
        std::uint64_t carry = addend;
        for (std::uint32_t& limb : limbs_) {
            carry += std::uint64_t{limb} * factor;
            limb = static_cast<std::uint32_t>(carry);
            carry >>= 32;
        }
        if (carry != 0) {
            limbs_.push_back(static_cast<std::uint32_t>(carry));
        }
    }

    void multiply_by_power_of_5(int exponent) {
        constexpr std::uint32_t k5To13 = 1'220'703'125;  // the largest power of 5 in 32 bits
        for (; exponent >= 13; exponent -= 13) {
            multiply_add(k5To13, 0);
        }
        std::uint32_t rest = 1;
        for (; exponent > 0; --exponent) {
            rest *= 5;
        }
        multiply_add(rest, 0);
    }

    void shift_left(int bits) {
        limbs_.insert(limbs_.begin(), static_cast<std::size_t>(bits / 32), 0);
        if (const int rest = bits % 32; rest != 0) {
            limbs_.push_back(0);
            // From the top down, so that every limb is read before it is overwritten.
            for (std::size_t i = limbs_.size() - 1; i > 0; --i) {
                limbs_[i] = limbs_[i] << rest | limbs_[i - 1] >> (32 - rest);
            }
            limbs_[0] <<= rest;
        }
        trim();
    }

    void halve() {
        for (std::size_t i = 0; i < limbs_.size(); ++i) {
            const std::uint32_t carried = i + 1 < limbs_.size() ? limbs_[i + 1] << 31 : 0;
            limbs_[i] = limbs_[i] >> 1 | carried;
        }
        trim();
    }

    // this - other, which must not exceed this
    void subtract(const BigNatural& other) {
        std::uint64_t borrow = 0;
        for (std::size_t i = 0; i < limbs_.size(); ++i) {
            const std::uint64_t difference =
                std::uint64_t{limbs_[i]} - (i < other.limbs_.size() ? other.limbs_[i] : 0) - borrow;
            limbs_[i] = static_cast<std::uint32_t>(difference);
            borrow = difference >> 63;
        }
        trim();
    }

    friend bool operator==(const BigNatural&, const BigNatural&) = default;
    friend std::strong_ordering operator<=>(const BigNatural& a, const BigNatural& b) {
        if (a.limbs_.size() != b.limbs_.size()) {
            return a.limbs_.size() <=> b.limbs_.size();
        }
        return std::lexicographical_compare_three_way(a.limbs_.rbegin(), a.limbs_.rend(),
                                                      b.limbs_.rbegin(), b.limbs_.rend());
    }

  private:
    void trim() {
        while (!limbs_.empty() && limbs_.back() == 0) {
            limbs_.pop_back();
        }
    }

    std::vector<std::uint32_t> limbs_;  // least significant first; the last one is not zero
};

// A quotient's whole part, below 2^64, and where the rest lies against one half.
struct Quotient {
    std::uint64_t whole = 0;
    std::strong_ordering rest_against_half = std::strong_ordering::equal;

    // To the nearest integer, a half to the even one.
    std::uint64_t rounded() const {
        const bool up = rest_against_half > 0 || (rest_against_half == 0 && (whole & 1) != 0);
        return whole + (up ? 1 : 0);
    }
};

// numerator * 2^scale / denominator
inline Quotient divide(BigNatural numerator, BigNatural denominator, int scale) {
    if (scale >= 0) {
        numerator.shift_left(scale);
    } else {
        denominator.shift_left(-scale);
    }
    Quotient quotient;
    // One bit of the quotient at a time, from the highest that can be set.
    const int bits = numerator.bit_length() - denominator.bit_length() + 1;
    if (bits > 0) {
        denominator.shift_left(bits - 1);
        for (int i = bits - 1; i >= 0; --i) {
            quotient.whole <<= 1;
            if (numerator >= denominator) {
                numerator.subtract(denominator);
                quotient.whole |= 1;
            }
            if (i > 0) {
                denominator.halve();
            }
        }
    }
    numerator.shift_left(1);  // twice the remainder against the denominator
    quotient.rest_against_half = numerator <=> denominator;
    return quotient;
}

}  // namespace core
