// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The nybblex developers
//
// nybblex sourcefile destinationfile
//
// Writes every byte of the source as two bytes, its low nibble then its high nibble.
// Whatever happens, the outcome is told by one fixed line on standard output and the
// exit status; a successful run prints nothing.

#include "expand_nibbles.hpp"
#include "platform.hpp"

#include <cstdio>
#include <cstdlib>

namespace {

// Exit statuses that scripts test: 1 means the source is at fault, 2 the destination.
constexpr int status_ok = 0;
constexpr int status_source_failed = 1;
constexpr int status_destination_failed = 2;
constexpr int status_wrong_use = 4;

// Only the ASCII letters a to z change: paths are byte strings in no known character set,
// so no locale may touch the rest. Changed in place: nothing reads the argument later.
void upper_case_ascii(char* path) {
    for (char* c = path; *c != '\0'; ++c) {
        if (*c >= 'a' && *c <= 'z') {
            *c = static_cast<char>(*c - ('a' - 'A'));
        }
    }
}

// Reports a failure and ends the process through exit(), which flushes and closes
// every stream still open. The path goes out as plain text, so a '%' in it is a character.
[[noreturn]] void fail(int status, const char* what, char* path) {
    upper_case_ascii(path);
    const char* const pieces[] = {"Error: Unable to ", what, " file ", path, " !\n"};
    for (const char* piece : pieces) {
        nybblex::platform::write_to_stdout(piece);
    }
    std::exit(status);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        nybblex::platform::write_to_stdout("Syntax: nybblex sourcefile destinationfile\n");
        return status_wrong_use;
    }
    char* const source_path = argv[1];
    char* const destination_path = argv[2];

    std::FILE* const source = std::fopen(source_path, "rb");
    if (source == nullptr || nybblex::platform::is_directory(source)) {
        fail(status_source_failed, "open", source_path);
    }
    // Opening the destination cuts it to zero length, so it must not be the source.
    if (nybblex::platform::is_same_file(source, destination_path)) {
        fail(status_destination_failed, "overwrite", destination_path);
    }
    std::FILE* const destination = std::fopen(destination_path, "wb");
    if (destination == nullptr) {
        fail(status_destination_failed, "overwrite", destination_path);
    }

    const nybblex::expand_status status = nybblex::expand_nibbles(source, destination);
    if (status == nybblex::expand_status::write_failed) {
        fail(status_destination_failed, "write", destination_path);
    }
    // The close flushes what is still buffered, so a full disk may only show here.
    // After a read failure the destination is closed as well, to keep what was read.
    const bool closed = std::fclose(destination) == 0;
    if (status == nybblex::expand_status::read_failed) {
        fail(status_source_failed, "read", source_path);
    }
    if (!closed) {
        fail(status_destination_failed, "write", destination_path);
    }
    std::fclose(source); // read-only: nothing can be lost here
    return status_ok;
}
