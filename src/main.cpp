// nybblex sourcefile destinationfile
//
// Writes every byte of the source as two bytes, its low nibble then its high nibble.
// Whatever happens, the outcome is told by one fixed line on standard output and the
// exit status; a successful run prints nothing.

#include "expand_nibbles.hpp"
#include "platform.hpp"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

// Exit statuses that scripts test: 1 means the source is at fault, 2 the destination.
constexpr int status_ok = 0;
constexpr int status_source_failed = 1;
constexpr int status_destination_failed = 2;
constexpr int status_wrong_use = 4;

// Only the ASCII letters a to z change: paths are byte strings in no known character set,
// so no locale may touch the rest.
std::string upper_case_ascii(std::string_view path) {
    std::string upper(path);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - ('a' - 'A'));
        }
    }
    return upper;
}

// Reports a failure and ends the process through exit(), which flushes and closes
// every stream still open. The path goes in as a %s argument, so a '%' in it is text.
[[noreturn]] void fail(int status, const char* what, const char* path) {
    std::printf("Error: Unable to %s file %s !\n", what, upper_case_ascii(path).c_str());
    std::exit(status);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("Syntax: nybblex sourcefile destinationfile\n", stdout);
        return status_wrong_use;
    }
    const char* const source_path = argv[1];
    const char* const destination_path = argv[2];

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
