#include "division/result_file.hpp"

#include "text_formats/number_rendering.hpp"

namespace {

constexpr std::size_t buffer_size = std::size_t{1} << 20;
// Room one line can take at the most.
constexpr std::size_t longest_line = 2 * render_capacity + 4;

void drain(result_writer& out) {
    if (out.used != 0 && std::fwrite(out.buffer.get(), 1, out.used, out.stream) != out.used) out.failed = true;
    out.used = 0;
}

}  // namespace

result_writer start_result(std::FILE* stream) {
    return result_writer{stream, std::unique_ptr<char[]>(new char[buffer_size]), 0, false};
}

void write_result_point(result_writer& out, result_point point) {
    if (buffer_size - out.used < longest_line) drain(out);
    char* const line = out.buffer.get() + out.used;
    char* p = line;
    p += render_e(point.frequency, 14, 5, p);
    *p++ = ' ';
    p += render_e(point.ratio, 14, 4, p);
    *p++ = ' ';
    *p++ = '\r';  // text lines end the same on every platform
    *p++ = '\n';
    out.used += static_cast<std::size_t>(p - line);
}

bool finish_result(result_writer& out) {
    drain(out);
    if (std::fflush(out.stream) != 0) out.failed = true;
    return !out.failed;
}
