#pragma once
// Whether the bytes read so far from a terminal make up one whole key. A
// special key sends an escape sequence and a letter outside ASCII several
// bytes; the wait reads the whole of it so that nothing is left behind.

enum class key_bytes { incomplete, complete };

// Longest sequence worth waiting for; a longer one is taken as complete.
constexpr int max_key_bytes = 32;

// bytes[0, count): what the terminal has sent since the wait began.
// A lone Escape stays incomplete: only the caller's short timeout tells it
// from the start of a sequence.
key_bytes scan_key_bytes(const unsigned char* bytes, int count);

// A Windows console key event: whether it ends the wait. Only a key going
// down ends it, when it yields a character or is one of the special keys
// (F1 to F12, the arrows, Home, End, Page Up, Page Down, Insert, Delete).
// Shift, Ctrl, Alt, the lock keys, the Windows and menu keys alone do not.
bool windows_key_ends_wait(bool key_down, unsigned virtual_key, unsigned character);
