// Runs a program with the given text on standard input and no terminal,
// several times; prints the best wall time and the largest peak memory.
// Usage: time_program RUNS FOLDER ANSWERS PROGRAM
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: time_program RUNS FOLDER ANSWERS PROGRAM\n");
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    const std::string answers = argv[3];
    double best = 1e300;
    long peak_kb = 0;
    for (int run = 0; run < runs; ++run) {
        int to_child[2];
        if (pipe(to_child) != 0) return 1;
        const auto start = std::chrono::steady_clock::now();
        const pid_t pid = fork();
        if (pid == 0) {
            setsid();
            dup2(to_child[0], 0);
            close(to_child[0]);
            close(to_child[1]);
            const int null = open("/dev/null", O_WRONLY);
            dup2(null, 1);
            if (chdir(argv[2]) != 0) _exit(126);
            execl(argv[4], argv[4], static_cast<char*>(nullptr));
            _exit(127);
        }
        close(to_child[0]);
        if (write(to_child[1], answers.data(), answers.size()) != static_cast<ssize_t>(answers.size())) return 1;
        close(to_child[1]);
        int status = 0;
        rusage usage{};
        wait4(pid, &status, 0, &usage);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            std::fprintf(stderr, "run failed with status %d\n", status);
            return 1;
        }
        if (seconds < best) best = seconds;
        if (usage.ru_maxrss > peak_kb) peak_kb = usage.ru_maxrss;
    }
    std::printf("%.3f s  %.1f MB\n", best, static_cast<double>(peak_kb) / 1024);
    return 0;
}
