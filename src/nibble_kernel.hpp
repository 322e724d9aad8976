// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The nybblex developers
//
// Pure in-memory expansion of packed bytes into one nibble per byte.
#pragma once

#include <cstddef>
#include <span>

namespace nybblex {

// Writes 2 * packed.size() bytes to the start of unpacked: for each packed byte b,
// first b & 0x0F, then b >> 4. unpacked must hold at least 2 * packed.size() bytes
// and must not overlap packed.
void expand_block(std::span<const unsigned char> packed,
                  std::span<unsigned char> unpacked) noexcept;

} // namespace nybblex
