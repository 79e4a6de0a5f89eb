// Arbitrary 64-bit patterns: the renderings agree with the exact reference
// and keep to the result file's widths.
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "exact_reference.hpp"
#include "text_formats/number_rendering.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 8) return 0;
    std::uint64_t bits;
    std::memcpy(&bits, data, 8);
    const double v = std::bit_cast<double>(bits);
    const std::string e5 = render_e(v, 14, 5);
    const std::string e4 = render_e(v, 14, 4);
    const std::string g5 = render_g(v, 12, 5);
    // Every result column starts with a blank.
    if (e5.size() != 14 || e4.size() != 14 || e5[0] != ' ' || e4[0] != ' ' || g5.size() < 12) std::abort();
    if (std::isnan(v)) {
        if (e5 != " -1.#IND0e+000" || e4 != "  -1.#INDe+000" || g5 != "     -1.#IND") std::abort();
        return 0;
    }
    if (e5 != reference_render_e(v, 14, 5) || e4 != reference_render_e(v, 14, 4) ||
        g5 != reference_render_g(v, 12, 5)) {
        std::abort();
    }
    return 0;
}
