#include "exact_reference.hpp"

#include <cfenv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// Base 10^9, least significant limb first.
using decimal_big = std::vector<std::uint64_t>;
constexpr std::uint64_t base = 1000000000;

void multiply(decimal_big& a, std::uint64_t factor) {  // factor < 2^30
    std::uint64_t carry = 0;
    for (auto& limb : a) {
        const std::uint64_t v = limb * factor + carry;
        limb = v % base;
        carry = v / base;
    }
    while (carry != 0) {
        a.push_back(carry % base);
        carry /= base;
    }
}

std::string to_string(const decimal_big& a) {
    std::string s;
    for (auto it = a.rbegin(); it != a.rend(); ++it) {
        char part[16];
        std::snprintf(part, sizeof part, it == a.rbegin() ? "%llu" : "%09llu", static_cast<unsigned long long>(*it));
        s += part;
    }
    return s;
}

// m * 2^e2 exactly.
exact_decimal exact_of(std::uint64_t m, int e2) {
    if (m == 0) return {"", 0};
    decimal_big a{m % base, (m / base) % base, m / base / base};
    int point = 0;  // value = a * 10^-point
    if (e2 >= 0) {
        for (; e2 >= 20; e2 -= 20) multiply(a, 1u << 20);
        multiply(a, 1u << e2);
    } else {
        // m / 2^k = m * 5^k / 10^k
        int k = -e2;
        point = k;
        for (; k >= 12; k -= 12) multiply(a, 244140625);  // 5^12
        std::uint64_t rest = 1;
        for (; k > 0; --k) rest *= 5;
        multiply(a, rest);
    }
    std::string s = to_string(a);
    const std::size_t first = s.find_first_not_of('0');
    s = s.substr(first);
    const int exponent = static_cast<int>(s.size()) - 1 - point;
    while (!s.empty() && s.back() == '0') s.pop_back();
    return {s, exponent};
}

}  // namespace

exact_decimal exact_decimal_of(double value) {
    int e = 0;
    const double f = std::frexp(value, &e);  // value = f * 2^e, f in [0.5, 1)
    const auto m = static_cast<std::uint64_t>(std::ldexp(f, 53));
    return exact_of(m, e - 53);
}

exact_decimal exact_decimal_of_long(long double value) {
    int e = 0;
    const long double f = std::frexp(value, &e);
    const auto m = static_cast<std::uint64_t>(std::ldexp(f, 64));
    return exact_of(m, e - 64);
}

exact_decimal exact_decimal_of_text(const std::string& text) {
    std::string digits;
    int integer_digits = -1;
    std::size_t i = 0;
    for (; i < text.size(); ++i) {
        if (text[i] == '.') {
            integer_digits = static_cast<int>(digits.size());
        } else if (text[i] >= '0' && text[i] <= '9') {
            digits += text[i];
        } else {
            break;
        }
    }
    if (integer_digits < 0) integer_digits = static_cast<int>(digits.size());
    long long exponent = 0;
    if (i < text.size()) {
        ++i;
        bool negative = false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
        for (; i < text.size(); ++i) exponent = std::min(exponent * 10 + (text[i] - '0'), 10000000LL);
        if (negative) exponent = -exponent;
    }
    const std::size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos) return {"", 0};
    std::string s = digits.substr(first);
    while (s.back() == '0') s.pop_back();
    return {s, static_cast<int>(integer_digits - 1 - static_cast<long long>(first) + exponent)};
}

int compare_decimal(const exact_decimal& a, const exact_decimal& b) {
    if (a.digits.empty() || b.digits.empty()) {
        if (a.digits.empty() && b.digits.empty()) return 0;
        return a.digits.empty() ? -1 : 1;
    }
    if (a.exponent != b.exponent) return a.exponent < b.exponent ? -1 : 1;
    const std::size_t n = std::max(a.digits.size(), b.digits.size());
    for (std::size_t i = 0; i < n; ++i) {
        const char x = i < a.digits.size() ? a.digits[i] : '0';
        const char y = i < b.digits.size() ? b.digits[i] : '0';
        if (x != y) return x < y ? -1 : 1;
    }
    return 0;
}

double reference_text_to_double(const std::string& text) {
    const int saved = std::fegetround();
    std::fesetround(FE_DOWNWARD);
    const double low = std::strtod(text.c_str(), nullptr);
    std::fesetround(FE_UPWARD);
    const double high = std::strtod(text.c_str(), nullptr);
    std::fesetround(saved);
    if (low == high) return low;
    // Adjacent doubles: their midpoint is exact in a long double.
    // Above the largest double, the next step would be 2^1024.
    const long double top = std::isinf(high) ? std::ldexp(1.0L, 1024) : static_cast<long double>(high);
    const long double mid = (static_cast<long double>(low) + top) / 2;
    const int c = compare_decimal(exact_decimal_of_text(text), exact_decimal_of_long(mid));
    return c <= 0 ? low : high;
}

std::string reference_keep_digits(double value, int n, int& exponent) {
    const exact_decimal e = exact_decimal_of(value);
    // Round half up at `count` digits of a digit string.
    auto round_up_at = [](std::string digits, int count, int& exp) {
        digits.resize(std::max<std::size_t>(digits.size(), static_cast<std::size_t>(count) + 1), '0');
        const bool up = digits[static_cast<std::size_t>(count)] >= '5';
        digits.resize(static_cast<std::size_t>(count));
        if (up) {
            int i = count - 1;
            while (i >= 0 && digits[static_cast<std::size_t>(i)] == '9') digits[static_cast<std::size_t>(i--)] = '0';
            if (i >= 0) {
                ++digits[static_cast<std::size_t>(i)];
            } else {
                digits = "1" + digits.substr(0, static_cast<std::size_t>(count) - 1);
                ++exp;
            }
        }
        return digits;
    };
    exponent = e.exponent;
    const std::string d17 = round_up_at(e.digits, 17, exponent);
    return round_up_at(d17, n, exponent);
}

namespace {

// Rebuilds a double from kept digits; printf then shows those same digits.
// A long double, so that digits at the top of the double range stay finite.
long double value_of_digits(const std::string& digits, int exponent) {
    const std::string text = digits.substr(0, 1) + "." + digits.substr(1) + "e" + std::to_string(exponent);
    return std::strtold(text.c_str(), nullptr);
}

// printf writes at least two exponent digits; this program writes three.
std::string widen_exponent(std::string s) {
    const std::size_t e = s.find('e');
    if (e != std::string::npos && s.size() - e == 4) s.insert(e + 2, "0");
    return s;
}

std::string fill(std::string s, int width) {
    if (static_cast<int>(s.size()) < width) s.insert(0, static_cast<std::size_t>(width) - s.size(), ' ');
    return s;
}

std::string special(double value, int kept) {
    std::string d = std::isnan(value) ? "1#IND" : "1#INF";
    d.resize(static_cast<std::size_t>(kept), '0');
    return d;
}

}  // namespace

std::string reference_render_e(double value, int width, int precision) {
    const bool negative = std::signbit(value) || std::isnan(value);
    if (value == 0) {
        return fill("0" + (precision > 0 ? "." + std::string(static_cast<std::size_t>(precision), '0') : "") + "e+000",
                    width);
    }
    if (!std::isfinite(value)) {
        const std::string d = special(value, precision + 1);
        return fill((negative ? "-" : "") + d.substr(0, 1) + (precision > 0 ? "." + d.substr(1) : "") + "e+000", width);
    }
    int exponent = 0;
    const std::string digits = reference_keep_digits(std::fabs(value), precision + 1, exponent);
    char text[128];
    std::snprintf(text, sizeof text, "%.*Le", precision, value_of_digits(digits, exponent));
    return fill((negative ? "-" : "") + widen_exponent(text), width);
}

std::string reference_render_g(double value, int width, int precision) {
    if (precision == 0) precision = 1;
    const bool negative = std::signbit(value) || std::isnan(value);
    if (value == 0) return fill("0", width);
    if (!std::isfinite(value)) {
        std::string d = special(value, precision);
        std::string s = d.substr(0, 1) + "." + d.substr(1);
        while (s.back() == '0') s.pop_back();
        if (s.back() == '.') s.pop_back();
        return fill((negative ? "-" : "") + s, width);
    }
    int exponent = 0;
    const std::string digits = reference_keep_digits(std::fabs(value), precision, exponent);
    char text[128];
    std::snprintf(text, sizeof text, "%.*Lg", precision, value_of_digits(digits, exponent));
    return fill((negative ? "-" : "") + widen_exponent(text), width);
}
