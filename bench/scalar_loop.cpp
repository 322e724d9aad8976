// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The nybblex developers

#include "scalar_loop.hpp"

namespace nybblex::bench {

// Built without auto-vectorisation (see CMakeLists.txt), so that it stays what it says.
void expand_one_byte_at_a_time(const unsigned char* packed, std::size_t count,
                               unsigned char* unpacked) noexcept {
    for (std::size_t i = 0; i < count; ++i) {
        *unpacked++ = static_cast<unsigned char>(packed[i] & 0x0FU);
        *unpacked++ = static_cast<unsigned char>(packed[i] >> 4);
    }
}

} // namespace nybblex::bench
