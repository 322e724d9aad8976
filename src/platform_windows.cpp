// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The nybblex developers

#include "platform.hpp"

#include <io.h>
#include <windows.h>

namespace nybblex::platform {

namespace {

HANDLE handle_of(std::FILE* stream) noexcept {
    return reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
}

bool describe(HANDLE file, BY_HANDLE_FILE_INFORMATION& info) noexcept {
    return file != INVALID_HANDLE_VALUE && GetFileInformationByHandle(file, &info) != 0;
}

} // namespace

bool is_directory(std::FILE* stream) noexcept {
    BY_HANDLE_FILE_INFORMATION info{};
    return describe(handle_of(stream), info) &&
           (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool is_same_file(std::FILE* stream, const char* path) noexcept {
    BY_HANDLE_FILE_INFORMATION open_file{};
    if (!describe(handle_of(stream), open_file)) {
        return false;
    }
    // No access rights are asked for: enough to read the file's identity, without
    // conflicting with how the source is shared, and without ever opening it for writing.
    // The path is taken in the same code page as fopen takes it.
    const HANDLE named =
        CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    BY_HANDLE_FILE_INFORMATION named_file{};
    const bool same = describe(named, named_file) &&
                      open_file.dwVolumeSerialNumber == named_file.dwVolumeSerialNumber &&
                      open_file.nFileIndexHigh == named_file.nFileIndexHigh &&
                      open_file.nFileIndexLow == named_file.nFileIndexLow;
    if (named != INVALID_HANDLE_VALUE) {
        CloseHandle(named);
    }
    return same;
}

} // namespace nybblex::platform
