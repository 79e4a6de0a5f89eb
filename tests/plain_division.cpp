#include "plain_division.hpp"

#include <cmath>

// The pass exactly as first written: a scan from the search start to the
// end of the response for every excitation point.
std::vector<plain_line> plain_pass(const std::vector<spectrum_point>& r, const std::vector<spectrum_point>& e) {
    std::vector<plain_line> out;
    const int nr = static_cast<int>(r.size()) - 1;
    int search_start = 0;
    for (const spectrum_point& x : e) {
        for (int k = search_start; k <= nr; ++k) {
            if (std::fabs(r[k].frequency - x.frequency) < 0.0001 && std::fabs(x.amplitude) > 1e-50) {
                out.push_back({x.frequency, r[k].amplitude / x.amplitude});
                search_start = k;
                break;
            }
            if (k < nr && std::fabs(x.amplitude) > 1e-50 && r[k].frequency < x.frequency &&
                x.frequency < r[k + 1].frequency) {
                const double d = r[k + 1].frequency - r[k].frequency;
                const double t = (x.frequency - r[k].frequency) / d;
                const double u = 1 - t;
                out.push_back({x.frequency, (u * r[k].amplitude + t * r[k + 1].amplitude) / x.amplitude});
                search_start = k;
                break;
            }
        }
    }
    return out;
}
