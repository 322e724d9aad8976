// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The nybblex developers
//
// The kernel against the plain byte loop and against memcpy of as many bytes as the
// kernel writes (the floor: no expansion can write its output faster than a copy of
// it), over block sizes from 4 KiB to 1 MiB of source.
//
// Every counter is in source bytes per second, so the three are directly comparable.

#include "nibble_kernel.hpp"
#include "scalar_loop.hpp"

#include <benchmark/benchmark.h>
#include <cstddef>
#include <cstring>
#include <vector>

namespace {

struct buffers {
    explicit buffers(std::size_t source_bytes) : packed(source_bytes), unpacked(2 * source_bytes) {
        for (std::size_t i = 0; i < packed.size(); ++i) {
            packed[i] = static_cast<unsigned char>(i * 167 + 13);
        }
    }
    std::vector<unsigned char> packed;
    std::vector<unsigned char> unpacked;
};

template <typename Expand>
void measure(benchmark::State& state, Expand expand) {
    buffers data(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        expand(data);
        benchmark::DoNotOptimize(data.unpacked.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

void kernel(benchmark::State& state) {
    measure(state, [](buffers& data) { nybblex::expand_block(data.packed, data.unpacked); });
}

void byte_loop(benchmark::State& state) {
    measure(state, [](buffers& data) {
        nybblex::bench::expand_one_byte_at_a_time(data.packed.data(), data.packed.size(),
                                                  data.unpacked.data());
    });
}

void memcpy_of_output(benchmark::State& state) {
    // As many bytes as the kernel writes, read from a buffer just as large.
    const std::vector<unsigned char> copy_source(2 * static_cast<std::size_t>(state.range(0)));
    measure(state, [&copy_source](buffers& data) {
        std::memcpy(data.unpacked.data(), copy_source.data(), copy_source.size());
    });
}

constexpr long smallest_block = 4 << 10;
constexpr long largest_block = 1 << 20;

BENCHMARK(kernel)->RangeMultiplier(2)->Range(smallest_block, largest_block);
BENCHMARK(byte_loop)->RangeMultiplier(2)->Range(smallest_block, largest_block);
BENCHMARK(memcpy_of_output)->RangeMultiplier(2)->Range(smallest_block, largest_block);

} // namespace

BENCHMARK_MAIN();
