#pragma once
// A spectrum as read from a two-column text file: frequency in Hz and
// amplitude, numbers separated by white space and taken two at a time.

#include <cstdint>
#include <cstdio>

constexpr std::int32_t max_points = 1000000;

// Storage for the largest table, fixed for the whole run. Keep instances in
// static storage: every element starts as 0.0 and untouched pages cost
// nothing.
struct spectrum_table {
    double frequency[max_points];
    double amplitude[max_points];
    std::int32_t last_index = -1;  // point count minus one; -1 when empty
};

// Reads points from the stream's current position until a record cannot
// start with a number, the stream ends (a read error counts as the end) or
// max_points records are in. A record whose amplitude fails to read still
// counts, with amplitude 0.0. Reports nothing; neither rewinds nor closes.
void read_spectrum_table(std::FILE* input, spectrum_table& table);

inline std::int32_t point_count(const spectrum_table& table) { return table.last_index + 1; }
inline double first_frequency(const spectrum_table& table) { return table.frequency[0]; }
inline double last_frequency(const spectrum_table& table) {
    return table.last_index >= 0 ? table.frequency[table.last_index] : 0.0;
}
