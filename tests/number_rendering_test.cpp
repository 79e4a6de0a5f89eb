#include "text_formats/number_rendering.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

#include "exact_reference.hpp"
#include "text_formats/decimal_digits.hpp"

namespace {

constexpr double inf = std::numeric_limits<double>::infinity();

double invalid_nan() {
    volatile double i = inf;
    return i - i;
}

struct worked_rendering {
    double value;
    const char* e5;
    const char* e4;
    const char* g5;
};

TEST(NumberRendering, WorkedTable) {
    const worked_rendering table[] = {
        {10, "  1.00000e+001", "   1.0000e+001", "          10"},
        {2, "  2.00000e+000", "   2.0000e+000", "           2"},
        {-0.00125, " -1.25000e-003", "  -1.2500e-003", "    -0.00125"},
        {0.0, "  0.00000e+000", "   0.0000e+000", "           0"},
        {-0.0, "  0.00000e+000", "   0.0000e+000", "           0"},
        {1.03125, "  1.03125e+000", "   1.0313e+000", "      1.0313"},
        {123456, "  1.23456e+005", "   1.2346e+005", " 1.2346e+005"},
        {99999.7, "  9.99997e+004", "   1.0000e+005", "      1e+005"},
        {0.0001, "  1.00000e-004", "   1.0000e-004", "      0.0001"},
        {0.00001, "  1.00000e-005", "   1.0000e-005", "      1e-005"},
        {12.5, "  1.25000e+001", "   1.2500e+001", "        12.5"},
        {1.00125, "  1.00125e+000", "   1.0013e+000", "      1.0013"},
        {inf, "  1.#INF0e+000", "   1.#INFe+000", "      1.#INF"},
        {-inf, " -1.#INF0e+000", "  -1.#INFe+000", "     -1.#INF"},
        {invalid_nan(), " -1.#IND0e+000", "  -1.#INDe+000", "     -1.#IND"},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.e5);
        EXPECT_EQ(render_e(row.value, 14, 5), row.e5);
        EXPECT_EQ(render_e(row.value, 14, 4), row.e4);
        EXPECT_EQ(render_g(row.value, 12, 5), row.g5);
    }
}

TEST(NumberRendering, EdgeCases) {
    struct row {
        double value;
        int width;
        int precision;
        bool g;
        const char* text;
    };
    const row table[] = {
        {100000, 12, 5, true, "      1e+005"},
        {99999.7, 12, 5, true, "      1e+005"},
        {99999.4, 12, 5, true, "       99999"},
        {1.000065, 14, 5, false, "  1.00007e+000"},
        {1e300, 14, 5, false, "  1.00000e+300"},
        {1e-300, 14, 4, false, "   1.0000e-300"},
        {9.99997, 14, 4, false, "   1.0000e+001"},
        {0.125, 0, 1, false, "1.3e-001"},
        {0.125, 0, 2, true, "0.13"},
        {0.0001234, 0, 5, true, "0.0001234"},
        {-12345.6, 0, 5, true, "-12346"},
        {7, 0, 0, false, "7e+000"},
        {7, 0, 0, true, "7"},
        {1.5, 0, 0, true, "2"},
        {123456, 3, 5, false, "1.23456e+005"},  // longer than the width: not cut
        {std::numeric_limits<double>::denorm_min(), 0, 5, false, "4.94066e-324"},
        {std::numeric_limits<double>::max(), 0, 5, false, "1.79769e+308"},
        {inf, 0, 0, true, "1"},
        {inf, 0, 6, true, "1.#INF"},
    };
    for (const auto& r : table) {
        SCOPED_TRACE(r.text);
        EXPECT_EQ(r.g ? render_g(r.value, r.width, r.precision) : render_e(r.value, r.width, r.precision), r.text);
    }
}

TEST(NumberRendering, NanShowsAsInvalidWhateverItsSignBit) {
    const double quiet = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(render_e(quiet, 14, 4), "  -1.#INDe+000");
    EXPECT_EQ(render_e(-quiet, 14, 4), "  -1.#INDe+000");
    EXPECT_EQ(render_g(std::fabs(quiet), 12, 5), "     -1.#IND");
}

TEST(NumberRendering, ResultColumnsAlwaysStartWithABlank) {
    const double values[] = {-std::numeric_limits<double>::max(),        -1e-300,       -inf, invalid_nan(),
                             -std::numeric_limits<double>::denorm_min(), -9.999995e-100};
    for (const double v : values) {
        EXPECT_EQ(render_e(v, 14, 5).size(), 14u);
        EXPECT_EQ(render_e(v, 14, 5)[0], ' ');
        EXPECT_EQ(render_e(v, 14, 4)[0], ' ');
    }
}

// 17-digit ties: values whose exact expansion has exactly 18 digits.
TEST(DecimalDigits, SeventeenDigitTiesRoundUp) {
    // 1125899906842624.25 is exact; its 17-digit form is a tie that goes up.
    const digits17 d = exact_digits17(1125899906842624.25);
    EXPECT_EQ(std::string(d.digits, 17), "11258999068426243");
    EXPECT_EQ(d.exponent, 15);

    std::mt19937_64 rng(17);
    int ties = 0;
    for (int k = 1; k <= 25; ++k) {
        for (int i = 0; i < 2000; ++i) {
            const std::uint64_t odd = (rng() >> 11) | 1;
            const double v = std::ldexp(static_cast<double>(odd), -k);
            const exact_decimal e = exact_decimal_of(v);
            if (e.digits.size() == 18) ++ties;
            int exponent = 0;
            const std::string want = reference_keep_digits(v, 17, exponent);
            const digits17 got = exact_digits17(v);
            ASSERT_EQ(std::string(got.digits, 17), want) << v;
            ASSERT_EQ(got.exponent, exponent) << v;
        }
    }
    EXPECT_GT(ties, 100);  // the sample really held ties
}

void expect_renderings_match(double v) {
    ASSERT_EQ(render_e(v, 14, 5), reference_render_e(v, 14, 5)) << std::hexfloat << v;
    ASSERT_EQ(render_e(v, 14, 4), reference_render_e(v, 14, 4)) << std::hexfloat << v;
    ASSERT_EQ(render_g(v, 12, 5), reference_render_g(v, 12, 5)) << std::hexfloat << v;
}

TEST(NumberRendering, MatchesExactReferenceOnRandomBitPatterns) {
    std::mt19937_64 rng(2026);
    for (int i = 0; i < 1000000; ++i) {
        const double v = std::bit_cast<double>(rng());
        if (std::isnan(v)) continue;
        expect_renderings_match(v);
    }
}

TEST(NumberRendering, MatchesExactReferenceInTheEverydayRange) {
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> exponent(-30, 30);
    for (int i = 0; i < 1000000; ++i) {
        const double v = std::pow(10.0, exponent(rng)) * ((rng() & 1) ? 1 : -1);
        expect_renderings_match(v);
    }
}

// Values at and around decimal rounding thresholds of 5, 6 and 7 digits:
// N.5 at the kept digits, and those written with up to 17 digits.
TEST(NumberRendering, MatchesExactReferenceNearRoundingThresholds) {
    std::mt19937_64 rng(99);
    for (int i = 0; i < 200000; ++i) {
        const int n = 5 + static_cast<int>(rng() % 3);
        const std::uint64_t whole = 10000 + rng() % 9990000;
        const int scale = static_cast<int>(rng() % 60) - 30;
        const int tail_digits = static_cast<int>(rng() % 12);
        std::string text = std::to_string(whole).substr(0, static_cast<std::size_t>(n)) + "5";
        for (int t = 0; t < tail_digits; ++t) text += (rng() & 1) ? '0' : '9';
        text += "e" + std::to_string(scale);
        const double v = std::strtod(text.c_str(), nullptr);
        for (double w = std::nextafter(std::nextafter(v, 0), 0), k = 0; k < 5; ++k, w = std::nextafter(w, inf)) {
            expect_renderings_match(w);
        }
    }
}

TEST(NumberRendering, SmallPowersOfTenAndTheirNeighbours) {
    for (int x = -320; x <= 308; ++x) {
        const double v = std::strtod(("1e" + std::to_string(x)).c_str(), nullptr);
        expect_renderings_match(v);
        expect_renderings_match(std::nextafter(v, 0));
        expect_renderings_match(std::nextafter(v, inf));
    }
}

}  // namespace
