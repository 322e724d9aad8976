// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The nybblex developers

#include "expand_nibbles.hpp"
#include "reference.hpp"

#include <cstdint>
#include <cstdio>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace nybblex {
namespace {

using test::reference_expand;

constexpr std::size_t block = expand_block_bytes;

struct file_closer {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using file_ptr = std::unique_ptr<std::FILE, file_closer>;

// A real temporary file holding bytes, positioned at its start.
file_ptr temporary_file(const std::string& bytes) {
    file_ptr file(std::tmpfile());
    EXPECT_NE(file, nullptr);
    EXPECT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), file.get()), bytes.size());
    std::rewind(file.get());
    return file;
}

std::string contents(std::FILE* file) {
    EXPECT_EQ(std::fflush(file), 0);
    std::rewind(file);
    std::string bytes;
    char chunk[4096];
    for (std::size_t got = 0; (got = std::fread(chunk, 1, sizeof chunk, file)) > 0;) {
        bytes.append(chunk, got);
    }
    return bytes;
}

TEST(ExpandNibbles, ConvertsWholeFilesOfAnySize) {
    const std::size_t sizes[] = {0, 1, 255, block - 1, block, block + 1, 3 * block + 17};
    for (const std::size_t size : sizes) {
        const std::string packed = test::random_bytes(size, static_cast<std::uint32_t>(size));
        const file_ptr source = temporary_file(packed);
        const file_ptr destination = temporary_file("");
        EXPECT_EQ(expand_nibbles(source.get(), destination.get()), expand_status::ok);
        EXPECT_EQ(contents(destination.get()), reference_expand(packed)) << "size " << size;
    }
}

// Short blocks put the end of the source at every place within a block.
TEST(ExpandNibbles, AnyBlockSizeGivesTheSameBytes) {
    const std::string packed = test::random_bytes(1000);
    // The two largest cannot be allocated and fall back to a small block on the stack.
    for (const std::size_t block_bytes :
         {std::size_t{0}, std::size_t{1}, std::size_t{2}, std::size_t{3}, std::size_t{7},
          std::size_t{64}, std::size_t{999}, std::size_t{1000}, std::size_t{1001}, SIZE_MAX / 4,
          SIZE_MAX}) {
        const file_ptr source = temporary_file(packed);
        const file_ptr destination = temporary_file("");
        EXPECT_EQ(expand_nibbles(source.get(), destination.get(), block_bytes), expand_status::ok);
        EXPECT_EQ(contents(destination.get()), reference_expand(packed)) << "block " << block_bytes;
    }
}

// The caller owns positioning: reading starts where the source stands and writing
// goes on where the destination stands.
TEST(ExpandNibbles, StartsAtCurrentPositionsAndAppends) {
    const std::string packed = test::random_bytes(block + 100);
    const file_ptr source = temporary_file(packed);
    ASSERT_EQ(std::fseek(source.get(), 7, SEEK_SET), 0);
    const file_ptr destination = temporary_file("kept");
    ASSERT_EQ(std::fseek(destination.get(), 0, SEEK_END), 0);

    EXPECT_EQ(expand_nibbles(source.get(), destination.get()), expand_status::ok);
    EXPECT_EQ(contents(destination.get()), "kept" + reference_expand(packed.substr(7)));
}

} // namespace
} // namespace nybblex

#if defined(__GLIBC__)
// glibc can build a stream on top of callbacks, which lets a test make reads or writes
// fail at an exact byte, in the middle of a block or right on its boundary.
namespace nybblex {
namespace {

struct faulty_device {
    std::string data;         // what reads return, or what writes stored
    std::size_t fail_at = 0;  // the first byte offset that cannot be read or written
    std::size_t position = 0; // how far reads or writes have got
};

ssize_t faulty_read(void* cookie, char* buffer, std::size_t size) {
    auto& device = *static_cast<faulty_device*>(cookie);
    if (device.position >= device.fail_at && device.position < device.data.size()) {
        return -1;
    }
    const std::size_t count =
        std::min(size, std::min(device.data.size(), device.fail_at) - device.position);
    device.data.copy(buffer, count, device.position);
    device.position += count;
    return static_cast<ssize_t>(count);
}

ssize_t faulty_write(void* cookie, const char* buffer, std::size_t size) {
    auto& device = *static_cast<faulty_device*>(cookie);
    // A short count is how a write failure is told to stdio here.
    const std::size_t count = std::min(size, device.fail_at - device.position);
    device.data.append(buffer, count);
    device.position += count;
    return static_cast<ssize_t>(count);
}

file_ptr open_faulty(faulty_device& device, const char* mode) {
    const cookie_io_functions_t functions{faulty_read, faulty_write, nullptr, nullptr};
    return file_ptr(fopencookie(&device, mode, functions));
}

TEST(ExpandNibbles, ReadFailureKeepsEverythingReadBeforeIt) {
    const std::size_t fail_offsets[] = {0, 1000, block - 1, block, block + 1, 2 * block};
    for (const std::size_t fail_at : fail_offsets) {
        faulty_device device{test::random_bytes(3 * block), fail_at};
        const file_ptr source = open_faulty(device, "r");
        const file_ptr destination = temporary_file("");

        EXPECT_EQ(expand_nibbles(source.get(), destination.get()), expand_status::read_failed)
            << "failing at " << fail_at;
        EXPECT_EQ(contents(destination.get()), reference_expand(device.data.substr(0, fail_at)))
            << "failing at " << fail_at;
    }
}

TEST(ExpandNibbles, WriteFailureStopsReadingAndIsReported) {
    const std::size_t fail_offsets[] = {0, 1000, 2 * block - 1, 2 * block, 2 * block + 1};
    for (const std::size_t fail_at : fail_offsets) {
        const file_ptr source = temporary_file(test::random_bytes(5 * block));
        faulty_device device{{}, fail_at};
        const file_ptr destination = open_faulty(device, "w");
        // Unbuffered, so the failure reaches the write that caused it.
        ASSERT_EQ(std::setvbuf(destination.get(), nullptr, _IONBF, 0), 0);

        EXPECT_EQ(expand_nibbles(source.get(), destination.get()), expand_status::write_failed)
            << "failing at " << fail_at;
        // The failing block is the last one read.
        const std::size_t failing_block = fail_at / (2 * block);
        EXPECT_EQ(std::ftell(source.get()), static_cast<long>((failing_block + 1) * block))
            << "failing at " << fail_at;
    }
}

// With the stream's own buffer in between, a failure may surface at the write or only
// at the final flush; it must surface at one of them.
TEST(ExpandNibbles, BufferedWriteFailureIsSeenByTheWriteOrTheFlush) {
    const std::size_t fail_offsets[] = {0, 10, 4095, 4096, 2 * block + 1};
    for (const std::size_t fail_at : fail_offsets) {
        for (const std::size_t size : {std::size_t{3}, 2 * block, 5 * block}) {
            if (2 * size <= fail_at) {
                continue;
            }
            const file_ptr source = temporary_file(test::random_bytes(size));
            faulty_device device{{}, fail_at};
            const file_ptr destination = open_faulty(device, "w");

            const bool failed =
                expand_nibbles(source.get(), destination.get()) == expand_status::write_failed ||
                std::fflush(destination.get()) != 0;
            EXPECT_TRUE(failed) << "failing at " << fail_at << ", size " << size;
        }
    }
}

} // namespace
} // namespace nybblex
#endif
