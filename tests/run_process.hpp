// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The nybblex developers
//
// Runs a program as a separate process and captures what it tells the outside world.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#if !defined(_WIN32)
#include <cstdio>
#include <sys/types.h>
#endif

namespace nybblex::test {

struct process_result {
    bool exited = false; // false when the process died from a signal or could not start
    int status = -1;     // the exit status, when exited
    std::string out;     // everything written to standard output, byte for byte
    std::string err;     // everything written to standard error, byte for byte
};

// Starts command[0] with the remaining words as its arguments, in the current working
// directory, with standard input empty, and waits for it. The standard streams are
// captured through files in capture_dir.
process_result run_process(const std::vector<std::string>& command,
                           const std::filesystem::path& capture_dir);

#if !defined(_WIN32)
// A started process whose standard output the caller reads through a pipe while it runs,
// for output too large to keep.
struct piped_process {
    pid_t pid = -1;
    std::FILE* out = nullptr; // null when the process could not be started
};

// Starts command as run_process does, but with standard output a pipe to read from.
piped_process start_with_output_pipe(const std::vector<std::string>& command);

// Waits for a started process: its exit status, or -1 when it did not end normally.
int wait_for_exit(pid_t pid);
#endif

} // namespace nybblex::test
