#pragma once
// Opening the program's files, the platform's way.

#include <cstdio>
#include <string>

// Opens an existing file for reading as bytes (no line-end translation),
// without denying other readers or writers. A folder is no input file:
// nullptr then, as when the file cannot be opened.
std::FILE* open_input_file(const std::string& name);

// Creates the file, or empties it, for writing as bytes: the result file
// writes its own line ends. Does not deny other readers or writers.
std::FILE* create_result_file(const std::string& name);

// Whether the name designates, by any path, the file open as the stream.
bool names_open_file(const std::string& name, std::FILE* open_file);
