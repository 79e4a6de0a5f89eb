#pragma once
// The spectrum file grammar read character by character from a string in
// memory, each number converted by the exact reference: slow and plain.

#include <string>
#include <vector>

struct reference_point {
    double frequency;
    double amplitude;
};

// At most 1,000,000 points, as the reader takes them.
std::vector<reference_point> reference_read(const std::string& bytes);
