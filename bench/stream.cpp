// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The nybblex developers
//
// expand_nibbles between real streams, over block sizes from 4 KiB to 1 MiB: the
// source a 16 MiB file in the page cache, the destination /dev/null, so the figures
// are the stream layer's own cost (system calls, copies, kernel) without a disk.
// Counters are in source bytes per second.

#include "expand_nibbles.hpp"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <vector>

namespace {

constexpr std::size_t source_bytes = 16 << 20;

std::FILE* make_source() {
    std::FILE* file = std::tmpfile();
    std::vector<unsigned char> chunk(1 << 20);
    for (std::size_t i = 0; i < chunk.size(); ++i) {
        chunk[i] = static_cast<unsigned char>(i * 167 + 13);
    }
    for (std::size_t written = 0; file != nullptr && written < source_bytes;
         written += chunk.size()) {
        if (std::fwrite(chunk.data(), 1, chunk.size(), file) != chunk.size()) {
            std::fclose(file);
            return nullptr;
        }
    }
    return file;
}

void stream(benchmark::State& state) {
    std::FILE* source = make_source();
    std::FILE* sink = std::fopen("/dev/null", "wb");
    if (source == nullptr || sink == nullptr) {
        state.SkipWithError("cannot open the source or /dev/null");
        return;
    }
    const auto block_bytes = static_cast<std::size_t>(state.range(0));
    for (auto _ : state) {
        std::rewind(source);
        if (nybblex::expand_nibbles(source, sink, block_bytes) != nybblex::expand_status::ok) {
            state.SkipWithError("the conversion failed");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * static_cast<long>(source_bytes));
    std::fclose(sink);
    std::fclose(source);
}

BENCHMARK(stream)->RangeMultiplier(2)->Range(4 << 10, 1 << 20)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
