// frq_ratio: divides a response spectrum by an excitation spectrum.
// The entry and the console dialogue.

#include <cstdio>
#include <string>

#include "division/divide_spectra.hpp"
#include "platform/file_access.hpp"
#include "platform/key_wait.hpp"
#include "text_formats/number_rendering.hpp"
#include "text_formats/spectrum_table.hpp"

namespace {

// Reserved for the whole run before the dialogue starts; zero pages cost
// nothing until they are touched.
spectrum_table response_table;
spectrum_table excitation_table;

void say(const char* text) { std::fputs(text, stdout); }

// A name is written as typed, never through a format string.
void say(const std::string& text) { std::fwrite(text.data(), 1, text.size(), stdout); }

void say_count(std::int32_t count) { say(std::to_string(static_cast<long>(count))); }

void say_frequency(double frequency) {
    char text[render_capacity];
    std::fwrite(text, 1, static_cast<std::size_t>(render_g(frequency, 12, 5, text)), stdout);
}

bool is_answer_space(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

// One answer: leading white space skipped, then the run up to the next
// white space, which stays unread. Empty when input ends first.
std::string name_answer() {
    std::fflush(stdout);  // the prompt must be visible before the answer
    int c = std::getchar();
    while (c != EOF && is_answer_space(c)) c = std::getchar();
    std::string name;
    while (c != EOF && !is_answer_space(c)) {
        name += static_cast<char>(c);
        c = std::getchar();
    }
    if (c != EOF) std::ungetc(c, stdin);
    return name;
}

// A name holding a NUL byte would open a file other than the one typed.
bool usable_name(const std::string& name) { return name.find('\0') == std::string::npos; }

std::FILE* open_input(const std::string& name) { return usable_name(name) ? open_input_file(name) : nullptr; }

struct open_files {
    std::FILE* input[2];
    std::FILE* result;
};

void close_all(open_files& files) {
    for (std::FILE*& f : files.input) {
        if (f != nullptr) std::fclose(f);
        f = nullptr;
    }
    if (files.result != nullptr) std::fclose(files.result);
    files.result = nullptr;
}

// Every run ends here: the prompt, the files closed, the key wait.
int end_after_key(open_files& files, int exit_status) {
    say("\n Press any key to exit.\n\n");
    close_all(files);
    wait_for_key();
    return exit_status;
}

// The failure path: the message naming the file, then exit status 1.
int fail(open_files& files, const char* message, const std::string& name) {
    say(message);
    say(name);
    say(" \n");
    return end_after_key(files, 1);
}

void report_statistics(const char* heading, const spectrum_table& table, const char* ending_tail) {
    say(heading);
    say("\n number of points   = ");
    say_count(point_count(table));
    say(" ");
    say("\n starting frequency = ");
    say_frequency(first_frequency(table));
    say("\n ending frequency   = ");
    say_frequency(last_frequency(table));
    say(ending_tail);
}

}  // namespace

int main() {
    // Fully buffered even at a console: output shows when the dialogue
    // flushes it, before each answer and once the key wait is ready.
    static char output_buffer[1 << 16];
    std::setvbuf(stdout, output_buffer, _IOFBF, sizeof output_buffer);

    say("\n\n frq_ratio  ver 1.2 \n October 29, 2003\n");
    say(" Credits: written for the engineers who measure what shakes.\n");
    say("\n\n This program divides a response function by an input function. \n");
    say("\n Each program must have two columns: frequency (Hz) & amplitude. \n");

    open_files files{{nullptr, nullptr}, nullptr};
    std::string input_name[2];
    say("\n\n Enter the name of the response file. \n");
    input_name[0] = name_answer();
    files.input[0] = open_input(input_name[0]);
    say("\n Enter the name of the excitation file. \n");
    input_name[1] = name_answer();
    files.input[1] = open_input(input_name[1]);
    say("\n\n");

    for (int i = 0; i < 2; ++i) {
        if (files.input[i] == nullptr) return fail(files, "\n Failed to open file: ", input_name[i]);
        say(" File: ");
        say(input_name[i]);
        say(" opened. \n");
    }

    say("\n\n\n Enter the name of the output file. \n");
    const std::string result_name = name_answer();
    if (!usable_name(result_name)) return fail(files, "\n Failed to open file: ", result_name);
    // Creating the result file empties it: an input named again as the
    // result would be lost before it is read.
    for (std::FILE* input : files.input) {
        if (names_open_file(result_name, input)) {
            return fail(files, "\n The output file must not be an input file: ", result_name);
        }
    }
    files.result = create_result_file(result_name);
    if (files.result == nullptr) return fail(files, "\n Failed to open file: ", result_name);

    read_spectrum_table(files.input[0], response_table);
    read_spectrum_table(files.input[1], excitation_table);

    report_statistics("\n\n Response Function Statistics \n", response_table, " \n");
    report_statistics("\n\n Excitation Function Statistics \n", excitation_table, " \n\n");

    // The result is closed and checked now, not at the end: a console
    // closed during the key wait must not cost the user the result.
    result_writer writer = start_result(files.result);
    divide_spectra(response_table, excitation_table, writer);
    const bool written = finish_result(writer);
    const bool closed = std::fclose(files.result) == 0;
    files.result = nullptr;
    if (!written || !closed) return fail(files, "\n Failed to write file: ", result_name);

    say("\n\n The output text file is: \n\n  ");
    say(result_name);
    say("  \n");
    return end_after_key(files, 0);
}
