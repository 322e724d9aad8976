// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The nybblex developers

#include "platform.hpp"

#include <sys/stat.h>

namespace nybblex::platform {

bool is_directory(std::FILE* stream) noexcept {
    struct stat info {};
    return fstat(fileno(stream), &info) == 0 && S_ISDIR(info.st_mode);
}

bool is_same_file(std::FILE* stream, const char* path) noexcept {
    struct stat open_file {};
    struct stat named_file {};
    // stat follows symbolic links, so a link to the open file compares equal too.
    return fstat(fileno(stream), &open_file) == 0 && stat(path, &named_file) == 0 &&
           open_file.st_dev == named_file.st_dev && open_file.st_ino == named_file.st_ino;
}

void write_to_stdout(const char* text) {
    std::fputs(text, stdout);
}

} // namespace nybblex::platform
