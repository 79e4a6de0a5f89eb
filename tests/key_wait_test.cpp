// The final key wait at a real (pseudo-)terminal.
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

#include "platform/key_sequence.hpp"
#include "program_runner.hpp"

namespace {

bool same_mode(const termios& a, const termios& b) {
    return a.c_iflag == b.c_iflag && a.c_oflag == b.c_oflag && a.c_cflag == b.c_cflag && a.c_lflag == b.c_lflag &&
           std::memcmp(a.c_cc, b.c_cc, sizeof a.c_cc) == 0;
}

// In the child of forkpty: runs the program on this terminal, then reports
// how it ended, whether the terminal's mode is as before, and how many
// bytes it left unread.
[[noreturn]] void run_and_report(const std::string& folder) {
    termios before;
    tcgetattr(0, &before);
    const pid_t pid = fork();
    if (pid == 0) {
        if (chdir(folder.c_str()) != 0) _exit(126);
        execl(FRQ_RATIO_PATH, "frq_ratio", static_cast<char*>(nullptr));
        _exit(127);
    }
    std::printf("@@pid=%d\n", static_cast<int>(pid));
    std::fflush(stdout);
    int status = 0;
    waitpid(pid, &status, 0);
    termios after;
    tcgetattr(0, &after);
    termios drain = after;
    drain.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
    drain.c_cc[VMIN] = 0;
    drain.c_cc[VTIME] = 3;
    tcsetattr(0, TCSANOW, &drain);
    int left = 0;
    char byte;
    while (read(0, &byte, 1) == 1) ++left;
    tcsetattr(0, TCSANOW, &after);
    std::printf("@@status=%d signal=%d mode=%s left=%d\n", WIFEXITED(status) ? WEXITSTATUS(status) : -1,
                WIFSIGNALED(status) ? WTERMSIG(status) : 0, same_mode(before, after) ? "same" : "changed", left);
    std::fflush(stdout);
    _exit(0);
}

class KeyWait : public ::testing::Test {
protected:
    void SetUp() override {
        folder = make_trace_folder();
        wrapper = forkpty(&master, nullptr, nullptr, nullptr);
        ASSERT_GE(wrapper, 0);
        if (wrapper == 0) run_and_report(folder);
    }
    void TearDown() override {
        close(master);
        int status = 0;
        waitpid(wrapper, &status, 0);
        remove_folder(folder);
    }

    void type(const std::string& bytes) const {
        ASSERT_EQ(write(master, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }

    // Reads the terminal until `text` shows, for at most ten seconds.
    bool read_until(const std::string& text) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (screen.find(text) == std::string::npos) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now())
                    .count();
            if (left <= 0) return false;
            pollfd p{master, POLLIN, 0};
            if (poll(&p, 1, static_cast<int>(left)) <= 0) continue;
            char buffer[4096];
            const ssize_t n = read(master, buffer, sizeof buffer);
            if (n <= 0) return false;
            screen.append(buffer, static_cast<std::size_t>(n));
        }
        return true;
    }

    // Answers the prompts and reads up to the key wait; returns the
    // program's process id.
    pid_t reach_key_wait() {
        type("resp.txt exc.txt out.txt\n");
        EXPECT_TRUE(read_until("Press any key to exit.\r\n\r\n")) << screen;
        const std::size_t at = screen.find("@@pid=");
        return at == std::string::npos ? -1 : std::atoi(screen.c_str() + at + 6);
    }

    // The report line after the program ended.
    std::string report() {
        EXPECT_TRUE(read_until("left=")) << screen;
        read_until("\n");
        const std::size_t at = screen.find("@@status=");
        return at == std::string::npos ? "" : screen.substr(at, screen.find('\r', at) - at);
    }

    std::string folder;
    int master = -1;
    pid_t wrapper = -1;
    std::string screen;
};

TEST_F(KeyWait, WaitsUntilAKeyEvenWithTheAnswersNewlineLeft) {
    reach_key_wait();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(screen.find("@@status"), std::string::npos) << "ended without a key";
    const std::size_t prompt_end = screen.size();
    type("q");
    EXPECT_EQ(report(), "@@status=0 signal=0 mode=same left=0");
    EXPECT_EQ(screen.find('q', prompt_end), std::string::npos) << "the key was echoed";
}

TEST_F(KeyWait, AnyKeyEndsTheWaitAndLeavesNothingBehind) {
    const char* const keys[] = {"\r", "\x03", "\x1b[A", "\x1bOP", "\x1b[15~", "\x1b[[A", "\xc3\xa9", "\x1b"};
    for (const char* key : keys) {
        SCOPED_TRACE(testing::PrintToString(std::string(key)));
        TearDown();
        screen.clear();
        SetUp();
        reach_key_wait();
        type(key);
        EXPECT_EQ(report(), "@@status=0 signal=0 mode=same left=0");
    }
}

TEST_F(KeyWait, TerminationSignalPutsTheTerminalBack) {
    const pid_t program = reach_key_wait();
    ASSERT_GT(program, 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    kill(program, SIGTERM);
    EXPECT_EQ(report(), "@@status=-1 signal=15 mode=same left=0");
}

TEST(KeySequence, WholeKeys) {
    struct row {
        std::string bytes;
        key_bytes status;
    };
    const row table[] = {
        {"", key_bytes::incomplete},
        {"a", key_bytes::complete},
        {"\r", key_bytes::complete},
        {"\x03", key_bytes::complete},
        {"\x1b", key_bytes::incomplete},
        {"\x1b[", key_bytes::incomplete},
        {"\x1b[1", key_bytes::incomplete},
        {"\x1b[1;5", key_bytes::incomplete},
        {"\x1b[1;5A", key_bytes::complete},
        {"\x1b[A", key_bytes::complete},
        {"\x1b[15~", key_bytes::complete},
        {"\x1b[[", key_bytes::incomplete},
        {"\x1b[[A", key_bytes::complete},
        {"\x1bO", key_bytes::incomplete},
        {"\x1bOP", key_bytes::complete},
        {"\x1bx", key_bytes::complete},
        {"\xc3", key_bytes::incomplete},
        {"\xc3\xa9", key_bytes::complete},
        {"\xe2\x82", key_bytes::incomplete},
        {"\xe2\x82\xac", key_bytes::complete},
        {"\xc3x", key_bytes::complete},
        {"\xff", key_bytes::complete},
        {"\x1b[" + std::string(40, '1'), key_bytes::complete},
    };
    for (const auto& r : table) {
        EXPECT_EQ(
            scan_key_bytes(reinterpret_cast<const unsigned char*>(r.bytes.data()), static_cast<int>(r.bytes.size())),
            r.status)
            << testing::PrintToString(r.bytes);
    }
}

TEST(KeySequence, WindowsKeys) {
    struct row {
        const char* what;
        bool down;
        unsigned virtual_key;
        unsigned character;
        bool ends;
    };
    const row table[] = {
        {"letter", true, 0x41, 'a', true},
        {"letter released", false, 0x41, 'a', false},
        {"Enter", true, 0x0d, '\r', true},
        {"Escape", true, 0x1b, 0x1b, true},
        {"Ctrl+C", true, 0x43, 3, true},
        {"character from a key without a code", true, 0, 0xe9, true},
        {"F1", true, 0x70, 0, true},
        {"F12", true, 0x7b, 0, true},
        {"F13", true, 0x7c, 0, false},
        {"left arrow", true, 0x25, 0, true},
        {"down arrow", true, 0x28, 0, true},
        {"Home", true, 0x24, 0, true},
        {"End", true, 0x23, 0, true},
        {"Page Up", true, 0x21, 0, true},
        {"Page Down", true, 0x22, 0, true},
        {"Insert", true, 0x2d, 0, true},
        {"Delete", true, 0x2e, 0, true},
        {"Delete released", false, 0x2e, 0, false},
        {"Shift", true, 0x10, 0, false},
        {"Ctrl", true, 0x11, 0, false},
        {"Alt", true, 0x12, 0, false},
        {"Caps Lock", true, 0x14, 0, false},
        {"Num Lock", true, 0x90, 0, false},
        {"Scroll Lock", true, 0x91, 0, false},
        {"left Windows", true, 0x5b, 0, false},
        {"right Windows", true, 0x5c, 0, false},
        {"menu", true, 0x5d, 0, false},
        {"left Shift", true, 0xa0, 0, false},
        {"right Alt", true, 0xa5, 0, false},
        {"Pause", true, 0x13, 0, false},
    };
    for (const auto& r : table) EXPECT_EQ(windows_key_ends_wait(r.down, r.virtual_key, r.character), r.ends) << r.what;
}

}  // namespace
