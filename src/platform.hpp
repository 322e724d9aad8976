// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The nybblex developers
//
// What differs between Windows and POSIX: a few questions about files, and how a line
// reaches a console.
#pragma once

#include <cstdio>

#if !defined(_WIN32)
#include <sys/types.h>

// A 32-bit C library (glibc on i386 or armhf) opens files of 2 GiB or more only with
// 64-bit file offsets, which the build asks for with _FILE_OFFSET_BITS=64. Without them
// nybblex would fail on such files, so it must not build at all.
static_assert(sizeof(off_t) >= 8, "build with 64-bit file offsets (_FILE_OFFSET_BITS=64)");
#endif

namespace nybblex::platform {

// True when the open stream is a directory. POSIX lets fopen open a directory for
// reading and only fails at the first read; Windows refuses at the open.
[[nodiscard]] bool is_directory(std::FILE* stream) noexcept;

// True when path names an existing file that is the very file open in stream, however
// the path is spelled and whether it reaches the file through a link or not.
[[nodiscard]] bool is_same_file(std::FILE* stream, const char* path) noexcept;

// Writes text to standard output. A Windows console gets it as UTF-16, so that a name
// outside ASCII shows as typed whatever the console's own code page is; anywhere else (a
// file, a pipe, a POSIX terminal) its bytes go out as they are, through stdout.
// Not noexcept: fputs is no nothrow function in glibc's headers, so a noexcept wrapper
// would need an exception table, and with it the C++ runtime library.
void write_to_stdout(const char* text);

} // namespace nybblex::platform
