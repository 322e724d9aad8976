// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The nybblex developers

#include "file_bytes.hpp"
#include "run_process.hpp"

#include <windows.h>

namespace nybblex::test {

namespace {

std::wstring widen(const std::string& utf8) {
    if (utf8.empty()) {
        return {};
    }
    const int size = static_cast<int>(utf8.size());
    const int wide_size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(wide_size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), wide_size);
    return wide;
}

// Quotes one argument so that the C runtime's command-line parser gives it back whole:
// backslashes are literal except in front of a quote, where they must be doubled. A word
// that needs no quotes gets none, as a user types it: cmd.exe, which parses its command
// line by rules of its own, then sees what it would see from a prompt.
std::wstring quote(const std::wstring& argument) {
    if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos) {
        return argument;
    }
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(2 * backslashes, L'\\');
    return quoted + L"\"";
}

HANDLE open_inheritable(const std::filesystem::path& path, DWORD access, DWORD disposition) {
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    return CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                       disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

} // namespace

process_result run_process(const std::vector<std::string>& command,
                           const std::filesystem::path& capture_dir) {
    const auto out_path = capture_dir / "stdout";
    const auto err_path = capture_dir / "stderr";

    std::wstring command_line;
    for (const auto& word : command) {
        command_line += (command_line.empty() ? L"" : L" ") + quote(widen(word));
    }

    const HANDLE in = open_inheritable(L"NUL", GENERIC_READ, OPEN_EXISTING);
    const HANDLE out = open_inheritable(out_path, GENERIC_WRITE, CREATE_ALWAYS);
    const HANDLE err = open_inheritable(err_path, GENERIC_WRITE, CREATE_ALWAYS);

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = in;
    startup.hStdOutput = out;
    startup.hStdError = err;
    PROCESS_INFORMATION process{};
    const bool started = CreateProcessW(nullptr, command_line.data(), nullptr, nullptr, TRUE, 0,
                                        nullptr, nullptr, &startup, &process) != 0;
    for (const HANDLE handle : {in, out, err}) {
        CloseHandle(handle);
    }

    process_result result;
    if (!started) {
        return result;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD exit_code = 0;
    result.exited = GetExitCodeProcess(process.hProcess, &exit_code) != 0;
    result.status = static_cast<int>(exit_code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    result.out = read_file(out_path);
    result.err = read_file(err_path);
    return result;
}

} // namespace nybblex::test
