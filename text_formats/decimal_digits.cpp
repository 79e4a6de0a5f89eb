#include "text_formats/decimal_digits.hpp"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>

#include "text_formats/powers_of_ten.hpp"

namespace {

// 2 * 10^(n-17) for n kept digits: room below one half for the threshold.
constexpr double threshold_bands[] = {2e-17, 2e-16, 2e-15, 2e-14, 2e-13, 2e-12, 2e-11, 2e-10, 2e-9, 2e-8};
// -0.5 * 10^(n-17): where the true fraction, less one half, starts to round
// up through the 17-digit form.
constexpr double thresholds_from_half[] = {-5e-18, -5e-17, -5e-16, -5e-15, -5e-14,
                                           -5e-13, -5e-12, -5e-11, -5e-10, -5e-9};

// a = high + low with high holding the upper 26 bits (Veltkamp).
void split(double a, double& high, double& low) {
    const double c = 134217729.0 * a;  // 2^27 + 1
    high = c - (c - a);
    low = a - high;
}

// a * b = product + error exactly (Dekker), without a fused multiply-add.
double product_error(double a, double b, double product) {
    double a_high, a_low, b_high, b_low;
    split(a, a_high, a_low);
    split(b, b_high, b_low);
    return ((a_high * b_high - product) + a_high * b_low + a_low * b_high) + a_low * b_low;
}

constexpr std::uint64_t power_of_ten_u64(int n) {
    std::uint64_t p = 1;
    for (int i = 0; i < n; ++i) p *= 10;
    return p;
}

void write_digits(char* out, std::uint64_t value, int count) {
    for (int i = count - 1; i >= 0; --i) {
        out[i] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
}

// A double as odd * 2^e2 (odd significand, trailing zero bits moved into
// the exponent).
struct odd_binary {
    std::uint64_t odd;
    int e2;
};

odd_binary odd_binary_of(double magnitude) {
    const auto bits = std::bit_cast<std::uint64_t>(magnitude);
    const int biased = static_cast<int>((bits >> 52) & 0x7ff);
    std::uint64_t m = bits & ((std::uint64_t{1} << 52) - 1);
    int e2 = -1074;
    if (biased != 0) {
        m |= std::uint64_t{1} << 52;
        e2 = biased - 1075;
    }
    const int zeros = std::countr_zero(m);
    return {m >> zeros, e2 + zeros};
}

// If the value's exact decimal expansion has exactly 18 significant digits,
// rounding it to 17 is a tie (its last digit is then 5). Returns the 18
// digits as an integer, or 0 when there is no tie.
//
// Integers never tie here: an 18-digit integer ending in 5 * 10^j would need
// an odd part wider than 53 bits.
std::uint64_t tie_digits18(double magnitude) {
    const odd_binary b = odd_binary_of(magnitude);
    if (b.e2 >= 0) return 0;
    const int k = -b.e2;  // value = odd * 5^k / 10^k
    constexpr std::uint64_t limit = power_of_ten_u64(18);
    std::uint64_t p = b.odd;
    for (int i = 0; i < k; ++i) {
        if (p > (limit - 1) / 5) return 0;
        p *= 5;
    }
    return p >= power_of_ten_u64(17) ? p : 0;
}

void fill_special(kept_digits& out, const char* text, int n) {
    const int len = static_cast<int>(std::strlen(text));
    for (int i = 0; i < n; ++i) out.digits[i] = i < len ? text[i] : '0';
    out.count = n;
    out.exponent = 0;
}

// Fast route for up to 9 kept digits of a finite, positive, normal value
// whose scale is within the exact powers of ten. One correctly rounded
// multiplication or division brings the kept digits into the integer part;
// its error is far below the margins used here, and where the true value
// could lie on either side of a rounding threshold the route declines.
bool keep_digits_fast(double magnitude, int n, kept_digits& out) {
    if (n > 9 || !(magnitude >= 0x1p-1022)) return false;
    const int e2 = static_cast<int>((std::bit_cast<std::uint64_t>(magnitude) >> 52) & 0x7ff) - 1023;
    int x = (e2 * 78913) >> 18;  // floor(e2 * log10(2)), give or take one
    const double low = exact_powers_of_ten[n - 1];
    const double high = exact_powers_of_ten[n];
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int k = n - 1 - x;
        if (k > largest_exact_power_of_ten || k < -largest_exact_power_of_ten) return false;
        const double y = k >= 0 ? magnitude * exact_powers_of_ten[k] : magnitude / exact_powers_of_ten[-k];
        if (y >= high) {
            ++x;
            continue;
        }
        if (y < low) {
            --x;
            continue;
        }
        // True y lies within err of the computed one (one rounding, with room).
        const double err = y * 0x1p-50;
        const auto whole = static_cast<std::uint64_t>(y);
        const double frac = y - static_cast<double>(whole);
        // The 17-digit form rounds up at the kept digits when the true
        // fraction is at least 0.5 - 0.5e(n-17); that threshold lies within
        // 1e(n-17) below one half. Around an integer the answer is that
        // integer from either side, as these two tests give it.
        const double threshold_band = threshold_bands[n];
        std::uint64_t kept;
        if (frac + err < 0.5 - threshold_band) {
            kept = whole;
        } else if (frac - err > 0.5) {
            kept = whole + 1;
        } else {
            // Near one half (frequencies such as 1000.005 at six digits):
            // the exact value is y + residual, the residual from an
            // error-free product, and it decides on which side the true
            // fraction lies.
            double residual;
            if (k >= 0) {
                residual = product_error(magnitude, exact_powers_of_ten[k], y);
            } else {
                // magnitude - y * p is exact as (magnitude - h) - l: the
                // first difference by Sterbenz, the second because the
                // remainder of a correctly rounded division is a double.
                const double p = exact_powers_of_ten[-k];
                const double h = y * p;
                const double l = product_error(y, p, h);
                residual = ((magnitude - h) - l) / p;
            }
            const double from_threshold = ((frac - 0.5) + residual) - thresholds_from_half[n];
            const double margin = -thresholds_from_half[n] * 1e-6;
            if (from_threshold > margin) {
                kept = whole + 1;
            } else if (from_threshold < -margin) {
                kept = whole;
            } else {
                return false;  // on the threshold itself: only exact digits tell
            }
        }
        if (kept == static_cast<std::uint64_t>(high)) {
            kept = static_cast<std::uint64_t>(low);
            ++x;
        }
        write_digits(out.digits, kept, n);
        out.count = n;
        out.exponent = x;
        return true;
    }
    return false;
}

}  // namespace

digits17 exact_digits17(double magnitude) {
    digits17 d{};
    if (const std::uint64_t p = tie_digits18(magnitude); p != 0) {
        std::uint64_t up = p / 10 + 1;  // the tie goes up
        // The 18-digit expansion is p * 10^-k with p < 10^18.
        const odd_binary b = odd_binary_of(magnitude);
        d.exponent = 17 + b.e2;
        if (up == power_of_ten_u64(17)) {
            up /= 10;
            ++d.exponent;
        }
        write_digits(d.digits, up, 17);
        return d;
    }
    // Exact rounding, ties to even; ties were settled above.
    char text[40];
    const auto r = std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific, 16);
    d.digits[0] = text[0];
    std::memcpy(d.digits + 1, text + 2, 16);
    const char* e = text + 18;  // "e+XX" or "e-XXX"
    int exponent = 0;
    std::from_chars(e + 2, r.ptr, exponent);
    d.exponent = e[1] == '-' ? -exponent : exponent;
    return d;
}

kept_digits keep_digits_exact(double magnitude, int n) {
    kept_digits out{};
    const digits17 d = exact_digits17(magnitude);
    out.exponent = d.exponent;
    out.count = n;
    for (int i = 0; i < n; ++i) out.digits[i] = i < 17 ? d.digits[i] : '0';
    if (n < 17 && d.digits[n] >= '5') {
        int i = n - 1;
        while (i >= 0 && out.digits[i] == '9') out.digits[i--] = '0';
        if (i >= 0) {
            ++out.digits[i];
        } else {
            out.digits[0] = '1';  // carry out of the first digit
            ++out.exponent;
        }
    }
    return out;
}

kept_digits keep_digits(double value, int n) {
    if (n < 1) n = 1;
    if (n > max_kept_digits) n = max_kept_digits;
    kept_digits out{};
    const bool sign = std::signbit(value);
    if (std::isnan(value)) {
        // Shown as a NaN from an invalid operation, whatever sign bit the
        // processor left on it.
        fill_special(out, "1#IND", n);
        out.negative = true;
        return out;
    }
    if (std::isinf(value)) {
        fill_special(out, "1#INF", n);
        out.negative = sign;
        return out;
    }
    if (value == 0) {
        fill_special(out, "0", n);
        out.negative = false;
        return out;
    }
    const double magnitude = std::fabs(value);
    if (!keep_digits_fast(magnitude, n, out)) out = keep_digits_exact(magnitude, n);
    out.negative = sign;
    return out;
}
