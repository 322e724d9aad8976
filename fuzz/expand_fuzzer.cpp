// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The nybblex developers
//
// Feeds arbitrary bytes, cut into arbitrary pieces, through the kernel and through
// expand_nibbles between memory streams, and checks every output byte against the
// obvious byte-at-a-time expansion.
//
// The input's first bytes choose the cuts and the stream block size; the rest is data.

#include "expand_nibbles.hpp"
#include "nibble_kernel.hpp"
#include "reference.hpp"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>
#include <string>
#include <vector>

namespace {

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// The kernel over consecutive pieces of the data, each written to the right place of
// one output buffer that has exactly the room needed, so that ASan sees any overrun.
void fuzz_kernel(const std::vector<unsigned char>& packed,
                 const std::vector<std::size_t>& piece_sizes,
                 const std::vector<unsigned char>& expected) {
    std::vector<unsigned char> unpacked(expected.size());
    std::size_t done = 0;
    for (std::size_t piece = 0; done < packed.size(); ++piece) {
        const std::size_t wanted = piece < piece_sizes.size() ? piece_sizes[piece] : packed.size();
        const std::size_t count = std::min(wanted, packed.size() - done);
        nybblex::expand_block({packed.data() + done, count},
                              {unpacked.data() + 2 * done, 2 * count});
        done += count;
    }
    check(unpacked == expected);
}

void fuzz_stream(std::vector<unsigned char> packed, std::size_t block_bytes,
                 const std::vector<unsigned char>& expected) {
    // A memory stream over no bytes at all is not allowed everywhere.
    if (packed.empty()) {
        return;
    }
    std::FILE* source = fmemopen(packed.data(), packed.size(), "rb");
    char* output = nullptr;
    std::size_t output_size = 0;
    std::FILE* destination = open_memstream(&output, &output_size);
    check(source != nullptr && destination != nullptr);

    const nybblex::expand_status status =
        block_bytes == 0 ? nybblex::expand_nibbles(source, destination)
                         : nybblex::expand_nibbles(source, destination, block_bytes);
    check(status == nybblex::expand_status::ok);
    check(std::fclose(destination) == 0);
    std::fclose(source);

    check(output_size == expected.size());
    for (std::size_t i = 0; i < output_size; ++i) {
        check(static_cast<unsigned char>(output[i]) == expected[i]);
    }
    std::free(output);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider provider(data, size);
    // 0 stands for the tool's own block size.
    const std::size_t block_bytes = provider.ConsumeIntegralInRange<std::size_t>(0, 300);
    std::vector<std::size_t> piece_sizes(provider.ConsumeIntegralInRange<std::size_t>(0, 8));
    std::generate(piece_sizes.begin(), piece_sizes.end(),
                  [&] { return provider.ConsumeIntegralInRange<std::size_t>(0, 100); });
    const std::vector<unsigned char> packed = provider.ConsumeRemainingBytes<unsigned char>();
    const std::string reference = nybblex::test::reference_expand(
        {reinterpret_cast<const char*>(packed.data()), packed.size()});
    const std::vector<unsigned char> expected(reference.begin(), reference.end());

    fuzz_kernel(packed, piece_sizes, expected);
    fuzz_stream(packed, block_bytes, expected);
    return 0;
}
