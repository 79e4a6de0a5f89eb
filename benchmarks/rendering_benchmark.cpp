// One result line's two numbers: this program's rendering against printf.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>
#include <vector>

#include "text_formats/number_rendering.hpp"

namespace {

// Frequencies as a sweep writes them, ratios spread over many decades.
std::vector<double> sample_values() {
    std::mt19937_64 rng(1);
    std::uniform_real_distribution<double> frequency(1, 20000);
    std::uniform_real_distribution<double> decade(-6, 6);
    std::vector<double> v;
    for (int i = 0; i < 4096; ++i) {
        v.push_back(frequency(rng));
        v.push_back(std::pow(10.0, decade(rng)));
    }
    return v;
}

void BM_render_line(benchmark::State& state) {
    const auto values = sample_values();
    char line[2 * render_capacity];
    std::size_t i = 0;
    for (auto _ : state) {
        int n = render_e(values[i], 14, 5, line);
        line[n++] = ' ';
        n += render_e(values[i + 1], 14, 4, line + n);
        benchmark::DoNotOptimize(line);
        benchmark::DoNotOptimize(n);
        i = (i + 2) % values.size();
    }
}
BENCHMARK(BM_render_line);

void BM_snprintf_line(benchmark::State& state) {
    const auto values = sample_values();
    char line[128];
    std::size_t i = 0;
    for (auto _ : state) {
        const int n = std::snprintf(line, sizeof line, "%14.5e %14.4e ", values[i], values[i + 1]);
        benchmark::DoNotOptimize(line);
        benchmark::DoNotOptimize(n);
        i = (i + 2) % values.size();
    }
}
BENCHMARK(BM_snprintf_line);

}  // namespace
