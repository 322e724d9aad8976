// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The nybblex developers
//
// The program that the command-line tests run, taken from the environment, so that the
// same tests can run any build:
//   NYBBLEX_UNDER_TEST  path of the executable (required)
//   NYBBLEX_LAUNCHER    words to put before it, such as an emulator (optional)
#pragma once

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace nybblex::test {

// Made absolute once, before any test changes the working directory (under Wine this
// also pins the drive letter of a Unix path).
inline const std::filesystem::path& program_under_test() {
    static const std::filesystem::path program = [] {
        const char* path = std::getenv("NYBBLEX_UNDER_TEST");
        return path != nullptr ? std::filesystem::absolute(path) : std::filesystem::path();
    }();
    return program;
}

inline std::vector<std::string> launcher_words() {
    std::vector<std::string> words;
    if (const char* launcher = std::getenv("NYBBLEX_LAUNCHER")) {
        std::istringstream split(launcher);
        for (std::string word; split >> word;) {
            words.push_back(word);
        }
    }
    return words;
}

// The program with its arguments, after the words of the launcher if there is one.
inline std::vector<std::string>
command_for(const std::vector<std::string>& arguments,
            const std::filesystem::path& program = program_under_test()) {
    std::vector<std::string> command = launcher_words();
    command.push_back(program.string());
    command.insert(command.end(), arguments.begin(), arguments.end());
    return command;
}

} // namespace nybblex::test
