#pragma once
// The result file: one line per divided point, written through a large
// buffer. Each line is the frequency as "%14.5e", a blank, the ratio as
// "%14.4e", a blank, and a carriage return with a line feed.

#include <cstddef>
#include <cstdio>
#include <memory>

struct result_point {
    double frequency;
    double ratio;
};

struct result_writer {
    std::FILE* stream;
    std::unique_ptr<char[]> buffer;
    std::size_t used;
    bool failed;  // some bytes did not reach the stream
};

result_writer start_result(std::FILE* stream);
void write_result_point(result_writer& out, result_point point);
// Hands every buffered byte to the stream and flushes it; true when all of
// them were written.
bool finish_result(result_writer& out);
