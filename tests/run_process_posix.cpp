// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The nybblex developers

#include "file_bytes.hpp"
#include "run_process.hpp"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

// POSIX leaves this declaration to the program.
extern char** environ; // NOLINT(readability-redundant-declaration)

namespace nybblex::test {

process_result run_process(const std::vector<std::string>& command,
                           const std::filesystem::path& capture_dir) {
    const auto out_path = capture_dir / "stdout";
    const auto err_path = capture_dir / "stderr";

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addopen(&actions, 2, err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);

    // posix_spawn wants mutable strings; copies keep the caller's vector untouched.
    std::vector<std::string> words(command);
    std::vector<char*> argv(words.size() + 1, nullptr);
    std::transform(words.begin(), words.end(), argv.begin(),
                   [](std::string& word) { return word.data(); });

    process_result result;
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        return result;
    }
    int wait_status = 0;
    pid_t waited = 0;
    do {
        waited = waitpid(pid, &wait_status, 0);
    } while (waited < 0 && errno == EINTR);
    if (waited < 0) {
        return result;
    }
    result.exited = WIFEXITED(wait_status);
    result.status = result.exited ? WEXITSTATUS(wait_status) : -1;
    result.out = read_file(out_path);
    result.err = read_file(err_path);
    return result;
}

} // namespace nybblex::test
