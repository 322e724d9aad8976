// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The nybblex developers
//
// Streams a packed source into its unpacked form, one fixed-size block at a time.
#pragma once

#include <cstddef>
#include <cstdio>

namespace nybblex {

// How many source bytes are read and expanded per step: the memory used does not
// depend on the size of the source. Chosen from bench/: larger blocks save system calls
// (128 KiB streams a fifth faster than 64 KiB) but cost resident memory, three times
// the block, and beyond 128 KiB they gain little.
inline constexpr std::size_t expand_block_bytes = std::size_t{128} * 1024;

enum class expand_status {
    ok,           // the source was read to its end and every byte was handed on
    read_failed,  // reading the source failed; everything read before it was handed on
    write_failed, // the destination refused a write; nothing more was read
};

// Reads source from its current position to its end and appends the unpacked nibbles
// to destination. Neither stream is opened, positioned, flushed or closed here: the
// caller still has to flush or close destination and check that as well.
[[nodiscard]] expand_status expand_nibbles(std::FILE* source, std::FILE* destination);

// The same with block_bytes source bytes per step (0 counts as 1), for tests and measurements.
[[nodiscard]] expand_status expand_nibbles(std::FILE* source, std::FILE* destination,
                                           std::size_t block_bytes);

} // namespace nybblex
