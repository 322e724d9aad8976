// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The nybblex developers
//
// The expansion written the plainest way, one byte per step, as the baseline the
// vectorised kernel is measured against.
#pragma once

#include <cstddef>

namespace nybblex::bench {

void expand_one_byte_at_a_time(const unsigned char* packed, std::size_t count,
                               unsigned char* unpacked) noexcept;

} // namespace nybblex::bench
