// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The nybblex developers
//
// The tool as a user or a script meets it: a separate process, its arguments, the files
// it touches, the one line it prints and its exit status. The program under test comes
// from the environment (program_under_test.hpp).

#include "expand_nibbles.hpp"
#include "file_bytes.hpp"
#include "program_under_test.hpp"
#include "reference.hpp"
#include "run_process.hpp"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#if defined(__linux__)
#include <unistd.h>
#endif
#if defined(_WIN32)
#include <windows.h>
#endif

namespace nybblex {
namespace {

namespace fs = std::filesystem;
using test::command_for;
using test::program_under_test;
using test::read_file;
using test::write_file;

// A Windows program writes its standard output in text mode: every "\n" it prints,
// a newline inside a path included, comes out as CR LF.
std::string line(std::string_view text) {
    const bool windows_program = program_under_test().extension() == ".exe";
    std::string out;
    for (const char c : std::string(text) + "\n") {
        out += (c == '\n' && windows_program) ? std::string("\r\n") : std::string(1, c);
    }
    return out;
}

// Test paths are written as UTF-8, whatever the platform's narrow code page is.
fs::path utf8_path(std::string_view name) {
    return fs::path(std::u8string(name.begin(), name.end()));
}

const std::string usage_line = line("Syntax: nybblex sourcefile destinationfile");

// Each test runs in a fresh, empty working directory, so that relative paths in the
// arguments appear in error lines exactly as typed, and any stray file is noticed.
class CommandLine : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(program_under_test().empty()) << "set NYBBLEX_UNDER_TEST";
        // Tests may run in parallel processes: the name must not repeat between them.
        const std::string test_name = testing::UnitTest::GetInstance()->current_test_info()->name();
        root_ = fs::temp_directory_path() /
                ("nybblex-" + test_name + "-" + std::to_string(std::random_device{}()));
        fs::remove_all(root_);
        fs::create_directories(root_ / "work");
        fs::create_directories(root_ / "capture");
        previous_directory_ = fs::current_path();
        fs::current_path(root_ / "work");
    }

    void TearDown() override {
        fs::current_path(previous_directory_);
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }

    // The program with its arguments, put after the words of a wrapper such as a shell.
    static std::vector<std::string> wrapped(std::vector<std::string> wrapper,
                                            const std::vector<std::string>& arguments) {
        const auto command = command_for(arguments);
        wrapper.insert(wrapper.end(), command.begin(), command.end());
        return wrapper;
    }

    test::process_result run_command(const std::vector<std::string>& command) const {
        return test::run_process(command, root_ / "capture");
    }

    test::process_result run(const std::vector<std::string>& arguments,
                             const fs::path& program = program_under_test()) const {
        return run_command(command_for(arguments, program));
    }

    // The names in the working directory, to prove that nothing was created.
    static std::set<std::string> listing() {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(".")) {
            names.insert(entry.path().filename().string());
        }
        return names;
    }

    fs::path root_;

private:
    fs::path previous_directory_;
};

void expect_outcome(const test::process_result& result, int status, const std::string& out) {
    EXPECT_TRUE(result.exited) << "the program did not end normally";
    EXPECT_EQ(result.status, status);
    EXPECT_EQ(result.out, out);
    EXPECT_EQ(result.err, "") << "nothing may ever go to standard error";
}

TEST_F(CommandLine, ConvertsFiles) {
    struct conversion {
        const char* name;
        std::string packed;
    };
    const conversion cases[] = {
        {"empty", ""},
        {"the example of the manual", "\x12\xAB\xF0"},
        // 0x0A, 0x0D and 0x1A pass unchanged only if both files are binary.
        {"every byte value", test::every_byte_value()},
        {"several blocks", test::random_bytes(3 * expand_block_bytes + 5)},
    };
    for (const auto& [name, packed] : cases) {
        SCOPED_TRACE(name);
        write_file("in.bin", packed);
        // A longer earlier destination must not leave a tail behind.
        write_file("out.bin", std::string(2 * packed.size() + 100, 'x'));

        expect_outcome(run({"in.bin", "out.bin"}), 0, "");
        EXPECT_EQ(read_file("out.bin"), test::reference_expand(packed));
        EXPECT_EQ(read_file("in.bin"), packed);
    }
}

TEST_F(CommandLine, CreatesAnAbsentDestination) {
    write_file("in.bin", "\x5A");
    expect_outcome(run({"in.bin", "new.bin"}), 0, "");
    EXPECT_EQ(read_file("new.bin"), "\x0A\x05");
}

// Wrong use touches no file, even when the first two arguments would have worked.
TEST_F(CommandLine, WrongNumberOfArgumentsTouchesNothing) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"in.bin"},
        {"in.bin", "new.bin", "old.bin"},
        {"in.bin", "old.bin", "new.bin", "more.bin"},
    };
    for (const auto& arguments : cases) {
        SCOPED_TRACE(arguments.size());
        write_file("in.bin", "\x12");
        write_file("old.bin", "keep");
        expect_outcome(run(arguments), 4, usage_line);
        EXPECT_EQ(listing(), (std::set<std::string>{"in.bin", "old.bin"}));
        EXPECT_EQ(read_file("old.bin"), "keep");
    }
}

TEST_F(CommandLine, UsageLineNamesTheToolWhateverItWasStartedAs) {
    const fs::path renamed = root_ / ("renamed" + program_under_test().extension().string());
    fs::copy_file(program_under_test(), renamed);
    expect_outcome(run({}, renamed), 4, usage_line);
}

struct failure_case {
    std::vector<std::string> arguments;
    std::string line; // without its line end
    int status;
};

// A source that cannot be opened is reported before the destination is even looked at.
TEST_F(CommandLine, UnopenableSourceLeavesDestinationAlone) {
    const failure_case cases[] = {
        {{"data/in.bin", "out.bin"}, "Error: Unable to open file DATA/IN.BIN !", 1},
        {{"", "out.bin"}, "Error: Unable to open file  !", 1},
        {{"adir", "out.bin"}, "Error: Unable to open file ADIR !", 1},
        // The path is text, never a format.
        {{"100%done.bin", "out.bin"}, "Error: Unable to open file 100%DONE.BIN !", 1},
        {{"%s%n%x%%.bin", "out.bin"}, "Error: Unable to open file %S%N%X%%.BIN !", 1},
        // Only a to z are upper-cased; digits, capitals, punctuation and the bytes of
        // a UTF-8 letter stay as they are.
        {{"Dir_9/m\xC3\xA9nu-x.BIN", "out.bin"},
         "Error: Unable to open file DIR_9/M\xC3\xA9NU-X.BIN !",
         1},
    };
    for (const auto& [arguments, expected, status] : cases) {
        SCOPED_TRACE(arguments[0]);
        fs::create_directory("adir");
        expect_outcome(run(arguments), status, line(expected));
        EXPECT_FALSE(fs::exists("out.bin"));
    }
}

// The destination is refused without changing the source, and above all the source is
// never opened for writing under another of its names.
TEST_F(CommandLine, UnwritableDestinationLeavesSourceAlone) {
    std::vector<failure_case> cases = {
        {{"in.bin", "missing/out.bin"}, "Error: Unable to overwrite file MISSING/OUT.BIN !", 2},
        {{"in.bin", "adir"}, "Error: Unable to overwrite file ADIR !", 2},
        {{"in.bin", "in.bin"}, "Error: Unable to overwrite file IN.BIN !", 2},
        {{"in.bin", "./in.bin"}, "Error: Unable to overwrite file ./IN.BIN !", 2},
        {{"in.bin", "adir/../in.bin"}, "Error: Unable to overwrite file ADIR/../IN.BIN !", 2},
        {{"in.bin", "hard.bin"}, "Error: Unable to overwrite file HARD.BIN !", 2},
        {{"adir/../in.bin", "in.bin"}, "Error: Unable to overwrite file IN.BIN !", 2},
    };
#if defined(_WIN32)
    // Windows file names ignore case and trailing dots, and take either separator.
    cases.push_back({{"in.bin", "IN.BIN"}, "Error: Unable to overwrite file IN.BIN !", 2});
    cases.push_back({{"in.bin", "in.bin."}, "Error: Unable to overwrite file IN.BIN. !", 2});
    cases.push_back(
        {{"in.bin", "adir\\..\\In.Bin"}, "Error: Unable to overwrite file ADIR\\..\\IN.BIN !", 2});
#else
    cases.push_back({{"in.bin", "soft.bin"}, "Error: Unable to overwrite file SOFT.BIN !", 2});
    cases.push_back({{"soft.bin", "in.bin"}, "Error: Unable to overwrite file IN.BIN !", 2});
#endif
    const std::string packed = test::every_byte_value();
    write_file("in.bin", packed);
    fs::create_directory("adir");
    fs::create_hard_link("in.bin", "hard.bin");
#if !defined(_WIN32)
    fs::create_symlink("in.bin", "soft.bin");
#endif
    for (const auto& [arguments, expected, status] : cases) {
        SCOPED_TRACE(arguments[1]);
        expect_outcome(run(arguments), status, line(expected));
        EXPECT_EQ(read_file("in.bin"), packed);
    }
}

// Names outside ASCII reach the file system whole (on Windows through the UTF-8 code
// page that the program's manifest asks for), and an error line keeps their bytes.
TEST_F(CommandLine, NonAsciiNames) {
    const std::string source = "\xD0\x96x.bin"; // Cyrillic Zhe, then "x.bin"
    const std::string destination = "\xD0\x96y.nib";
    write_file(utf8_path(source), "\x12\xAB\xF0");
    expect_outcome(run({source, destination}), 0, "");
    EXPECT_EQ(read_file(utf8_path(destination)), test::reference_expand("\x12\xAB\xF0"));

    expect_outcome(run({"\xD0\x96missing.bin", "out.bin"}), 1,
                   line("Error: Unable to open file \xD0\x96MISSING.BIN !"));
}

// What an error line shows of a path: a to z upper-cased, every other byte as it was.
std::string shown(std::string path) {
    std::transform(path.begin(), path.end(), path.begin(), [](char c) {
        return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    });
    return path;
}

// Whatever the arguments hold, the answer is a fixed line and status, and never a crash
// or a path taken for a format.
TEST_F(CommandLine, HostileArgumentsGetTheirFixedLines) {
    const std::string too_long = std::string(5000, 'n') + "%n%s.bin";
    std::vector<std::string> paths = {
        "%s%s%s%s%s%s%n%n%p%x",
        "back\\sl%%ash\\%d\\",
        std::string("ctrl\x01\x1b[2J\t\r\nname.bin"),
        too_long,
        "nodir/" + too_long,
    };
#if !defined(_WIN32)
    // Not UTF-8: Windows would not pass these bytes through as they are.
    paths.push_back("high\x80\xFF\xFE\xC0"
                    "bytes.bin");
#endif
    write_file("in.bin", "\x12");
    for (const auto& path : paths) {
        SCOPED_TRACE(path.substr(0, 40));
        expect_outcome(run({path, "out.bin"}), 1,
                       line("Error: Unable to open file " + shown(path) + " !"));
        EXPECT_FALSE(fs::exists("out.bin"));
        expect_outcome(run({"in.bin", "nodir/" + path}), 2,
                       line("Error: Unable to overwrite file NODIR/" + shown(path) + " !"));
        EXPECT_EQ(read_file("in.bin"), "\x12");
    }
}

#if defined(_WIN32)
// The batch file of the Windows zip, run by cmd as a user runs it: every .bin file of a
// folder converted into a .nib beside it, names with blanks included, and a line for
// each that says whether it was converted or which of its files was at fault.
TEST_F(CommandLine, ConvertAllBatchFileConvertsAFolderAndTellsEachOutcome) {
    // Beside each other, as in the zip: the batch file runs the nybblex.exe next to it.
    fs::copy_file(fs::absolute(NYBBLEX_CONVERT_ALL_BAT), "convert-all.bat");
    fs::copy_file(program_under_test(), "nybblex.exe");
    fs::create_directories("images/locked.nib"); // a folder: no file can be written there
    write_file("images/good.bin", "\x12\xAB");
    write_file("images/with blanks.bin", "\xF0\x0A");
    write_file("images/locked.bin", "\x5A");
    write_file("images/other.txt", "not a .bin file");
    // Held open by another program that shares it with nobody: it cannot be read.
    write_file("images/busy.bin", "\x01");
    const HANDLE busy = CreateFileW(L"images\\busy.bin", GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(busy, INVALID_HANDLE_VALUE);

    const auto result = run_command({"cmd", "/c", "convert-all.bat", "images"});
    CloseHandle(busy);
    EXPECT_TRUE(result.exited);
    EXPECT_EQ(result.status, 1) << "a file failed, so the batch file must end with 1";
    const std::string out = result.out;
    for (const char* reported : {"good.bin: converted into good.nib\r\n",
                                 "with blanks.bin: converted into with blanks.nib\r\n",
                                 "locked.bin: not converted, the destination locked.nib "
                                 "cannot be written\r\n",
                                 "busy.bin: not converted, the source cannot be read\r\n"}) {
        EXPECT_NE(out.find(reported), std::string::npos) << "missing: " << reported << out;
    }
    EXPECT_NE(out.find("Error: Unable to overwrite file "), std::string::npos) << out;
    EXPECT_EQ(read_file("images/good.nib"), test::reference_expand("\x12\xAB"));
    EXPECT_EQ(read_file("images/with blanks.nib"), test::reference_expand("\xF0\x0A"));
    EXPECT_TRUE(fs::is_directory("images/locked.nib"));
    EXPECT_FALSE(fs::exists("images/other.nib"));
    EXPECT_FALSE(fs::exists("images/busy.nib"));

    // A folder where every file converts: status 0. No such folder: wrong use, status 4.
    fs::remove_all("images/locked.nib");
    EXPECT_EQ(run_command({"cmd", "/c", "convert-all.bat", "images"}).status, 0);
    EXPECT_EQ(read_file("images/locked.nib"), test::reference_expand("\x5A"));
    EXPECT_EQ(run_command({"cmd", "/c", "convert-all.bat", "missing"}).status, 4);
}
#endif

#if defined(__linux__)
// A destination on a file system that fills up part-way: a 64 KiB tmpfs, mounted in a
// mount namespace of the test's own, so that nothing outside it ever sees the mount.
TEST_F(CommandLine, FileSystemFillingUpIsAWriteErrorAndKeepsAnExactPrefix) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "mounting a small tmpfs in a private mount namespace needs root";
    }
    const std::string packed = test::random_bytes(100'000);
    write_file("in.bin", packed);
    fs::create_directory("small");
    // The mount ends with the namespace, so the partial destination is copied out first.
    const std::string script = "mount -t tmpfs -o size=64k nybblex-test small || exit 99\n"
                               "\"$@\"; status=$?\n"
                               "cp small/out.bin partial.bin; exit $status";
    const auto result = run_command(
        wrapped({"unshare", "--mount", "--propagation", "private", "sh", "-c", script, "sh"},
                {"in.bin", "small/out.bin"}));
    if (!result.exited || result.status == 99) {
        GTEST_SKIP() << "cannot mount a tmpfs in a private mount namespace here: " << result.err;
    }
    expect_outcome(result, 2, line("Error: Unable to write file SMALL/OUT.BIN !"));
    const std::string partial = read_file("partial.bin");
    const std::string expanded = test::reference_expand(packed);
    EXPECT_GT(partial.size(), 0U);
    EXPECT_LT(partial.size(), expanded.size());
    EXPECT_EQ(partial, expanded.substr(0, partial.size())) << "not a prefix of the expansion";
    EXPECT_EQ(read_file("in.bin"), packed);
}

// The manual's pipeline: standard input and output named as files.
TEST_F(CommandLine, ConvertsFromStandardInputToStandardOutput) {
    write_file("in.bin", "\x12\xAB\xF0");
    // Pipes on both sides; the shell hands back nybblex's own status.
    const std::string script =
        "cat in.bin | { \"$@\"; echo $? >status; } | cat >out.nib; exit $(cat status)";
    expect_outcome(run_command(wrapped({"sh", "-c", script, "sh"}, {"/dev/stdin", "/dev/stdout"})),
                   0, "");
    EXPECT_EQ(read_file("out.nib"), test::reference_expand("\x12\xAB\xF0"));
}

// The example of the manual page whose text holds needle, as a shell runs it: the lines
// between .EX and .EE, with the page's escapes undone.
std::string manual_example(std::string_view needle) {
    std::istringstream page(read_file(NYBBLEX_MANUAL_SOURCE));
    std::string example;
    bool inside = false;
    for (std::string text; std::getline(page, text);) {
        if (text == ".EX" || text == ".EE") {
            if (!inside || example.find(needle) == std::string::npos) {
                example.clear();
            } else {
                return example;
            }
            inside = text == ".EX";
            continue;
        }
        for (const auto& [escape, plain] : {std::pair{"\\-", "-"}, std::pair{"\\(aq", "'"}}) {
            for (auto at = text.find(escape); at != std::string::npos; at = text.find(escape)) {
                text.replace(at, std::string_view(escape).size(), plain);
            }
        }
        example += inside ? text + "\n" : "";
    }
    return {};
}

// The manual's batch of conversions run in parallel, as the page writes it, with
// `nybblex` on the PATH: every .bin file below the folder, whatever its name, gets its
// .nib beside it; when one conversion fails, xargs ends with 123.
TEST_F(CommandLine, ManualsParallelBatchConvertsEveryFile) {
    const std::string example = manual_example("xargs -0 -P \"$(nproc)\"");
    ASSERT_NE(example, "") << "no parallel xargs example in " << NYBBLEX_MANUAL_SOURCE;

    fs::create_directory("bin");
    std::string runner = "#!/bin/sh\nexec";
    for (const auto& word : command_for({})) {
        runner += " '" + word + "'";
    }
    write_file("bin/nybblex", runner + " \"$@\"\n");
    fs::permissions("bin/nybblex", fs::perms::owner_all);

    constexpr int numbered_files = 24;
    std::vector<std::pair<std::string, std::string>> files;
    files.reserve(numbered_files + 2);
    for (int i = 0; i < numbered_files; ++i) {
        files.emplace_back("images/" + std::to_string(i) + ".bin",
                           test::random_bytes(1000 + 37 * static_cast<std::size_t>(i),
                                              static_cast<std::uint32_t>(i)));
    }
    files.emplace_back("images/deeper/with blanks and 'quotes'.bin", "\x12\xAB\xF0");
    files.emplace_back("images/deeper/new\nline.bin", "\x5A");
    fs::create_directories("images/deeper");
    for (const auto& [name, packed] : files) {
        write_file(name, packed);
    }
    const std::vector<std::string> shell = {"sh", "-c", "PATH=\"$PWD/bin:$PATH\"\n" + example};

    expect_outcome(run_command(shell), 0, "");
    for (const auto& [name, packed] : files) {
        EXPECT_EQ(read_file(name + ".nib"), test::reference_expand(packed)) << name;
    }

    fs::remove("images/3.bin.nib");
    fs::create_directory("images/3.bin.nib"); // cannot be written
    const auto result = run_command(shell);
    EXPECT_EQ(result.status, 123);
    EXPECT_EQ(result.out, line("Error: Unable to overwrite file IMAGES/3.BIN.NIB !"));
}

// Real failures from devices that Linux provides for the purpose.
// A small file fails only when the close flushes it, a large one already at a write.
TEST_F(CommandLine, FullDeviceIsAWriteError) {
    for (const std::size_t size : {std::size_t{1000}, std::size_t{300'000}}) {
        SCOPED_TRACE(size);
        const std::string packed = test::random_bytes(size);
        write_file("in.bin", packed);
        expect_outcome(run({"in.bin", "/dev/full"}), 2,
                       line("Error: Unable to write file /DEV/FULL !"));
        EXPECT_EQ(read_file("in.bin"), packed);
    }
}

// Offset 0 of a process's memory is never mapped, so its first read fails.
TEST_F(CommandLine, FailedReadIsAReadErrorAndTheDestinationIsClosed) {
    write_file("out.bin", "old content");
    expect_outcome(run({"/proc/self/mem", "out.bin"}), 1,
                   line("Error: Unable to read file /PROC/SELF/MEM !"));
    EXPECT_EQ(read_file("out.bin"), "");
}
#endif

} // namespace
} // namespace nybblex
