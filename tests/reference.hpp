// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The nybblex developers
//
// The obvious byte-at-a-time expansion that everything else is checked against, and
// test data that covers every byte value.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>

namespace nybblex::test {

inline std::string reference_expand(std::string_view packed) {
    std::string unpacked;
    for (const char c : packed) {
        const auto byte = static_cast<unsigned char>(c);
        unpacked += {static_cast<char>(byte % 16), static_cast<char>(byte / 16)};
    }
    return unpacked;
}

// Deterministic pseudo-random bytes; any seed gives every byte value within a few KiB.
inline std::string random_bytes(std::size_t count, std::uint32_t seed = 1) {
    std::mt19937 generator(seed);
    std::string bytes(count, '\0');
    std::generate(bytes.begin(), bytes.end(), [&] { return static_cast<char>(generator() >> 24); });
    return bytes;
}

// Every byte value once, in order: 0x00, 0x01, ..., 0xFF.
inline std::string every_byte_value() {
    std::string bytes(256, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<char>(i);
    }
    return bytes;
}

} // namespace nybblex::test
