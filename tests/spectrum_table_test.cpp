#include "text_formats/spectrum_table.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdio>
#include <limits>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "exact_reference.hpp"
#include "reference_reader.hpp"
#include "text_formats/decimal_to_double.hpp"

namespace {

constexpr double inf = std::numeric_limits<double>::infinity();

using point = reference_point;

// One table for the whole file: 16 MB each, so tests share it. The reader
// writes every element it reports, so earlier contents do not show.
spectrum_table& shared_table() {
    static const auto table = std::make_unique<spectrum_table>();
    return *table;
}

std::vector<point> points_of(const spectrum_table& t) {
    std::vector<point> out;
    for (std::int32_t i = 0; i <= t.last_index; ++i) out.push_back({t.frequency[i], t.amplitude[i]});
    return out;
}

std::vector<point> read_bytes(const std::string& bytes) {
    std::FILE* f = std::tmpfile();
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::rewind(f);
    spectrum_table& t = shared_table();
    read_spectrum_table(f, t);
    std::fclose(f);
    return points_of(t);
}

bool same_double(double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); }

void expect_same_points(const std::vector<point>& got, const std::vector<point>& want, const std::string& input) {
    ASSERT_EQ(got.size(), want.size()) << input;
    for (std::size_t i = 0; i < got.size(); ++i) {
        ASSERT_TRUE(same_double(got[i].frequency, want[i].frequency))
            << "point " << i << " frequency " << got[i].frequency << " != " << want[i].frequency << " in " << input;
        ASSERT_TRUE(same_double(got[i].amplitude, want[i].amplitude))
            << "point " << i << " amplitude " << got[i].amplitude << " != " << want[i].amplitude << " in " << input;
    }
}

TEST(SpectrumTable, StartsEmptyWithZeros) {
    static spectrum_table fresh;
    EXPECT_EQ(fresh.last_index, -1);
    EXPECT_EQ(point_count(fresh), 0);
    EXPECT_EQ(first_frequency(fresh), 0.0);
    EXPECT_EQ(last_frequency(fresh), 0.0);
    EXPECT_EQ(fresh.amplitude[max_points - 1], 0.0);
}

TEST(SpectrumReader, FileCases) {
    const std::string long_ones(350, '1');
    struct row {
        std::string input;
        std::vector<point> points;
    };
    const std::vector<row> table = {
        {"", {}},
        {" \n\t\r\n ", {}},
        {"10 1\n20 2\n", {{10, 1}, {20, 2}}},
        {"10 1 20 2", {{10, 1}, {20, 2}}},
        {"10 1\r\n20 2\r\n", {{10, 1}, {20, 2}}},
        {"10\v1\f20\t2", {{10, 1}, {20, 2}}},
        {"10 1\n20\n", {{10, 1}, {20, 0}}},
        {"Frequency Amplitude\n10 1\n", {}},
        {"10,1\n20,2\n", {{10, 0}}},
        {"10 1\nx 20 2\n", {{10, 1}}},
        {"1e3 -2.5E-02\n", {{1000, -0.025}}},
        {"nan 1", {}},
        {"inf 1", {}},
        {"1 inf", {{1, 0}}},
        {"10 - 20 2", {{10, 0}, {20, 2}}},
        {"10 . 20 2", {{10, 0}, {20, 2}}},
        {"10 -. 20 2", {{10, 0}, {20, 2}}},
        {"10 2e", {{10, 2}}},
        {"5e 1 5E+ 2 5e- 3", {{5, 1}, {5, 2}, {5, 3}}},
        {".5 5. +7 -0", {{0.5, 5}, {7, -0.0}}},
        {"1e400 1 -1e400 2 1e-400 3 -1e-400 4", {{inf, 1}, {-inf, 2}, {0, 3}, {-0.0, 4}}},
        {"10 1\n\x1a", {{10, 1}}},
        {"10 1\n\x1a 20 2", {{10, 1}}},
        {std::string("10\0 20 30", 9), {{10, 0}}},
        {"0x1p3 4", {{0, 0}}},
        {"1e3e4 5", {{1000, 0}}},
        {"1.5.5 2", {{1.5, 0.5}, {2, 0}}},
        {".e3 1", {}},
        {"5.e1 2", {{50, 2}}},
        {"-0.0e0 000123.4500e+0002", {{-0.0, 12345}}},
        // The 349-character cut: what is left starts the next number.
        {long_ones, {{std::strtod(long_ones.substr(0, 349).c_str(), nullptr), 1}}},
        {"-" + long_ones.substr(0, 349) + "7", {{-std::strtod(long_ones.substr(0, 349).c_str(), nullptr), 7}}},
        {"1" + std::string(300, '0') + "." + std::string(46, '0') + "e5 2", {{1e300, 5}, {2, 0}}},
        // Ties between two doubles go to the one nearer zero.
        {"9007199254740995 -9007199254740995", {{9007199254740994.0, -9007199254740994.0}}},
        {"9007199254740997 9007199254740993", {{9007199254740996.0, 9007199254740992.0}}},
    };
    for (const auto& r : table) {
        SCOPED_TRACE(r.input.substr(0, 40));
        expect_same_points(read_bytes(r.input), r.points, r.input.substr(0, 40));
    }
}

TEST(SpectrumReader, StopsAfterAMillionRecords) {
    std::string text;
    text.reserve(9000000);
    for (int i = 0; i <= max_points; ++i) text += std::to_string(i) + " " + std::to_string(i % 7) + "\n";
    const auto pts = read_bytes(text);
    EXPECT_EQ(shared_table().last_index, 999999);
    ASSERT_EQ(pts.size(), 1000000u);
    EXPECT_EQ(pts.back().frequency, 999999.0);
    EXPECT_EQ(pts.back().amplitude, 999999 % 7);
}

TEST(SpectrumReader, EndlessStreamStopsAfterAMillionRecords) {
    // Reading to the end would never finish.
    std::FILE* f = popen("yes '1.5 2'", "r");
    ASSERT_NE(f, nullptr);
    spectrum_table& t = shared_table();
    read_spectrum_table(f, t);
    pclose(f);
    EXPECT_EQ(t.last_index, 999999);
    EXPECT_EQ(t.frequency[999999], 1.5);
    EXPECT_EQ(t.amplitude[999999], 2.0);
}

TEST(SpectrumReader, ReadErrorCountsAsEnd) {
    std::FILE* f = std::fopen("/", "rb");  // opens, but every read fails
    ASSERT_NE(f, nullptr);
    spectrum_table& t = shared_table();
    read_spectrum_table(f, t);
    std::fclose(f);
    EXPECT_EQ(t.last_index, -1);
}

std::string random_number_text(std::mt19937_64& rng) {
    std::string s;
    const int digits = static_cast<int>(rng() % 8 == 0 ? rng() % 400 : rng() % 25) + 1;
    const int point = static_cast<int>(rng() % (digits + 2)) - 1;  // -1: no point
    for (int i = 0; i < digits; ++i) {
        if (i == point) s += '.';
        s += static_cast<char>('0' + (rng() % 4 == 0 ? 0 : rng() % 10));
    }
    if (point == digits) s += '.';
    if (rng() % 2) {
        s += (rng() % 2) ? 'e' : 'E';
        const int sign = static_cast<int>(rng() % 3);
        if (sign == 1) s += '+';
        if (sign == 2) s += '-';
        const int exp_digits = static_cast<int>(rng() % 4);
        for (int i = 0; i < exp_digits; ++i) s += static_cast<char>('0' + rng() % 10);
    }
    return s;
}

// Every text from the grammar reads as the nearest double, ties toward zero.
TEST(DecimalToDouble, MatchesReferenceOnRandomTexts) {
    std::mt19937_64 rng(11);
    for (int i = 0; i < 300000; ++i) {
        const std::string text = random_number_text(rng);
        if (text.size() > 349) continue;
        const double got = decimal_to_double(text.data(), text.data() + text.size());
        ASSERT_TRUE(same_double(got, reference_text_to_double(text))) << text;
    }
}

// Texts exactly on, and just beside, midpoints between adjacent doubles.
TEST(DecimalToDouble, MatchesReferenceOnMidpoints) {
    std::mt19937_64 rng(5);
    auto check = [](const std::string& text) {
        const double got = decimal_to_double(text.data(), text.data() + text.size());
        ASSERT_TRUE(same_double(got, reference_text_to_double(text))) << text;
    };
    for (int i = 0; i < 100000; ++i) {
        double v = std::bit_cast<double>(rng() >> 1);
        if (i % 2) v = std::ldexp(static_cast<double>(rng() >> 11), static_cast<int>(rng() % 140) - 70);
        if (!std::isfinite(v)) continue;
        const double next = std::nextafter(v, inf);
        const long double mid = (static_cast<long double>(v) + next) / 2;
        const exact_decimal e = exact_decimal_of_long(mid);
        if (e.digits.size() > 340) continue;
        const std::string d = e.digits;
        const std::string exp = std::to_string(e.exponent - static_cast<int>(d.size()) + 1);
        check(d + "e" + exp);  // exactly on it
        check(d + "000e" + std::to_string(e.exponent - static_cast<int>(d.size()) - 2));
        check(d.substr(0, 1) + "." + d.substr(1) + "e" + std::to_string(e.exponent));
        check(d + "1e" + std::to_string(e.exponent - static_cast<int>(d.size())));  // just above
        std::string below = d;
        below.back() = '4';
        check(below + "9e" + std::to_string(e.exponent - static_cast<int>(d.size())));  // just below
    }
    const std::string edges[] = {
        // Halfway between the largest double and 2^1024: the largest double.
        "179769313486231580793728971405303415079934132710037826936173778980444968292764750946649017977587207"
        "096330286416692887910946555547851940402630657488671505820681908902000708383676273854845817711531764"
        "475730270069855571366959622842914819860834936475292719074168444365510704342711559699508093042880177"
        "904174497792",
        "1.7976931348623158e308",
        "1.797693134862315808e308",
        "1.7976931348623159e308",
        // Halfway between zero and the smallest subnormal: zero.
        "2."
        "47032822920623272088284396434110686182529901307162382212792841250337753635104375932649918180817996189898282347"
        "72285886546332835517796989819938739800539093906315035659515570226392290858392449105184435931802849936536152500"
        "31937045767824921936562366986365848075700158576926990370631192827955855133292783433840935197801553124659726357"
        "95746227664652728272200563740064854999770965994704540208281662262378573934507363390079677619305775067401763246"
        "73600968951340535537458516661134223766678604162159680461914467291840300530057530849048765391711386591646239524"
        "91262365388187963623937328042389101867234849766823508986338858792562830275599565752445550725518931369083625477"
        "9186948667994968324049705821028513185451396213837722826145437693412532098591327667236328125e-324",
        "2.4703282292062328e-324",
        "4.9406564584124654e-324",
        "2.2250738585072011e-308",
        "2.2250738585072012e-308",
        "0.0000000000000000000000000000000000001",
    };
    for (const auto& text : edges) check(text);
}

// Whatever the bytes, the reader agrees with the plain grammar and stays
// within the table.
TEST(SpectrumReader, MatchesReferenceOnRandomBytes) {
    std::mt19937_64 rng(3);
    const char alphabet[] = "0123456789012345678901234567890123456789..eE+-  \n\r\t,x\x1a";
    for (int i = 0; i < 20000; ++i) {
        std::string s;
        const int length = static_cast<int>(rng() % 200);
        for (int k = 0; k < length; ++k) {
            s += rng() % 50 == 0 ? static_cast<char>(rng() % 256) : alphabet[rng() % (sizeof alphabet - 1)];
        }
        expect_same_points(read_bytes(s), reference_read(s), s);
    }
}

// Several megabytes of long numbers: many of them straddle whatever block
// boundaries the reader has.
TEST(SpectrumReader, LongNumbersAcrossBlocksMatchReference) {
    std::mt19937_64 rng(8);
    for (const int max_length : {40, 349}) {
        std::string s;
        while (s.size() < 5000000) {
            std::string text = random_number_text(rng);
            if (static_cast<int>(text.size()) > max_length) text.resize(static_cast<std::size_t>(max_length));
            if (text.find_first_of("0123456789") == std::string::npos) text = "1";
            s += (rng() % 3 == 0 ? "-" : "") + text + (rng() % 2 ? " " : "\r\n");
        }
        const auto got = read_bytes(s);
        expect_same_points(got, reference_read(s), "long numbers");
        EXPECT_GT(got.size(), 10000u);
    }
}

TEST(SpectrumReader, HugeNumbersAndExponents) {
    const std::string cases[] = {
        std::string(5000, '7') + " 1",        "1e" + std::string(400, '9') + " 2",
        "1e-" + std::string(400, '9') + " 2", "0." + std::string(5000, '0') + "1 3",
        std::string(2000, '-') + "5",
    };
    for (const auto& s : cases) expect_same_points(read_bytes(s), reference_read(s), s.substr(0, 30));
}

}  // namespace
