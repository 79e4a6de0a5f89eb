// Writes 1,000,000-point response and excitation files for the whole-run
// benchmark. Usage: make_spectrum_files typical|below|zeros FOLDER
//   typical: every excitation point inside the response
//   below:   half the excitation points below the response's first frequency
//   zeros:   every other excitation amplitude zero
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_spectrum_files typical|below|zeros FOLDER\n");
        return 2;
    }
    const std::string kind = argv[1];
    const std::string folder = argv[2];
    constexpr int points = 1000000;
    std::mt19937_64 rng(42);
    std::uniform_real_distribution<double> amplitude(1e-3, 10);

    std::FILE* response = std::fopen((folder + "/response.txt").c_str(), "wb");
    std::FILE* excitation = std::fopen((folder + "/excitation.txt").c_str(), "wb");
    if (response == nullptr || excitation == nullptr) return 1;
    for (int i = 0; i < points; ++i) std::fprintf(response, "%.6e %.6e\n", 1.0 + i * 0.01, amplitude(rng));
    for (int i = 0; i < points; ++i) {
        double f = 1.005 + i * 0.01;
        double a = amplitude(rng);
        if (kind == "below" && i < points / 2) f = 0.0001 + i * 1e-6;
        if (kind == "zeros" && i % 2 == 1) a = 0.0;
        std::fprintf(excitation, "%.6e %.6e\n", f, a);
    }
    return std::fclose(response) == 0 && std::fclose(excitation) == 0 ? 0 : 1;
}
