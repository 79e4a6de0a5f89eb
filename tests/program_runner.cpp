#include "program_runner.hpp"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

std::string make_temp_folder() {
    char pattern[] = "/tmp/frq_ratio_test_XXXXXX";
    if (mkdtemp(pattern) == nullptr) throw std::runtime_error("mkdtemp failed");
    return pattern;
}

std::string make_trace_folder() {
    const std::string folder = make_temp_folder();
    write_file(folder + "/resp.txt", "10 1\n20 3\n30 5\n");
    write_file(folder + "/exc.txt", "15 1\n25 2\n");
    return folder;
}

void remove_folder(const std::string& folder) { std::filesystem::remove_all(folder); }

void write_file(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

bool file_exists(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

program_run run_program(const std::string& folder, const std::string& answers) {
    std::signal(SIGPIPE, SIG_IGN);  // the program may stop reading early
    int to_child[2];
    int from_child[2];
    if (pipe(to_child) != 0 || pipe(from_child) != 0) throw std::runtime_error("pipe failed");
    const pid_t pid = fork();
    if (pid == 0) {
        setsid();  // no controlling terminal: the key wait must not block
        dup2(to_child[0], 0);
        dup2(from_child[1], 1);
        close(to_child[0]);
        close(to_child[1]);
        close(from_child[0]);
        close(from_child[1]);
        if (chdir(folder.c_str()) != 0) _exit(126);
        if (const char* windows_exe = std::getenv("FRQ_RATIO_WINDOWS_EXE")) {
            execlp("wine", "wine", windows_exe, static_cast<char*>(nullptr));
        } else {
            execl(FRQ_RATIO_PATH, "frq_ratio", static_cast<char*>(nullptr));
        }
        _exit(127);
    }
    close(to_child[0]);
    close(from_child[1]);
    std::size_t sent = 0;
    while (sent < answers.size()) {
        const ssize_t n = write(to_child[1], answers.data() + sent, answers.size() - sent);
        if (n <= 0) break;
        sent += static_cast<std::size_t>(n);
    }
    close(to_child[1]);
    program_run run{"", -1};
    char buffer[65536];
    for (;;) {
        const ssize_t n = read(from_child[0], buffer, sizeof buffer);
        if (n <= 0) break;
        run.output.append(buffer, static_cast<std::size_t>(n));
    }
    close(from_child[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (WIFEXITED(status)) run.exit_status = WEXITSTATUS(status);
    if (std::getenv("FRQ_RATIO_WINDOWS_EXE") != nullptr) {
        // Standard output is text: on Windows each line feed arrives as a
        // carriage return and a line feed.
        std::string text;
        for (std::size_t i = 0; i < run.output.size(); ++i) {
            if (!(run.output[i] == '\r' && i + 1 < run.output.size() && run.output[i + 1] == '\n'))
                text += run.output[i];
        }
        run.output = text;
    }
    return run;
}
