#pragma once
// The division pass exactly as first written: a scan from the search start
// to the end of the response for every excitation point.

#include <vector>

struct spectrum_point {
    double frequency;
    double amplitude;
};

struct plain_line {
    double frequency;
    double ratio;
};

std::vector<plain_line> plain_pass(const std::vector<spectrum_point>& response,
                                   const std::vector<spectrum_point>& excitation);
