#include "platform/key_sequence.hpp"

namespace {

constexpr unsigned char escape = 0x1b;

// Bytes a UTF-8 character takes, from its first byte.
int utf8_length(unsigned char first) {
    if (first >= 0xc2 && first <= 0xdf) return 2;
    if (first >= 0xe0 && first <= 0xef) return 3;
    if (first >= 0xf0 && first <= 0xf4) return 4;
    return 1;
}

bool is_continuation(unsigned char b) { return (b & 0xc0) == 0x80; }

}  // namespace

key_bytes scan_key_bytes(const unsigned char* bytes, int count) {
    if (count <= 0) return key_bytes::incomplete;
    if (count >= max_key_bytes) return key_bytes::complete;
    if (bytes[0] != escape) {
        const int length = utf8_length(bytes[0]);
        for (int i = 1; i < count && i < length; ++i) {
            if (!is_continuation(bytes[i])) return key_bytes::complete;  // not UTF-8 after all
        }
        return count >= length ? key_bytes::complete : key_bytes::incomplete;
    }
    if (count == 1) return key_bytes::incomplete;
    if (bytes[1] == '[') {
        // CSI: parameters, then one final byte from '@' to '~'. The Linux
        // console sends F1 to F5 as ESC [ [ and a letter.
        int i = 2;
        if (count > 2 && bytes[2] == '[') return count >= 4 ? key_bytes::complete : key_bytes::incomplete;
        for (; i < count; ++i) {
            if (bytes[i] >= 0x40 && bytes[i] <= 0x7e) return key_bytes::complete;
        }
        return key_bytes::incomplete;
    }
    if (bytes[1] == 'O') return count >= 3 ? key_bytes::complete : key_bytes::incomplete;  // SS3: F1-F4, keypad
    return key_bytes::complete;  // Alt with a key, or Escape then another key
}

bool windows_key_ends_wait(bool key_down, unsigned virtual_key, unsigned character) {
    if (!key_down) return false;
    if (character != 0) return true;
    // Virtual-key codes of the special keys.
    constexpr unsigned page_up = 0x21;  // then Page Down, End, Home, the arrows
    constexpr unsigned down_arrow = 0x28;
    constexpr unsigned insert = 0x2d;
    constexpr unsigned delete_key = 0x2e;
    constexpr unsigned f1 = 0x70;
    constexpr unsigned f12 = 0x7b;
    return (virtual_key >= page_up && virtual_key <= down_arrow) || virtual_key == insert ||
           virtual_key == delete_key || (virtual_key >= f1 && virtual_key <= f12);
}
