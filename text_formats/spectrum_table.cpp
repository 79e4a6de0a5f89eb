#include "text_formats/spectrum_table.hpp"

#include <cstdint>
#include <cstring>
#include <memory>

#include "text_formats/decimal_to_double.hpp"

namespace {

// A number's text is cut after this many characters (its sign not counted).
constexpr int max_number_length = 349;
// Room to see a whole number and the character that ends it.
constexpr std::size_t lookahead = max_number_length + 2;
constexpr std::size_t block_size = std::size_t{1} << 20;

struct block_reader {
    std::FILE* input;
    char* buffer;  // block_size + lookahead bytes
    std::size_t pos;
    std::size_t end;
    bool at_end;  // the stream has nothing more to give
};

// Keeps the unread bytes and reads more behind them, until at least
// `wanted` bytes are unread or the stream ends.
void refill(block_reader& r, std::size_t wanted) {
    const std::size_t unread = r.end - r.pos;
    std::memmove(r.buffer, r.buffer + r.pos, unread);
    r.pos = 0;
    r.end = unread;
    while (!r.at_end && r.end < wanted) {
        const std::size_t got = std::fread(r.buffer + r.end, 1, block_size + lookahead - r.end, r.input);
        r.end += got;
        if (got == 0) r.at_end = true;  // end of file or a read error
    }
}


bool is_space(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool is_digit(char c) { return c >= '0' && c <= '9'; }

// One attempt at a number. On success stores it and returns true; on
// failure leaves behind whatever sign or point it took.
bool read_number(block_reader& r, double& out) {
    for (;;) {
        while (r.pos < r.end && is_space(r.buffer[r.pos])) ++r.pos;
        if (r.pos < r.end) break;
        if (r.at_end) return false;
        refill(r, 1);
    }
    if (r.end - r.pos < lookahead && !r.at_end) refill(r, lookahead);

    const char* p = r.buffer + r.pos;
    const char* const end = r.buffer + r.end;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = *p++ == '-';
    const char* const start = p;
    const char* const limit = end - start > max_number_length ? start + max_number_length : end;

    // While scanning, gather the digits of plain numbers: up to 19 digits
    // and a small exponent convert here with one exact operation.
    std::uint64_t digits_value = 0;
    int digit_count = 0;
    int fraction_digits = 0;
    while (p < limit && is_digit(*p)) digits_value = digits_value * 10 + static_cast<std::uint64_t>(*p++ - '0'), ++digit_count;
    if (p < limit && *p == '.') {
        ++p;
        const char* const fraction = p;
        while (p < limit && is_digit(*p)) digits_value = digits_value * 10 + static_cast<std::uint64_t>(*p++ - '0');
        fraction_digits = static_cast<int>(p - fraction);
        digit_count += fraction_digits;
    }
    if (digit_count == 0) {
        r.pos = static_cast<std::size_t>(p - r.buffer);
        return false;
    }
    int exponent = 0;
    bool exponent_small = true;
    if (p < limit && (*p == 'e' || *p == 'E')) {
        ++p;
        bool exponent_negative = false;
        if (p < limit && (*p == '+' || *p == '-')) exponent_negative = *p++ == '-';
        const char* const exponent_digits = p;
        for (; p < limit && is_digit(*p); ++p) {
            if (p - exponent_digits < 4) exponent = exponent * 10 + (*p - '0');
        }
        exponent_small = p - exponent_digits <= 4;
        if (exponent_negative) exponent = -exponent;
    }
    r.pos = static_cast<std::size_t>(p - r.buffer);
    double magnitude;
    if (!(digit_count <= 19 && exponent_small && small_decimal_to_double(digits_value, exponent - fraction_digits, magnitude))) {
        magnitude = decimal_to_double(start, p);
    }
    out = negative ? -magnitude : magnitude;
    return true;
}

}  // namespace

void read_spectrum_table(std::FILE* input, spectrum_table& table) {
    const std::unique_ptr<char[]> buffer(new char[block_size + lookahead]);
    block_reader r{input, buffer.get(), 0, 0, false};
    std::int32_t i = 0;
    while (i < max_points) {
        if (!read_number(r, table.frequency[i])) break;
        if (!read_number(r, table.amplitude[i])) table.amplitude[i] = 0.0;
        ++i;
    }
    table.last_index = i - 1;
}
