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
