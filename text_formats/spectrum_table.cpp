#include "text_formats/spectrum_table.hpp"

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

    bool any_digit = false;
    while (p < limit && is_digit(*p)) ++p, any_digit = true;
    if (p < limit && *p == '.') {
        ++p;
        while (p < limit && is_digit(*p)) ++p, any_digit = true;
    }
    if (!any_digit) {
        r.pos = static_cast<std::size_t>(p - r.buffer);
        return false;
    }
    if (p < limit && (*p == 'e' || *p == 'E')) {
        ++p;
        if (p < limit && (*p == '+' || *p == '-')) ++p;
        while (p < limit && is_digit(*p)) ++p;
    }
    r.pos = static_cast<std::size_t>(p - r.buffer);
    const double magnitude = decimal_to_double(start, p);
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
