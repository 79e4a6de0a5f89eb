#pragma once
// Conversion of one number text of the spectrum file to a 64-bit real.

// Converts the text [first, last) -- decimal digits with at most one ".",
// at least one digit, then optionally "e" or "E", an optional sign and
// digits (possibly none) -- to the nearest double. A text exactly halfway
// between two doubles goes to the one nearer zero; beyond the largest
// double gives infinity, below the smallest subnormal gives zero. The text
// carries no sign: the caller negates.
double decimal_to_double(const char* first, const char* last);
