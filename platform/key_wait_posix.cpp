#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <iterator>

#include "platform/key_sequence.hpp"
#include "platform/key_wait.hpp"

namespace {

// How long the rest of an escape sequence may take to arrive; a lone
// Escape key sends nothing more.
constexpr int sequence_gap_ms = 50;

// What a termination signal needs to put the terminal back.
volatile std::sig_atomic_t switched_terminal = -1;
termios saved_mode;

constexpr int termination_signals[] = {SIGTERM, SIGHUP, SIGQUIT};

extern "C" void restore_terminal_and_end(int signal_number) {
    if (switched_terminal >= 0) tcsetattr(switched_terminal, TCSANOW, &saved_mode);
    // The handler was installed to reset itself: this ends the process as
    // the signal would have.
    raise(signal_number);
}

bool read_byte(int fd, unsigned char& byte) {
    for (;;) {
        const ssize_t got = read(fd, &byte, 1);
        if (got == 1) return true;
        if (got < 0 && errno == EINTR) continue;
        return false;
    }
}

bool byte_arrives_soon(int fd) {
    pollfd p{fd, POLLIN, 0};
    for (;;) {
        const int ready = poll(&p, 1, sequence_gap_ms);
        if (ready < 0 && errno == EINTR) continue;
        return ready > 0 && (p.revents & POLLIN) != 0;
    }
}

// Reads one key, the whole of its byte sequence.
void read_one_key(int fd) {
    unsigned char bytes[max_key_bytes];
    int count = 0;
    if (!read_byte(fd, bytes[count])) return;
    ++count;
    while (scan_key_bytes(bytes, count) == key_bytes::incomplete && byte_arrives_soon(fd)) {
        if (!read_byte(fd, bytes[count])) return;
        ++count;
    }
}

}  // namespace

void wait_for_key() {
    const int fd = open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios mode;
    if (fd < 0 || tcgetattr(fd, &mode) != 0) {
        if (fd >= 0) close(fd);
        std::fflush(stdout);
        return;
    }
    saved_mode = mode;

    struct sigaction restore {};
    restore.sa_handler = restore_terminal_and_end;
    sigemptyset(&restore.sa_mask);
    restore.sa_flags = SA_RESETHAND;
    struct sigaction previous[std::size(termination_signals)];
    for (std::size_t i = 0; i < std::size(termination_signals); ++i) {
        sigaction(termination_signals[i], &restore, &previous[i]);
    }

    // No line input, no echo, no signal keys (Ctrl+C is a key here), no
    // flow control. TCSANOW keeps what was typed ahead.
    termios raw = mode;
    raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | ISIG | IEXTEN);
    raw.c_iflag &= ~static_cast<tcflag_t>(IXON);
    raw.c_cc[VMIN] = 1;
    raw.c_cc[VTIME] = 0;
    switched_terminal = fd;
    const bool switched = tcsetattr(fd, TCSANOW, &raw) == 0;
    // Only now may the prompt show: a key pressed as soon as it appears
    // (Ctrl+C too) must find the terminal switched.
    std::fflush(stdout);
    if (switched) read_one_key(fd);

    tcsetattr(fd, TCSANOW, &saved_mode);
    switched_terminal = -1;
    for (std::size_t i = 0; i < std::size(termination_signals); ++i) {
        sigaction(termination_signals[i], &previous[i], nullptr);
    }
    close(fd);
}
