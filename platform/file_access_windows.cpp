#include <io.h>
#include <share.h>
#include <windows.h>

#include "platform/file_access.hpp"

namespace {

bool identity_of(HANDLE h, BY_HANDLE_FILE_INFORMATION& info) {
    return h != INVALID_HANDLE_VALUE && GetFileInformationByHandle(h, &info) != 0;
}

bool is_folder(std::FILE* f) {
    BY_HANDLE_FILE_INFORMATION info;
    const auto h = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(f)));
    return identity_of(h, info) && (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

std::FILE* open_input_file(const std::string& name) {
    std::FILE* f = _fsopen(name.c_str(), "rb", _SH_DENYNO);
    if (f != nullptr && is_folder(f)) {
        std::fclose(f);
        return nullptr;
    }
    return f;
}

// Binary: the result file writes carriage return and line feed itself, and
// text mode would double the carriage return.
std::FILE* create_result_file(const std::string& name) { return _fsopen(name.c_str(), "wb", _SH_DENYNO); }

bool names_open_file(const std::string& name, std::FILE* open_file) {
    const HANDLE named = CreateFileA(name.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                     OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (named == INVALID_HANDLE_VALUE) return false;
    BY_HANDLE_FILE_INFORMATION a;
    BY_HANDLE_FILE_INFORMATION b;
    const auto opened = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(open_file)));
    const bool same = identity_of(named, a) && identity_of(opened, b) &&
                      a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh &&
                      a.nFileIndexLow == b.nFileIndexLow;
    CloseHandle(named);
    return same;
}
