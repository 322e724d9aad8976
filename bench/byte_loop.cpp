// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The nybblex developers
//
// The conversion as anyone would first write it: getc and putc, one byte at a time.
// Only a contender for the whole-process comparison, not a tool.

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        return 4;
    }
    std::FILE* source = std::fopen(argv[1], "rb");
    if (source == nullptr) {
        return 1;
    }
    std::FILE* destination = std::fopen(argv[2], "wb");
    if (destination == nullptr) {
        return 2;
    }
    for (int c = 0; (c = std::getc(source)) != EOF;) {
        std::putc(c & 0x0F, destination);
        std::putc(c >> 4, destination);
    }
    const bool read_ok = std::ferror(source) == 0;
    return std::fclose(destination) == 0 && read_ok ? 0 : 2;
}
