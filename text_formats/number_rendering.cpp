#include "text_formats/number_rendering.hpp"

#include <algorithm>
#include <cstring>

#include "text_formats/decimal_digits.hpp"

namespace {

int clamp_width(int width) { return std::clamp(width, 0, max_render_width); }
int clamp_precision(int precision) { return std::clamp(precision, 0, max_render_precision); }

char* put_exponent(char* p, int exponent) {
    *p++ = 'e';
    *p++ = exponent < 0 ? '-' : '+';
    int magnitude = exponent < 0 ? -exponent : exponent;
    p[2] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
    p[1] = static_cast<char>('0' + magnitude % 10);
    p[0] = static_cast<char>('0' + magnitude / 10);
    return p + 3;
}

// Moves the text in out[0, length) right so that it ends at width, with
// blanks before it; returns the final length.
int fill_left(char* out, int length, int width) {
    if (length >= width) return length;
    const int pad = width - length;
    std::memmove(out + pad, out, static_cast<std::size_t>(length));
    std::memset(out, ' ', static_cast<std::size_t>(pad));
    return width;
}

// The e-style body: sign, first digit, "." and the fraction digits, exponent.
char* put_e_body(char* p, const kept_digits& d, int fraction_digits) {
    if (d.negative) *p++ = '-';
    *p++ = d.digits[0];
    if (fraction_digits > 0) {
        *p++ = '.';
        std::memcpy(p, d.digits + 1, static_cast<std::size_t>(fraction_digits));
        p += fraction_digits;
    }
    return p;
}

}  // namespace

int render_e(double value, int width, int precision, char* out) {
    precision = clamp_precision(precision);
    const kept_digits d = keep_digits(value, precision + 1);
    char* p = put_e_body(out, d, precision);
    p = put_exponent(p, d.exponent);
    return fill_left(out, static_cast<int>(p - out), clamp_width(width));
}

int render_g(double value, int width, int precision, char* out) {
    width = clamp_width(width);
    precision = std::max(clamp_precision(precision), 1);
    if (value == 0) {
        out[0] = '0';
        return fill_left(out, 1, width);
    }
    const kept_digits d = keep_digits(value, precision);
    const int x = d.exponent;
    char* p = out;
    char* fraction_start = nullptr;
    if (x < -4 || x >= precision) {
        p = put_e_body(p, d, precision - 1);
        if (precision > 1) fraction_start = out + (d.negative ? 2 : 1);
    } else {
        if (d.negative) *p++ = '-';
        if (x < 0) {
            *p++ = '0';
            *p++ = '.';
            fraction_start = p - 1;
            for (int i = 0; i < -x - 1; ++i) *p++ = '0';
            std::memcpy(p, d.digits, static_cast<std::size_t>(precision));
            p += precision;
        } else {
            std::memcpy(p, d.digits, static_cast<std::size_t>(x) + 1);
            p += x + 1;
            if (precision - 1 - x > 0) {
                fraction_start = p;
                *p++ = '.';
                std::memcpy(p, d.digits + x + 1, static_cast<std::size_t>(precision - 1 - x));
                p += precision - 1 - x;
            }
        }
    }
    if (fraction_start != nullptr) {
        // fraction_start points at the "."; drop trailing zeros, then the
        // "." itself when no fraction digit is left.
        while (p > fraction_start + 1 && p[-1] == '0') --p;
        if (p == fraction_start + 1) --p;
    }
    if (x < -4 || x >= precision) p = put_exponent(p, x);
    return fill_left(out, static_cast<int>(p - out), width);
}

std::string render_e(double value, int width, int precision) {
    char text[render_capacity];
    return std::string(text, static_cast<std::size_t>(render_e(value, width, precision, text)));
}

std::string render_g(double value, int width, int precision) {
    char text[render_capacity];
    return std::string(text, static_cast<std::size_t>(render_g(value, width, precision, text)));
}
