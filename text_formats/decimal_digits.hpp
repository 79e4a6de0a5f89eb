#pragma once
// Decimal digits of a 64-bit real, as both renderings take them: the value's
// 17 significant digits rounded half up from its exact binary value, then
// cut to the digits kept and rounded half up again.

#include <cstdint>

constexpr int max_kept_digits = 40;

struct kept_digits {
    char digits[max_kept_digits];  // `count` characters, no terminator
    int count;
    int exponent;  // power of ten of the first digit
    bool negative;
};

struct digits17 {
    char digits[17];
    int exponent;  // power of ten of the first digit
};

// The 17 significant digits of a finite, positive value, rounded half up
// from its exact binary value.
digits17 exact_digits17(double magnitude);

// Keeps n significant digits (1 to max_kept_digits) of any value. Zero gives
// zeros with exponent 0 and no sign; infinities give "1#INF" and NaNs "1#IND"
// (filled with zeros or cut to n) with exponent 0.
kept_digits keep_digits(double value, int n);

// The same for finite, positive values, through the exact 17-digit form
// only; keep_digits takes a faster route where it can prove the same result.
kept_digits keep_digits_exact(double magnitude, int n);
