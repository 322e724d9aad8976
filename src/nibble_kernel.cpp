// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The nybblex developers

#include "nibble_kernel.hpp"

#include <cassert>

namespace nybblex {

void expand_block(std::span<const unsigned char> packed,
                  std::span<unsigned char> unpacked) noexcept {
    assert(unpacked.size() / 2 >= packed.size());
    const unsigned char* in = packed.data();
    unsigned char* out = unpacked.data();
    const std::size_t count = packed.size();
    // Kept as a plain indexed loop with no early exits so that the optimiser turns it
    // into vector masks, shifts and byte interleaves.
    for (std::size_t i = 0; i < count; ++i) {
        const unsigned int byte = in[i];
        out[2 * i] = static_cast<unsigned char>(byte & 0x0FU);
        out[2 * i + 1] = static_cast<unsigned char>(byte >> 4);
    }
}

} // namespace nybblex
