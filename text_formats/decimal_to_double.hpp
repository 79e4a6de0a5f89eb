#pragma once
// Conversion of one number text of the spectrum file to a 64-bit real.

#include <cstdint>

// Converts the text [first, last) -- decimal digits with at most one ".",
// at least one digit, then optionally "e" or "E", an optional sign and
// digits (possibly none) -- to the nearest double. A text exactly halfway
// between two doubles goes to the one nearer zero; beyond the largest
// double gives infinity, below the smallest subnormal gives zero. The text
// carries no sign: the caller negates.
double decimal_to_double(const char* first, const char* last);

// digits * 10^exponent, when one exact operation gives it: digits up to 2^53
// are exact, and so is every power of ten up to 10^22. A quotient of such
// operands is never a tie between two doubles (a midpoint has more digits),
// and a product is exact while it stays within 2^53. Returns false where
// this does not hold.
bool small_decimal_to_double(std::uint64_t digits, int exponent, double& out);
