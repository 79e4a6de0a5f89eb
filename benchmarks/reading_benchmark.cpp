// Reading a 1,000,000-point file: this program's reader against fscanf.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <random>

#include "text_formats/spectrum_table.hpp"

namespace {

// About 25 MB: frequency and amplitude as "%.6e" writes them.
std::FILE* million_point_file() {
    static std::FILE* file = [] {
        std::FILE* f = std::tmpfile();
        std::mt19937_64 rng(2);
        std::uniform_real_distribution<double> amplitude(1e-3, 10);
        for (int i = 0; i < max_points; ++i) std::fprintf(f, "%.6e %.6e\n", 1.0 + i * 0.02, amplitude(rng));
        return f;
    }();
    return file;
}

void BM_read_spectrum_table(benchmark::State& state) {
    std::FILE* f = million_point_file();
    const auto table = std::make_unique<spectrum_table>();
    for (auto _ : state) {
        std::rewind(f);
        read_spectrum_table(f, *table);
        benchmark::DoNotOptimize(table->last_index);
    }
}
BENCHMARK(BM_read_spectrum_table)->Unit(benchmark::kMillisecond);

void BM_fscanf_loop(benchmark::State& state) {
    std::FILE* f = million_point_file();
    const auto table = std::make_unique<spectrum_table>();
    for (auto _ : state) {
        std::rewind(f);
        int i = 0;
        while (i < max_points && std::fscanf(f, "%lf", &table->frequency[i]) == 1) {
            if (std::fscanf(f, "%lf", &table->amplitude[i]) != 1) table->amplitude[i] = 0.0;
            ++i;
        }
        table->last_index = i - 1;
        benchmark::DoNotOptimize(table->last_index);
    }
}
BENCHMARK(BM_fscanf_loop)->Unit(benchmark::kMillisecond);

}  // namespace
