#pragma once
// Renderings of reals for the console and the result file: printf-style e
// and g conversions with three-digit exponents, digits rounded half up from
// the 17-digit decimal form, no minus sign on zero, and fixed texts for
// infinities ("1#INF") and NaNs ("1#IND").

#include <string>

// Longest text a rendering writes with width and precision in range.
constexpr int max_render_width = 64;
constexpr int max_render_precision = 39;
constexpr int render_capacity = 128;

// Writes the value as "%W.Pe" would, with a three-digit exponent, into out
// (at least render_capacity bytes, no terminator); returns the length.
// Width is taken up to max_render_width, precision up to
// max_render_precision.
int render_e(double value, int width, int precision, char* out);

// Writes the value as "%W.Pg" would, with a three-digit exponent.
int render_g(double value, int width, int precision, char* out);

// Conveniences for the console and the tests.
std::string render_e(double value, int width, int precision);
std::string render_g(double value, int width, int precision);
