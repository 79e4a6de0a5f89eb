#pragma once
// A small fixed-capacity unsigned integer, enough to settle exactly whether
// a decimal text lies on a midpoint between two doubles. It never allocates.

#include <cstdint>

struct big_unsigned {
    // 5^1100 * 2^1100 * 10^350 fits with room: about 4,800 bits.
    static constexpr int capacity = 192;
    std::uint32_t limbs[capacity];  // least significant first
    int size;                       // limbs in use; 0 for zero
    bool overflow;                  // set once a result did not fit
};

big_unsigned big_from_u64(std::uint64_t value);
void big_multiply_small(big_unsigned& a, std::uint32_t factor);
void big_add_small(big_unsigned& a, std::uint32_t addend);
void big_multiply_pow5(big_unsigned& a, int exponent);
void big_shift_left(big_unsigned& a, int bits);
// -1, 0 or 1 as a is below, equal to or above b.
int big_compare(const big_unsigned& a, const big_unsigned& b);
