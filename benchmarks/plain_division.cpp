// The same job done the plain way, for comparison only: fscanf to read,
// a scan of the response for every excitation point, fprintf to write.
#include <cmath>
#include <cstdio>

namespace {

constexpr int max_points = 1000000;
double fr[max_points], ar[max_points], fe[max_points], ae[max_points];

int read_table(const char* name, double* f, double* a) {
    std::FILE* in = std::fopen(name, "rb");
    if (in == nullptr) return -1;
    int i = 0;
    while (i < max_points && std::fscanf(in, "%lf", &f[i]) == 1) {
        if (std::fscanf(in, "%lf", &a[i]) != 1) a[i] = 0.0;
        ++i;
    }
    std::fclose(in);
    return i - 1;
}

}  // namespace

int main() {
    char names[3][256];
    for (auto& name : names) {
        if (std::scanf("%255s", name) != 1) return 1;
    }
    const int nr = read_table(names[0], fr, ar);
    const int ne = read_table(names[1], fe, ae);
    std::FILE* out = std::fopen(names[2], "w");
    if (nr < -1 || ne < -1 || out == nullptr) return 1;
    int start = 0;
    for (int j = 0; j <= ne; ++j) {
        for (int k = start; k <= nr; ++k) {
            if (std::fabs(fr[k] - fe[j]) < 0.0001 && std::fabs(ae[j]) > 1e-50) {
                std::fprintf(out, "%14.5e %14.4e \r\n", fe[j], ar[k] / ae[j]);
                start = k;
                break;
            }
            if (k < nr && std::fabs(ae[j]) > 1e-50 && fr[k] < fe[j] && fe[j] < fr[k + 1]) {
                const double t = (fe[j] - fr[k]) / (fr[k + 1] - fr[k]);
                std::fprintf(out, "%14.5e %14.4e \r\n", fe[j], ((1 - t) * ar[k] + t * ar[k + 1]) / ae[j]);
                start = k;
                break;
            }
        }
    }
    return std::fclose(out) == 0 ? 0 : 1;
}
