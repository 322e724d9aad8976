// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The nybblex developers
//
// Files past 2 GiB, where a 32-bit C library without 64-bit file offsets fails: a source
// of more than 2 GiB, and a destination that grows past 2 GiB. Each is checked byte for
// byte against the source. The sources are sparse, so they cost no disk; the first
// destination is a pipe that the test reads as it goes, the second a real file (a regular
// file is where the limit bites), removed at the end. They move gigabytes, so they are
// kept out of the everyday run (label "large").

#include "program_under_test.hpp"
#include "run_process.hpp"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace nybblex {
namespace {

namespace fs = std::filesystem;

constexpr std::uint64_t two_gib = std::uint64_t{1} << 31;

// A file of size bytes that holds zeros (as a hole) but for the given marks.
struct mark {
    std::uint64_t offset;
    std::string bytes;
};

void make_sparse_file(const fs::path& path, std::uint64_t size, const std::vector<mark>& marks) {
    const int file = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    bool written = file >= 0 && ftruncate(file, static_cast<off_t>(size)) == 0;
    for (const auto& [offset, bytes] : marks) {
        written = written && pwrite(file, bytes.data(), bytes.size(), static_cast<off_t>(offset)) ==
                                 static_cast<ssize_t>(bytes.size());
    }
    const bool closed = file >= 0 && close(file) == 0;
    ASSERT_TRUE(written && closed) << "cannot make " << path;
}

// Marks where the limits lie: at the start, on both sides of the source offset 2 GiB and
// of the source offset 1 GiB (the destination's 2 GiB), and at the end: those that fit.
std::vector<mark> marks_for(std::uint64_t size) {
    const std::string pattern = "\x12\xAB\xF0\x5A\x80\xFF\x01\x1A";
    std::vector<mark> marks;
    for (const std::uint64_t offset :
         {std::uint64_t{0}, two_gib / 2 - 4, two_gib - 4, size - pattern.size()}) {
        if (offset + pattern.size() <= size) {
            marks.push_back({offset, pattern});
        }
    }
    return marks;
}

// Reads packed and unpacked to their ends and returns the offset in unpacked of the first
// byte that is not the expansion of packed, or -1 when every byte is.
std::int64_t first_wrong_byte(std::FILE* packed, std::FILE* unpacked) {
    constexpr std::size_t block = 1 << 16;
    std::vector<unsigned char> in(block);
    std::vector<unsigned char> expected(2 * block);
    std::vector<unsigned char> out(2 * block);
    std::int64_t position = 0;
    for (;;) {
        const std::size_t got = std::fread(in.data(), 1, block, packed);
        for (std::size_t i = 0; i < got; ++i) {
            expected[2 * i] = static_cast<unsigned char>(in[i] % 16);
            expected[2 * i + 1] = static_cast<unsigned char>(in[i] / 16);
        }
        // One byte more than expected, so that a longer output is noticed at the end.
        const std::size_t want = got == 0 ? 1 : 2 * got;
        const std::size_t read = std::fread(out.data(), 1, want, unpacked);
        for (std::size_t i = 0; i < read && i < 2 * got; ++i) {
            if (out[i] != expected[i]) {
                return position + static_cast<std::int64_t>(i);
            }
        }
        if (read != 2 * got) {
            return position + static_cast<std::int64_t>(std::min(read, 2 * got));
        }
        if (got == 0) {
            return -1;
        }
        position += static_cast<std::int64_t>(2 * got);
    }
}

class LargeFile : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(test::program_under_test().empty()) << "set NYBBLEX_UNDER_TEST";
        root_ =
            fs::temp_directory_path() / ("nybblex-large-" + std::to_string(std::random_device{}()));
        fs::create_directories(root_ / "capture");
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }

    fs::path root_;
};

TEST_F(LargeFile, SourceOfMoreThanTwoGibConverts) {
    const fs::path source = root_ / "big.bin";
    const std::uint64_t size = two_gib + 65536 + 3;
    make_sparse_file(source, size, marks_for(size));

    // The destination is standard output, a pipe read here as nybblex writes it.
    const test::piped_process nybblex =
        test::start_with_output_pipe(test::command_for({source, "/dev/stdout"}));
    ASSERT_NE(nybblex.out, nullptr) << "cannot start nybblex";
    std::FILE* const packed = std::fopen(source.c_str(), "rb");
    ASSERT_NE(packed, nullptr);
    EXPECT_EQ(first_wrong_byte(packed, nybblex.out), -1);
    std::fclose(packed);
    std::fclose(nybblex.out);
    EXPECT_EQ(test::wait_for_exit(nybblex.pid), 0);
}

TEST_F(LargeFile, DestinationGrowsPastTwoGib) {
    const fs::path source = root_ / "mid.bin";
    const fs::path destination = root_ / "mid.out";
    const std::uint64_t size = two_gib / 2 + 65536 + 3;
    make_sparse_file(source, size, marks_for(size));

    const auto result =
        test::run_process(test::command_for({source, destination}), root_ / "capture");
    EXPECT_TRUE(result.exited);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "");
    struct stat written {};
    ASSERT_EQ(stat(destination.c_str(), &written), 0);
    ASSERT_EQ(static_cast<std::uint64_t>(written.st_size), 2 * size);

    std::FILE* const packed = std::fopen(source.c_str(), "rb");
    std::FILE* const unpacked = std::fopen(destination.c_str(), "rb");
    ASSERT_NE(packed, nullptr);
    ASSERT_NE(unpacked, nullptr);
    EXPECT_EQ(first_wrong_byte(packed, unpacked), -1);
    std::fclose(packed);
    std::fclose(unpacked);
}

} // namespace
} // namespace nybblex
