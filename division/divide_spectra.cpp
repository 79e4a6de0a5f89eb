#include "division/divide_spectra.hpp"

#include <cmath>
#include <cstdint>

namespace {

// The response point that gives excitation frequency f its value.
struct match {
    bool found;
    bool coincident;  // within match_tolerance of response point k; else
                      // interpolated between k and k + 1
    std::int32_t k;
};

bool coincides(double response_frequency, double f) { return std::fabs(response_frequency - f) < match_tolerance; }

bool brackets(const double* fr, std::int32_t k, double f) { return fr[k] < f && f < fr[k + 1]; }

// Point by point from `start`: at each k the coincidence test, then the
// bracket test with the next point. Right for any order of frequencies.
match scan_from(const double* fr, std::int32_t last, std::int32_t start, double f) {
    for (std::int32_t k = start; k <= last; ++k) {
        if (coincides(fr[k], f)) return {true, true, k};
        if (k < last && brackets(fr, k, f)) return {true, false, k};
    }
    return {false, false, 0};
}

// First k in [start, last] where `holds` turns true, for a predicate that
// stays true once it is (last + 1 if never). Gallops from start, so the
// common short step costs little.
template <typename Predicate>
std::int32_t first_from(std::int32_t start, std::int32_t last, Predicate holds) {
    if (start > last || holds(start)) return start;
    std::int32_t below = start;  // holds(below) is false
    std::int32_t step = 1;
    std::int32_t above = last + 1;  // holds(above) is true, or past the end
    while (below + step <= last) {
        if (holds(below + step)) {
            above = below + step;
            break;
        }
        below += step;
        step *= 2;
    }
    while (above - below > 1) {
        const std::int32_t mid = below + (above - below) / 2;
        if (holds(mid)) {
            above = mid;
        } else {
            below = mid;
        }
    }
    return above;
}

// The same result as scan_from when fr does not descend. The rounded
// difference fr[k] - f never falls as k grows (also with infinities, where
// a NaN difference only arises before or after the differences that could
// coincide), so the coincident points form one run, found by search; and
// only the last point below f can bracket it.
match search_from(const double* fr, std::int32_t last, std::int32_t start, double f) {
    const std::int32_t c = first_from(start, last, [&](std::int32_t k) { return fr[k] - f > -match_tolerance; });
    const bool has_coincidence = c <= last && coincides(fr[c], f);
    const std::int32_t a = first_from(start, last, [&](std::int32_t k) { return !(fr[k] < f); });
    const bool has_bracket = a > start && a <= last && f < fr[a];
    if (has_coincidence && (!has_bracket || c <= a - 1)) return {true, true, c};
    if (has_bracket) return {true, false, a - 1};
    return {false, false, 0};
}

// Whether every frequency is at most the next one.
bool frequencies_ascend(const spectrum_table& table) {
    for (std::int32_t k = 0; k < table.last_index; ++k) {
        if (!(table.frequency[k] <= table.frequency[k + 1])) return false;
    }
    return true;
}

}  // namespace

division_state start_division(const spectrum_table& response) { return {0, frequencies_ascend(response)}; }

bool divide_point(const spectrum_table& response, division_state& state, double f, double a, double& ratio) {
    // Neither test passes for such an amplitude: no need to look.
    if (!(std::fabs(a) > amplitude_floor)) return false;
    const double* const fr = response.frequency;
    const double* const ar = response.amplitude;
    const std::int32_t last = response.last_index;
    const match m =
        state.ascending ? search_from(fr, last, state.search_start, f) : scan_from(fr, last, state.search_start, f);
    if (!m.found) return false;
    const std::int32_t k = m.k;
    if (m.coincident) {
        ratio = ar[k] / a;
    } else {
        // In this order, each operation rounded on its own.
        const double d = fr[k + 1] - fr[k];
        const double t = (f - fr[k]) / d;
        const double u = 1 - t;
        ratio = (u * ar[k] + t * ar[k + 1]) / a;
    }
    state.search_start = k;
    return true;
}

void divide_spectra(const spectrum_table& response, const spectrum_table& excitation, result_writer& out) {
    division_state state = start_division(response);
    for (std::int32_t j = 0; j <= excitation.last_index; ++j) {
        const double f = excitation.frequency[j];
        double ratio;
        if (divide_point(response, state, f, excitation.amplitude[j], ratio)) write_result_point(out, {f, ratio});
    }
}
