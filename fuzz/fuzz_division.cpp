// Arbitrary small tables: the pass with its search writes exactly what the
// plain pass writes.
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "division/divide_spectra.hpp"
#include "plain_division.hpp"

namespace {

// One byte picks a frequency from a small grid (so that duplicates, exact
// 0.0001 steps and near-coincidences are common) or takes the next eight
// bytes as raw bits.
struct byte_source {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t pos;
    std::uint8_t next() { return pos < size ? data[pos++] : 0; }
    double raw() {
        std::uint64_t bits = 0;
        for (int i = 0; i < 8; ++i) bits = bits << 8 | next();
        return std::bit_cast<double>(bits);
    }
    double frequency() {
        const std::uint8_t b = next();
        if (b == 255) return raw();
        if (b == 254) return INFINITY;
        if (b == 253) return -INFINITY;
        return 10 + (b % 64) * 0.0001 + (b >= 128 ? 0.00005 : 0.0);
    }
    double amplitude() {
        const std::uint8_t b = next();
        if (b == 255) return raw();
        if (b == 0) return 0.0;
        return (static_cast<int>(b) - 128) * 0.25;
    }
};

bool same(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b) || (std::isnan(a) && std::isnan(b));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const auto response = std::make_unique<spectrum_table>();
    byte_source in{data, size, 0};
    const int nr = in.next() % 64;
    const int ne = in.next() % 64;
    std::vector<spectrum_point> r(static_cast<std::size_t>(nr)), e(static_cast<std::size_t>(ne));
    for (auto& p : r) p = {in.frequency(), in.amplitude()};
    for (auto& p : e) p = {in.frequency(), in.amplitude()};

    for (int i = 0; i < nr; ++i) {
        response->frequency[i] = r[static_cast<std::size_t>(i)].frequency;
        response->amplitude[i] = r[static_cast<std::size_t>(i)].amplitude;
    }
    response->last_index = nr - 1;
    division_state state = start_division(*response);
    std::vector<plain_line> got;
    for (const auto& x : e) {
        double ratio;
        if (divide_point(*response, state, x.frequency, x.amplitude, ratio)) got.push_back({x.frequency, ratio});
    }
    const auto want = plain_pass(r, e);
    if (got.size() != want.size()) std::abort();
    for (std::size_t i = 0; i < got.size(); ++i) {
        if (!same(got[i].frequency, want[i].frequency) || !same(got[i].ratio, want[i].ratio)) std::abort();
    }
    return 0;
}
