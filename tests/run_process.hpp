// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The nybblex developers
//
// Runs a program as a separate process and captures what it tells the outside world.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

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

} // namespace nybblex::test
