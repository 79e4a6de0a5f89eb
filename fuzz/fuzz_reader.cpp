// Arbitrary bytes as a spectrum file: the reader stays within the table and
// agrees with the plain grammar and the exact conversion on every point.
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "reference_reader.hpp"
#include "text_formats/spectrum_table.hpp"

namespace {

bool same(double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const auto table = std::make_unique<spectrum_table>();
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::FILE* f = std::tmpfile();
    if (f == nullptr) return 0;
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::rewind(f);
    read_spectrum_table(f, *table);
    std::fclose(f);

    const auto want = reference_read(bytes);
    if (table->last_index < -1 || table->last_index >= max_points) std::abort();
    if (static_cast<std::size_t>(table->last_index + 1) != want.size()) std::abort();
    for (std::size_t i = 0; i < want.size(); ++i) {
        if (!same(table->frequency[i], want[i].frequency) || !same(table->amplitude[i], want[i].amplitude))
            std::abort();
    }
    return 0;
}
