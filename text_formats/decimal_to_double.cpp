#include "text_formats/decimal_to_double.hpp"

#include <bit>
#include <charconv>
#include <cstdint>
#include <limits>
#include <system_error>

#include "text_formats/big_unsigned.hpp"
#include "text_formats/powers_of_ten.hpp"

namespace {

// Past this the exponent's value no longer matters: the result is an
// infinity or zero whatever digits come before it.
constexpr int exponent_saturation = 100000;

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// What the conversion needs to know of a text's significant digits.
struct decimal_shape {
    const char* first_significant;  // first non-zero digit, or nullptr
    const char* last_significant;   // last non-zero digit
    int significant_count;          // digits from first to last non-zero
    int last_exponent;              // power of ten of the last non-zero digit
    int first_exponent;             // power of ten of the first non-zero digit
    std::uint64_t leading_value;    // the significant digits, when there are at most 19
};

decimal_shape shape_of(const char* first, const char* last) {
    decimal_shape s{nullptr, nullptr, 0, 0, 0, 0};
    int integer_digits = -1;  // digits before the point, once the point is seen
    int index = 0;            // digit index among all mantissa digits
    int first_index = 0;
    int last_index = 0;
    const char* p = first;
    for (; p != last; ++p) {
        const char c = *p;
        if (c == '.') {
            integer_digits = index;
            continue;
        }
        if (!is_digit(c)) break;
        if (c != '0') {
            const auto digit = static_cast<std::uint64_t>(c - '0');
            if (s.first_significant == nullptr) {
                s.first_significant = p;
                first_index = index;
                s.leading_value = digit;
            } else if (index - first_index < 19) {
                for (int i = last_index; i < index; ++i) s.leading_value *= 10;
                s.leading_value += digit;
            }
            s.last_significant = p;
            last_index = index;
        }
        ++index;
    }
    if (integer_digits < 0) integer_digits = index;
    s.significant_count = s.first_significant ? last_index - first_index + 1 : 0;
    int exponent = 0;
    if (p != last) {  // at the exponent letter
        ++p;
        bool negative = false;
        if (p != last && (*p == '+' || *p == '-')) negative = *p++ == '-';
        for (; p != last && is_digit(*p); ++p) {
            if (exponent < exponent_saturation) exponent = exponent * 10 + (*p - '0');
        }
        if (negative) exponent = -exponent;
    }
    s.last_exponent = integer_digits - 1 - last_index + exponent;
    s.first_exponent = integer_digits - 1 - first_index + exponent;
    return s;
}

big_unsigned big_from_digits(const char* first, const char* last) {
    big_unsigned a = big_from_u64(0);
    for (const char* p = first; p <= last; ++p) {
        if (*p == '.') continue;
        big_multiply_small(a, 10);
        big_add_small(a, static_cast<std::uint32_t>(*p - '0'));
    }
    return a;
}

// Whether digits * 10^e10 equals odd * 2^e2 exactly.
bool decimal_equals(const decimal_shape& s, std::uint64_t odd, int e2) {
    big_unsigned left = big_from_digits(s.first_significant, s.last_significant);
    big_unsigned right = big_from_u64(odd);
    const int e10 = s.last_exponent;
    // digits * 5^e10 * 2^e10 = odd * 2^e2, negative powers moved across.
    if (e10 >= 0)
        big_multiply_pow5(left, e10);
    else
        big_multiply_pow5(right, -e10);
    if (e10 >= e2)
        big_shift_left(left, e10 - e2);
    else
        big_shift_left(right, e2 - e10);
    return !left.overflow && !right.overflow && big_compare(left, right) == 0;
}

// from_chars rounds ties to even; the file format wants ties toward zero.
// Only a tie with the neighbour below (toward zero) changes the result.
double settle_tie(double value, const decimal_shape& s) {
    std::uint64_t odd;
    int e2;
    double below;
    if (value == std::numeric_limits<double>::infinity()) {
        // Halfway between the largest double and 2^1024.
        odd = (std::uint64_t{1} << 54) - 1;
        e2 = 970;
        below = std::numeric_limits<double>::max();
    } else {
        if (value == 0) return value;
        const auto bits = std::bit_cast<std::uint64_t>(value);
        const int biased = static_cast<int>(bits >> 52);
        const std::uint64_t field = bits & ((std::uint64_t{1} << 52) - 1);
        below = std::bit_cast<double>(bits - 1);
        if (field == 0 && biased > 1) {
            // A power of two: the gap below is half the gap above.
            odd = (std::uint64_t{1} << 54) - 1;
            e2 = biased - 1075 - 2;
        } else {
            const std::uint64_t m = biased == 0 ? field : field | (std::uint64_t{1} << 52);
            odd = 2 * m - 1;
            e2 = (biased == 0 ? -1074 : biased - 1075) - 1;
        }
    }
    // odd * 2^e2 with e2 < 0 ends exactly at the 10^e2 place, on a 5.
    if (e2 < 0 && (s.last_exponent != e2 || *s.last_significant != '5')) return value;
    // odd * 2^e2 with e2 >= 0 is an integer whose factor 2^e2 must come
    // from 10^last_exponent and the digits, and the digits hold fewer than
    // four factors 2 per digit.
    if (e2 >= 0 && (s.last_exponent < 0 || s.last_exponent > e2 || e2 - s.last_exponent > 4 * s.significant_count)) {
        return value;
    }
    return decimal_equals(s, odd, e2) ? below : value;
}

}  // namespace

bool small_decimal_to_double(std::uint64_t digits, int exponent, double& out) {
    if (digits > (std::uint64_t{1} << 53) || exponent < -largest_exact_power_of_ten ||
        exponent > largest_exact_power_of_ten) {
        return false;
    }
    const auto m = static_cast<double>(digits);
    if (exponent <= 0) {
        out = m / exact_powers_of_ten[-exponent];
        return true;
    }
    out = m * exact_powers_of_ten[exponent];
    return out <= 0x1p53;
}

double decimal_to_double(const char* first, const char* last) {
    const decimal_shape s = shape_of(first, last);
    if (s.first_significant == nullptr) return 0.0;
    double value = 0.0;
    if (s.significant_count <= 19 && small_decimal_to_double(s.leading_value, s.last_exponent, value)) return value;
    const auto r = std::from_chars(first, last, value, std::chars_format::general);
    if (r.ec == std::errc::result_out_of_range) {
        value = s.first_exponent >= 0 ? std::numeric_limits<double>::infinity() : 0.0;
    }
    // A midpoint between doubles has 16 or more significant digits unless
    // it is a large integer, which may end in zeros.
    if (s.significant_count >= 16 || s.first_exponent >= 15) value = settle_tie(value, s);
    return value;
}
