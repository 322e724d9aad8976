// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The nybblex developers

#include "platform.hpp"

#include <algorithm>
#include <cstdlib>
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

// Writes text to the console that standard output is, as UTF-16. The text is in the
// process code page (CP_ACP), as the arguments it holds came: UTF-8 where the manifest
// takes effect, the legacy code page on an older Windows. Each "\n" becomes CR LF, as
// the C library's text mode writes it. False when standard output is no console or
// nothing could be written to it, so that the caller writes the bytes instead. The
// console's code page is left alone: changing it would outlive the process.
bool write_to_console(const char* text) {
    const HANDLE console = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    if (console == nullptr || console == INVALID_HANDLE_VALUE ||
        GetConsoleMode(console, &mode) == 0) {
        return false;
    }
    const int wide_size = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (wide_size <= 1) {
        return wide_size == 1; // nothing to write
    }
    // Room for the text twice: converted into the second half, then spread over the whole
    // with a CR before each LF.
    const auto size = static_cast<std::size_t>(wide_size);
    auto* const buffer = static_cast<wchar_t*>(std::malloc(2 * size * sizeof(wchar_t)));
    if (buffer == nullptr) {
        return false;
    }
    wchar_t* const converted = buffer + size;
    MultiByteToWideChar(CP_ACP, 0, text, -1, converted, wide_size);
    std::size_t length = 0;
    for (const wchar_t* c = converted; *c != L'\0'; ++c) {
        if (*c == L'\n') {
            buffer[length++] = L'\r';
        }
        buffer[length++] = *c;
    }

    // Whatever the C library still holds for standard output goes first.
    std::fflush(stdout);
    std::size_t written = 0;
    while (written < length) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(length - written, 4096));
        DWORD done = 0;
        if (WriteConsoleW(console, buffer + written, chunk, &done, nullptr) == 0 || done == 0) {
            break;
        }
        written += done;
    }
    std::free(buffer);
    return written > 0;
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

void write_to_stdout(const char* text) {
    if (!write_to_console(text)) {
        std::fputs(text, stdout);
    }
}

} // namespace nybblex::platform
