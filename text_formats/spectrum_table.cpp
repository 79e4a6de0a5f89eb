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
    char* buffer;  // block_size + lookahead bytes, and one for the end mark
    std::size_t pos;
    std::size_t end;  // buffer[end] is always a NUL: no number goes past it
    bool at_end;      // the stream has nothing more to give
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
    r.buffer[r.end] = '\0';
}

bool is_space(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool is_digit(char c) { return c >= '0' && c <= '9'; }

const char* skip_digits(const char* p) {
    while (is_digit(*p)) ++p;
    return p;
}

// The end of a number text that starts at `start` and holds digits, with
// the text cut at max_number_length characters.
const char* cut_number_end(const char* start) {
    const char* const limit = start + max_number_length;
    const char* p = start;
    while (p < limit && is_digit(*p)) ++p;
    if (p < limit && *p == '.') {
        ++p;
        while (p < limit && is_digit(*p)) ++p;
    }
    if (p < limit && (*p == 'e' || *p == 'E')) {
        ++p;
        if (p < limit && (*p == '+' || *p == '-')) ++p;
        while (p < limit && is_digit(*p)) ++p;
    }
    return p;
}

// One attempt at a number. On success stores it and returns true; on
// failure leaves behind whatever sign or point it took.
bool read_number(block_reader& r, double& out) {
    for (;;) {
        while (is_space(r.buffer[r.pos])) ++r.pos;  // the NUL mark stops this
        if (r.pos < r.end) break;
        if (r.at_end) return false;
        refill(r, 1);
    }
    if (r.end - r.pos < lookahead && !r.at_end) refill(r, lookahead);

    // The end mark stops every loop here; only a text longer than the cut
    // needs a second look.
    const char* p = r.buffer + r.pos;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = *p++ == '-';
    const char* const start = p;

    // While scanning, gather the digits of plain numbers: up to 19 digits
    // and a small exponent convert with one exact operation.
    std::uint64_t digits_value = 0;
    for (; is_digit(*p); ++p) digits_value = digits_value * 10 + static_cast<std::uint64_t>(*p - '0');
    int digit_count = static_cast<int>(p - start);
    int fraction_digits = 0;
    if (*p == '.') {
        const char* const fraction = ++p;
        for (; is_digit(*p); ++p) digits_value = digits_value * 10 + static_cast<std::uint64_t>(*p - '0');
        fraction_digits = static_cast<int>(p - fraction);
        digit_count += fraction_digits;
    }
    if (digit_count == 0) {
        r.pos = static_cast<std::size_t>(p - r.buffer);
        return false;
    }
    int exponent = 0;
    const char* exponent_digits = p;
    if (*p == 'e' || *p == 'E') {
        ++p;
        bool exponent_negative = false;
        if (*p == '+' || *p == '-') exponent_negative = *p++ == '-';
        exponent_digits = p;
        for (; is_digit(*p) && p - exponent_digits < 4; ++p) exponent = exponent * 10 + (*p - '0');
        p = skip_digits(p);
        if (exponent_negative) exponent = -exponent;
    }
    double magnitude;
    if (p - start > max_number_length) {
        p = cut_number_end(start);
        magnitude = decimal_to_double(start, p);
    } else if (digit_count > 19 || p - exponent_digits > 4 ||
               !small_decimal_to_double(digits_value, exponent - fraction_digits, magnitude)) {
        magnitude = decimal_to_double(start, p);
    }
    r.pos = static_cast<std::size_t>(p - r.buffer);
    out = negative ? -magnitude : magnitude;
    return true;
}

}  // namespace

void read_spectrum_table(std::FILE* input, spectrum_table& table) {
    const std::unique_ptr<char[]> buffer(new char[block_size + lookahead + 1]);
    block_reader r{input, buffer.get(), 0, 0, false};
    buffer[0] = '\0';
    std::int32_t i = 0;
    while (i < max_points) {
        if (!read_number(r, table.frequency[i])) break;
        if (!read_number(r, table.amplitude[i])) table.amplitude[i] = 0.0;
        ++i;
    }
    table.last_index = i - 1;
}
