#include "division/divide_spectra.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "plain_division.hpp"
#include "program_runner.hpp"

namespace {

constexpr double inf = std::numeric_limits<double>::infinity();

using pair = spectrum_point;

// Two tables for the whole file (16 MB each).
spectrum_table& response_table() {
    static const auto t = std::make_unique<spectrum_table>();
    return *t;
}
spectrum_table& excitation_table() {
    static const auto t = std::make_unique<spectrum_table>();
    return *t;
}

void fill(spectrum_table& t, const std::vector<pair>& points) {
    for (std::size_t i = 0; i < points.size(); ++i) {
        t.frequency[i] = points[i].frequency;
        t.amplitude[i] = points[i].amplitude;
    }
    t.last_index = static_cast<std::int32_t>(points.size()) - 1;
}

// The result file's bytes for these tables.
std::string divide(const std::vector<pair>& response, const std::vector<pair>& excitation) {
    fill(response_table(), response);
    fill(excitation_table(), excitation);
    std::FILE* f = std::tmpfile();
    result_writer w = start_result(f);
    divide_spectra(response_table(), excitation_table(), w);
    EXPECT_TRUE(finish_result(w));
    std::string bytes;
    std::rewind(f);
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) bytes.append(buffer, n);
    std::fclose(f);
    return bytes;
}

TEST(DivideSpectra, CasesOverThreeResponsePoints) {
    const std::vector<pair> response = {{10, 1}, {20, 3}, {30, 5}};
    struct row {
        const char* what;
        std::vector<pair> excitation;
        std::string lines;
    };
    const row table[] = {
        {"coincidence", {{20, 2}}, "  2.00000e+001    1.5000e+000 \r\n"},
        {"coincidence within tolerance", {{20.00005, 2}}, "  2.00001e+001    1.5000e+000 \r\n"},
        {"interpolation", {{15, 1}}, "  1.50000e+001    2.0000e+000 \r\n"},
        {"bracket before the next coincidence", {{19.99995, 1}}, "  1.99999e+001    3.0000e+000 \r\n"},
        {"below the range", {{5, 1}}, ""},
        {"above the range", {{35, 1}}, ""},
        {"zero amplitude", {{15, 0}}, ""},
        {"amplitude below the floor", {{15, 1e-51}, {15, -1e-50}}, ""},
        {"amplitude just above the floor", {{20, 3e-50}}, "  2.00000e+001    1.0000e+050 \r\n"},
        {"several points in one interval",
         {{15, 1}, {16, 1}, {17, 1}},
         "  1.50000e+001    2.0000e+000 \r\n  1.60000e+001    2.2000e+000 \r\n  1.70000e+001    2.4000e+000 \r\n"},
        {"the search never moves back", {{25, 1}, {15, 1}}, "  2.50000e+001    4.0000e+000 \r\n"},
        {"repeated frequency matches again",
         {{20, 1}, {20, 2}},
         "  2.00000e+001    3.0000e+000 \r\n  2.00000e+001    1.5000e+000 \r\n"},
        {"last response point", {{30, 5}}, "  3.00000e+001    1.0000e+000 \r\n"},
        {"negative amplitude", {{10, -4}}, "  1.00000e+001   -2.5000e-001 \r\n"},
        {"empty excitation", {}, ""},
    };
    for (const auto& r : table) {
        SCOPED_TRACE(r.what);
        EXPECT_EQ(divide(response, r.excitation), r.lines);
    }
}

TEST(DivideSpectra, SmallAndOddResponses) {
    EXPECT_EQ(divide({}, {{10, 1}}), "");
    EXPECT_EQ(divide({{10, 1}}, {{10, 2}, {10.00005, 1}, {15, 1}}),
              "  1.00000e+001    5.0000e-001 \r\n  1.00001e+001    1.0000e+000 \r\n");
    // Infinite amplitudes of opposite sign: an invalid operation.
    EXPECT_EQ(divide({{10, inf}, {20, -inf}}, {{15, 1}}), "  1.50000e+001   -1.#INDe+000 \r\n");
    EXPECT_EQ(divide({{10, 1}, {inf, 1}}, {{1e300, 1}}), "  1.00000e+300    1.0000e+000 \r\n");
    // A ratio beyond the range of reals.
    EXPECT_EQ(divide({{10, 1e300}}, {{10, -1e-20}}), "  1.00000e+001   -1.#INFe+000 \r\n");
}

std::vector<plain_line> fast_pass(const std::vector<pair>& r, const std::vector<pair>& e) {
    fill(response_table(), r);
    division_state state = start_division(response_table());
    std::vector<plain_line> out;
    for (const pair& x : e) {
        double ratio;
        if (divide_point(response_table(), state, x.frequency, x.amplitude, ratio)) out.push_back({x.frequency, ratio});
    }
    return out;
}

bool same_bits(double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); }

void expect_same_pass(const std::vector<pair>& r, const std::vector<pair>& e) {
    const auto want = plain_pass(r, e);
    const auto got = fast_pass(r, e);
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
        ASSERT_TRUE(same_bits(got[i].frequency, want[i].frequency)) << i;
        ASSERT_TRUE(same_bits(got[i].ratio, want[i].ratio) || (std::isnan(got[i].ratio) && std::isnan(want[i].ratio)))
            << i << ": " << got[i].ratio << " vs " << want[i].ratio;
    }
}

// Frequencies drawn from a small grid, so that duplicates, exact 0.0001
// steps and near-coincidences are common; sometimes infinities.
double grid_frequency(std::mt19937_64& rng) {
    const int kind = static_cast<int>(rng() % 40);
    if (kind == 0) return inf;
    if (kind == 1) return -inf;
    const double base = 10 + static_cast<double>(rng() % 30) * 0.0001;
    switch (rng() % 4) {
        case 0:
            return base;
        case 1:
            return base + 0.00005;
        case 2:
            return std::nextafter(base, kind % 2 ? inf : -inf);
        default:
            return 10 + static_cast<double>(rng() % 3000) * 1e-6;
    }
}

double random_amplitude(std::mt19937_64& rng) {
    switch (rng() % 10) {
        case 0:
            return 0;
        case 1:
            return 1e-50;
        case 2:
            return (rng() % 2) ? inf : -1e-300;
        default:
            return std::ldexp(static_cast<double>(rng() % 2000) - 1000, -static_cast<int>(rng() % 8));
    }
}

std::vector<pair> random_points(std::mt19937_64& rng, std::size_t n, bool sorted) {
    std::vector<pair> v(n);
    for (auto& p : v) p = {grid_frequency(rng), random_amplitude(rng)};
    if (sorted) std::sort(v.begin(), v.end(), [](const pair& a, const pair& b) { return a.frequency < b.frequency; });
    return v;
}

TEST(DivideSpectra, SearchMatchesPlainPassOnRandomTables) {
    std::mt19937_64 rng(4);
    for (int trial = 0; trial < 100000; ++trial) {
        const std::size_t nr = rng() % 40;
        const std::size_t ne = rng() % 40;
        const bool response_sorted = trial % 8 != 0;    // some do not ascend
        const bool excitation_sorted = trial % 3 != 0;  // some out of order
        const auto r = random_points(rng, nr, response_sorted);
        const auto e = random_points(rng, ne, excitation_sorted);
        SCOPED_TRACE(trial);
        expect_same_pass(r, e);
        if (HasFatalFailure()) return;
    }
}

TEST(DivideSpectra, SearchMatchesPlainPassOnLargeTables) {
    std::mt19937_64 rng(12);
    for (int trial = 0; trial < 20; ++trial) {
        std::vector<pair> r(5000);
        double f = 1;
        for (auto& p : r) {
            f += (rng() % 5 == 0) ? 0 : static_cast<double>(rng() % 4) * 0.0001;  // duplicates and 0.0001 steps
            p = {f, static_cast<double>(rng() % 100)};
        }
        const auto e = random_points(rng, 3000, trial % 2 == 0);
        std::vector<pair> sweep(4000);
        for (auto& p : sweep) p = {1 + static_cast<double>(rng() % 20000) * 0.00005, random_amplitude(rng)};
        std::sort(sweep.begin(), sweep.end(), [](const pair& a, const pair& b) { return a.frequency < b.frequency; });
        expect_same_pass(r, e);
        expect_same_pass(r, sweep);
    }
}

TEST(DivideSpectra, ProgramWritesTheTraceRun) {
    const std::string folder = make_trace_folder();
    const program_run r = run_program(folder, "resp.txt exc.txt out.txt\n");
    EXPECT_EQ(r.exit_status, 0);
    EXPECT_EQ(read_file(folder + "/out.txt"), "  1.50000e+001    2.0000e+000 \r\n  2.50000e+001    2.0000e+000 \r\n");
    remove_folder(folder);
}

TEST(DivideSpectra, WriteFailureIsToldAndNotSuccess) {
    const std::string folder = make_trace_folder();
    const program_run r = run_program(folder, "resp.txt exc.txt /dev/full\n");
    EXPECT_EQ(r.exit_status, 1);
    const std::string tail = "\n Failed to write file: /dev/full \n\n Press any key to exit.\n\n";
    ASSERT_GE(r.output.size(), tail.size());
    EXPECT_EQ(r.output.substr(r.output.size() - tail.size()), tail);
    EXPECT_EQ(r.output.find("The output text file is"), std::string::npos);
    remove_folder(folder);
}

}  // namespace
