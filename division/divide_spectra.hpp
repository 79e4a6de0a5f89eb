#pragma once
// The division pass: for each excitation point, in file order, the response
// amplitude at its frequency (a response point within match_tolerance, or
// linear interpolation between the two response points around it) divided
// by the excitation amplitude, written as one result line.

#include <cstdint>

#include "division/result_file.hpp"
#include "text_formats/spectrum_table.hpp"

constexpr double match_tolerance = 0.0001;  // Hz
constexpr double amplitude_floor = 1e-50;

// Writes one line per excitation point that finds a value, in file order.
void divide_spectra(const spectrum_table& response, const spectrum_table& excitation, result_writer& out);

// Where the search for the next excitation point begins: at the response
// point that gave the previous line; it never moves back.
struct division_state {
    std::int32_t search_start;
    bool ascending;  // response frequencies never descend: search, not scan
};

division_state start_division(const spectrum_table& response);

// One excitation point (frequency f, amplitude a): true and the ratio when
// it finds a value, and then the search start moves to the response point
// that gave it. Where the response ascends the first matching point is found
// by search, otherwise point by point; both find the same point.
bool divide_point(const spectrum_table& response, division_state& state, double f, double a, double& ratio);
