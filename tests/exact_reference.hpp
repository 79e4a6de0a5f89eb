#pragma once
// Slow, plainly correct references for the number conversions: exact
// decimal expansions with big-integer arithmetic, and the C library's
// correctly rounded strtod under directed rounding.

#include <string>

// digits: no leading or trailing zeros; exponent: power of ten of the first
// digit. Zero is digits "" and exponent 0.
struct exact_decimal {
    std::string digits;
    int exponent;
};

// The exact value of a finite, non-negative double.
exact_decimal exact_decimal_of(double value);
// The exact value of a finite, non-negative long double (64-bit significand).
exact_decimal exact_decimal_of_long(long double value);

// The exact value of a number text of the spectrum format (no sign).
exact_decimal exact_decimal_of_text(const std::string& text);

// -1, 0, 1 as a is below, equal to or above b.
int compare_decimal(const exact_decimal& a, const exact_decimal& b);

// The nearest double to the text (no sign), ties toward zero.
double reference_text_to_double(const std::string& text);

// n significant digits of a finite positive value: 17 digits rounded half up
// from the exact value, then n kept and rounded half up. Returns the digits
// and sets exponent.
std::string reference_keep_digits(double value, int n, int& exponent);

// The renderings, built on printf's %e and %g over the kept digits.
std::string reference_render_e(double value, int width, int precision);
std::string reference_render_g(double value, int width, int precision);
