#pragma once
// The division pass: for each excitation point, in file order, the response
// amplitude at its frequency (a response point within match_tolerance, or
// linear interpolation between the two response points around it) divided
// by the excitation amplitude, written as one result line.

#include "division/result_file.hpp"
#include "text_formats/spectrum_table.hpp"

constexpr double match_tolerance = 0.0001;  // Hz
constexpr double amplitude_floor = 1e-50;

// The search for each excitation point starts at the response point that
// gave the previous line and never moves back. Where the response
// frequencies ascend the first matching response point is found by search;
// otherwise by scanning, point by point. Both give the same lines.
void divide_spectra(const spectrum_table& response, const spectrum_table& excitation, result_writer& out);

// Whether every response frequency is at most the next one.
bool frequencies_ascend(const spectrum_table& table);
