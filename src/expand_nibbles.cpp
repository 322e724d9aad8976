// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The nybblex developers

#include "expand_nibbles.hpp"

#include "nibble_kernel.hpp"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace nybblex {

namespace {

// Moves the source through buffer, which holds block_bytes source bytes followed by
// room for their 2 * block_bytes nibbles.
expand_status expand_through(std::FILE* source, std::FILE* destination, unsigned char* buffer,
                             std::size_t block_bytes) {
    unsigned char* const packed = buffer;
    unsigned char* const unpacked = buffer + block_bytes;
    for (;;) {
        // fread only returns short at the end of the data or on an error, and the bytes
        // it did return are good either way, so they are written before deciding.
        const std::size_t got = std::fread(packed, 1, block_bytes, source);
        if (got > 0) {
            expand_block({packed, got}, {unpacked, 2 * got});
            if (std::fwrite(unpacked, 1, 2 * got, destination) != 2 * got) {
                return expand_status::write_failed;
            }
        }
        if (got < block_bytes) {
            return std::ferror(source) != 0 ? expand_status::read_failed : expand_status::ok;
        }
    }
}

} // namespace

expand_status expand_nibbles(std::FILE* source, std::FILE* destination) {
    return expand_nibbles(source, destination, expand_block_bytes);
}

expand_status expand_nibbles(std::FILE* source, std::FILE* destination, std::size_t block_bytes) {
    // An empty block would never reach the end of the source.
    block_bytes = std::max<std::size_t>(block_bytes, 1);

    // One allocation per call, sized by the block and not by the file. It is malloc and
    // a plain free, with no destructor: the tool then needs no C++ runtime library,
    // which takes longer to load than a small file takes to convert.
    constexpr std::size_t buffer_bytes_per_source_byte = 3;
    unsigned char* const allocated =
        block_bytes <= SIZE_MAX / buffer_bytes_per_source_byte
            ? static_cast<unsigned char*>(std::malloc(buffer_bytes_per_source_byte * block_bytes))
            : nullptr;

    // Should even that fail, a small block on the stack still does the conversion.
    constexpr std::size_t fallback_block_bytes = 4096;
    unsigned char fallback[buffer_bytes_per_source_byte * fallback_block_bytes];
    if (allocated == nullptr) {
        block_bytes = std::min(block_bytes, fallback_block_bytes);
    }

    const expand_status status = expand_through(
        source, destination, allocated != nullptr ? allocated : fallback, block_bytes);
    std::free(allocated);
    return status;
}

} // namespace nybblex
