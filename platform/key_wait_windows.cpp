#include <windows.h>

#include <cstdio>

#include "platform/key_sequence.hpp"
#include "platform/key_wait.hpp"

void wait_for_key() {
    // The console's own input, not standard input, which may be a pipe.
    const HANDLE console = CreateFileW(L"CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                       nullptr, OPEN_EXISTING, 0, nullptr);
    DWORD mode = 0;
    if (console == INVALID_HANDLE_VALUE || GetConsoleMode(console, &mode) == 0) {
        if (console != INVALID_HANDLE_VALUE) CloseHandle(console);
        std::fflush(stdout);
        return;
    }
    // No line input, no echo, and Ctrl+C an ordinary key.
    const bool switched = SetConsoleMode(console, mode & ~static_cast<DWORD>(ENABLE_LINE_INPUT | ENABLE_ECHO_INPUT |
                                                                             ENABLE_PROCESSED_INPUT)) != 0;
    std::fflush(stdout);  // the prompt shows once a key can be taken
    for (;;) {
        INPUT_RECORD record;
        DWORD count = 0;
        if (!switched || ReadConsoleInputW(console, &record, 1, &count) == 0 || count == 0) break;
        if (record.EventType != KEY_EVENT) continue;
        const KEY_EVENT_RECORD& key = record.Event.KeyEvent;
        if (windows_key_ends_wait(key.bKeyDown != 0, key.wVirtualKeyCode, key.uChar.UnicodeChar)) break;
    }
    SetConsoleMode(console, mode);
    CloseHandle(console);
}
