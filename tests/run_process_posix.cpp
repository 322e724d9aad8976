// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The nybblex developers

#include "file_bytes.hpp"
#include "run_process.hpp"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

// POSIX leaves this declaration to the program.
extern char** environ; // NOLINT(readability-redundant-declaration)

namespace nybblex::test {

namespace {

// Starts command with the given changes to its standard streams; -1 when it cannot start.
pid_t spawn(const std::vector<std::string>& command, const posix_spawn_file_actions_t& actions) {
    // posix_spawn wants mutable strings; copies keep the caller's vector untouched.
    std::vector<std::string> words(command);
    std::vector<char*> argv(words.size() + 1, nullptr);
    std::transform(words.begin(), words.end(), argv.begin(),
                   [](std::string& word) { return word.data(); });
    pid_t pid = -1;
    return posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0 ? pid : -1;
}

} // namespace

int wait_for_exit(pid_t pid) {
    int wait_status = 0;
    pid_t waited = 0;
    do {
        waited = waitpid(pid, &wait_status, 0);
    } while (waited < 0 && errno == EINTR);
    return waited == pid && WIFEXITED(wait_status) ? WEXITSTATUS(wait_status) : -1;
}

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
    const pid_t pid = spawn(command, actions);
    posix_spawn_file_actions_destroy(&actions);

    process_result result;
    if (pid < 0) {
        return result;
    }
    result.status = wait_for_exit(pid);
    result.exited = result.status >= 0;
    result.out = read_file(out_path);
    result.err = read_file(err_path);
    return result;
}

piped_process start_with_output_pipe(const std::vector<std::string>& command) {
    int ends[2] = {-1, -1};
    if (pipe(ends) != 0) {
        return {};
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ends[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, ends[0]);
    posix_spawn_file_actions_addclose(&actions, ends[1]);
    const pid_t pid = spawn(command, actions);
    posix_spawn_file_actions_destroy(&actions);
    close(ends[1]);
    if (pid < 0) {
        close(ends[0]);
        return {};
    }
    return {pid, fdopen(ends[0], "rb")};
}

} // namespace nybblex::test
