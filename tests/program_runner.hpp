#pragma once
// Runs the built program as a script would: answers on standard input, no
// controlling terminal, in a folder of the test's own.

#include <string>

struct program_run {
    std::string output;  // all of standard output
    int exit_status;     // -1 when a signal ended it
};

// A new empty folder under the system's temporary folder.
std::string make_temp_folder();
// A new folder holding the typical run's inputs: resp.txt with the points
// (10, 1), (20, 3), (30, 5) and exc.txt with (15, 1), (25, 2).
std::string make_trace_folder();
void remove_folder(const std::string& folder);
void write_file(const std::string& path, const std::string& bytes);
std::string read_file(const std::string& path);
bool file_exists(const std::string& path);

// With FRQ_RATIO_WINDOWS_EXE set in the environment, runs that Windows
// program under Wine instead, and gives its output with line feeds alone.
program_run run_program(const std::string& folder, const std::string& answers);
