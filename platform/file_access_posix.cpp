#include <sys/stat.h>

#include "platform/file_access.hpp"

std::FILE* open_input_file(const std::string& name) {
    std::FILE* f = std::fopen(name.c_str(), "rb");
    if (f == nullptr) return nullptr;
    // A folder opens for reading here, but every read of it fails.
    struct stat st {};
    if (fstat(fileno(f), &st) != 0 || S_ISDIR(st.st_mode)) {
        std::fclose(f);
        return nullptr;
    }
    return f;
}

std::FILE* create_result_file(const std::string& name) { return std::fopen(name.c_str(), "wb"); }

bool names_open_file(const std::string& name, std::FILE* open_file) {
    struct stat named {};
    struct stat opened {};
    return stat(name.c_str(), &named) == 0 && fstat(fileno(open_file), &opened) == 0 && named.st_dev == opened.st_dev &&
           named.st_ino == opened.st_ino;
}
