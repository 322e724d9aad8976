// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The nybblex developers

#include "nibble_kernel.hpp"
#include "reference.hpp"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace nybblex {
namespace {

using test::reference_expand;

// Runs the kernel on a copy of packed and returns what it wrote.
std::string kernel_expand(std::string_view packed) {
    const std::vector<unsigned char> in(packed.begin(), packed.end());
    std::vector<unsigned char> out(2 * in.size());
    expand_block(in, out);
    return {out.begin(), out.end()};
}

struct known_case {
    std::string packed;
    std::string unpacked;
};

TEST(ExpandBlock, KnownBytes) {
    const known_case cases[] = {
        {"", ""},
        {"\x12\xAB\xF0", std::string("\x02\x01\x0B\x0A\x00\x0F", 6)},
        {"\x5A", "\x0A\x05"},
        {std::string(1, '\0'), std::string(2, '\0')},
        {"\xFF", "\x0F\x0F"},
        {"\x80", std::string("\x00\x08", 2)}, // no sign extension of the high nibble
        {"\x1A", "\x0A\x01"},                 // the old end-of-file marker is plain data
        {"\x0A\x0D", std::string("\x0A\x00\x0D\x00", 4)},
    };
    for (const auto& [packed, unpacked] : cases) {
        EXPECT_EQ(kernel_expand(packed), unpacked) << "packed size " << packed.size();
    }
}

TEST(ExpandBlock, EveryByteValueMatchesReference) {
    const std::string packed = test::every_byte_value();
    const std::string unpacked = kernel_expand(packed);
    EXPECT_EQ(unpacked, reference_expand(packed));
    for (const char c : unpacked) {
        ASSERT_LE(static_cast<unsigned char>(c), 0x0F);
    }
}

// The vectorised loop has a main body and a tail, and runtime checks on alignment and
// overlap: every length and every misalignment of both buffers must give the reference,
// and not one byte may be written outside the output.
TEST(ExpandBlock, EveryLengthAndAlignmentMatchesReference) {
    constexpr std::size_t max_length = 300;
    constexpr std::size_t max_offset = 16;
    constexpr unsigned char guard = 0xEE;
    const std::string data = test::random_bytes(max_length + max_offset);

    for (std::size_t in_offset = 0; in_offset < max_offset; ++in_offset) {
        for (std::size_t out_offset = 0; out_offset < max_offset; out_offset += 3) {
            for (std::size_t length = 0; length <= max_length; ++length) {
                const std::vector<unsigned char> in(data.begin(), data.end());
                std::vector<unsigned char> out(out_offset + 2 * length + max_offset, guard);
                expand_block({in.data() + in_offset, length},
                             {out.data() + out_offset, 2 * length});

                const std::string expected =
                    reference_expand(std::string_view(data).substr(in_offset, length));
                const std::string written(out.begin() + static_cast<std::ptrdiff_t>(out_offset),
                                          out.end() - static_cast<std::ptrdiff_t>(max_offset));
                ASSERT_EQ(written, expected) << "length " << length << ", input offset "
                                             << in_offset << ", output offset " << out_offset;
                for (std::size_t i = 0; i < out_offset; ++i) {
                    ASSERT_EQ(out[i], guard) << "wrote before the output, length " << length;
                }
                for (std::size_t i = out.size() - max_offset; i < out.size(); ++i) {
                    ASSERT_EQ(out[i], guard) << "wrote past the output, length " << length;
                }
            }
        }
    }
}

} // namespace
} // namespace nybblex
