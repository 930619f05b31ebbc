// The command line when files misbehave: every failure is a line on standard
// output and a non-zero exit status, and no file is left half-written.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <sstream>
#include <sys/stat.h>

#include "cli/cli.h"
#include "filesystemfault.h"
#include "hexbytes.h"
#include "pipefeeder.h"
#include "runprogram.h"
#include "smallfilesystem.h"
#include "tempdir.h"
#include "unprivileged.h"

namespace {

using Entries = std::vector<std::string>;

const std::string kProgram = ATNLINGO_EXE;
const auto kAtn = hexBytes("11 22 33 44 00 00 00 04 00 41 00 42 00 43 00 00 55 66");
const char *kTranslated = "11 22 33 44 00 00 00 05 00 41 00 58 00 59 00 43 00 00 55 66";

std::string substitute(std::string text, const TempDir &dir)
{
    for (const auto &[from, to] : {std::pair{"IN", dir.file("in.atn")}, std::pair{"OUT", dir.file("out.atn")},
                                   std::pair{"DIR", dir.path()}}) {
        for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
            text.replace(at, std::string_view(from).size(), to);
    }
    return text;
}

struct FileCase {
    const char *name;
    void (*prepare)(const TempDir &dir); // besides writing in.atn
    std::vector<std::string> args;       // "IN", "OUT", "DIR" stand for the test's paths
    int exitCode;
    const char *printed; // the end of standard output, same placeholders
    Entries entries;     // the folder afterwards
};

void PrintTo(const FileCase &c, std::ostream *os) { *os << c.name; }

class CliFiles : public testing::TestWithParam<FileCase> {};

TEST_P(CliFiles, StatusOutputAndFolder)
{
    const FileCase &c = GetParam();
    TempDir dir;
    writeBytes(dir.file("in.atn"), kAtn);
    if (c.prepare)
        c.prepare(dir);
    std::vector<std::string> args;
    for (const auto &a : c.args)
        args.push_back(substitute(a, dir));
    const auto run = runProgram(kProgram, args);
    EXPECT_EQ(run.exitCode, c.exitCode);
    const std::string printed = substitute(c.printed, dir);
    ASSERT_GE(run.out.size(), printed.size()) << run.out;
    EXPECT_EQ(run.out.substr(run.out.size() - printed.size()), printed);
    EXPECT_EQ(dir.entries(), c.entries);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliFiles,
    testing::Values(
        FileCase{"OutputFolderMissing", nullptr, {"IN", "DIR/missing/out.atn", "B", "XY"}, 1,
                 "Cannot write \"DIR/missing/out.atn\": No such file or directory\nDone.\n", {"in.atn"}},
        FileCase{"OutputIsAFolder", nullptr, {"IN", "DIR", "B", "XY"}, 1,
                 "Cannot write \"DIR\": it is a folder\nDone.\n", {"in.atn"}},
        FileCase{"OutputIsAPipe", [](const TempDir &dir) { ASSERT_EQ(::mkfifo(dir.file("out.atn").c_str(), 0644), 0); },
                 {"IN", "OUT", "B", "XY"}, 1, "Cannot write \"OUT\": it is not a regular file\nDone.\n",
                 {"in.atn", "out.atn"}},
        FileCase{"InputIsAFolder", nullptr, {"DIR", "OUT", "B", "XY"}, 1,
                 "Error: Cannot read \"DIR\": it is a folder\nDone.\n", {"in.atn"}},
        FileCase{"EmptyInput", [](const TempDir &dir) { writeText(dir.file("in.atn"), ""); },
                 {"IN", "OUT", "B", "XY"}, 0, "Read 0 bytes.\nReplacing \"B\" with \"XY\"\n"
                 "Opening output file: OUT\nWriting 0 bytes.\nDone.\n", {"in.atn", "out.atn"}},
        FileCase{"OneByteInput", [](const TempDir &dir) { writeText(dir.file("in.atn"), "B"); },
                 {"IN", "OUT", "B", "XY"}, 0, "Writing 1 bytes.\nDone.\n", {"in.atn", "out.atn"}},
        FileCase{"SameFolderInputAndBackupTaken",
                 [](const TempDir &dir) { ASSERT_EQ(::mkdir(dir.file("in.atn.bak").c_str(), 0755), 0); },
                 {"IN", "IN", "B", "XY"}, 0, "Done.\n", {"in.atn", "in.atn.bak", "in.atn.bak.1"}}),
    [](const auto &test) { return std::string(test.param.name); });

TEST(CliFiles, PipeAsInput)
{
    TempDir dir;
    ASSERT_EQ(::mkfifo(dir.file("in.atn").c_str(), 0644), 0);
    PipeFeeder feeder(dir.file("in.atn"), std::string(kAtn.begin(), kAtn.end()));
    const auto run = runProgram(kProgram, {dir.file("in.atn"), dir.file("out.atn"), "B", "XY"});
    EXPECT_TRUE(feeder.delivered());
    EXPECT_EQ(run.exitCode, 0) << run.out;
    EXPECT_EQ(toHex(readBytes(dir.file("out.atn"))), kTranslated);
}

TEST(CliFiles, UnreadableInput)
{
    TempDir dir;
    const std::string input = dir.file("in.atn");
    writeBytes(input, kAtn);
    ASSERT_EQ(::chmod(input.c_str(), 0), 0);
    ASSERT_EQ(::chmod(dir.path().c_str(), 0777), 0);
    EXPECT_TRUE(runUnprivileged([&] {
        const auto run = runProgram(kProgram, {input, dir.file("out.atn"), "B", "XY"});
        return run.exitCode == 1 && run.out.ends_with("Error: Cannot read \"" + input + "\": Permission denied\nDone.\n");
    }));
    EXPECT_EQ(dir.entries(), Entries{"in.atn"});
}

TEST(CliFiles, OutputFolderNotWritable)
{
    TempDir dir;
    const std::string folder = dir.file("locked");
    ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
    writeBytes(dir.file("in.atn"), kAtn);
    writeText(folder + "/out.atn", "precious");
    ASSERT_EQ(::chmod(folder.c_str(), 0555), 0);
    ASSERT_EQ(::chmod(dir.path().c_str(), 0755), 0);
    EXPECT_TRUE(runUnprivileged([&] {
        const auto run = runProgram(kProgram, {dir.file("in.atn"), folder + "/out.atn", "B", "XY"});
        return run.exitCode == 1
               && run.out.ends_with("Cannot write \"" + folder + "/out.atn\": Permission denied\nDone.\n");
    }));
    EXPECT_EQ(readText(folder + "/out.atn"), "precious");
    EXPECT_EQ(TempDir::entriesOf(folder), Entries{"out.atn"});
}

TEST(CliFiles, FullFileSystem)
{
    TempDir inputs;
    std::vector<std::uint8_t> big(1 << 20, 0x11);
    std::copy(kAtn.begin(), kAtn.end(), big.begin());
    writeBytes(inputs.file("in.atn"), big);
    const auto outcome = runOnSmallFileSystem(64 * 1024, [&](const std::string &folder) {
        writeText(folder + "/out.atn", "precious");
        const auto run = runProgram(kProgram, {inputs.file("in.atn"), folder + "/out.atn", "B", "XY"});
        return run.exitCode == 1
               && run.out.ends_with("Cannot write \"" + folder + "/out.atn\": No space left on device\nDone.\n")
               && readText(folder + "/out.atn") == "precious" && TempDir::entriesOf(folder) == Entries{"out.atn"};
    });
    if (outcome == SmallFileSystemRun::Unsupported)
        GTEST_SKIP() << "cannot mount a small tmpfs here (needs root and mount namespaces)";
    EXPECT_EQ(outcome, SmallFileSystemRun::Passed);
}

// Faults injected into the program itself, run in this process.
TEST(CliFaults, FullDiskWhileWritingTheOutput)
{
    TempDir dir;
    writeBytes(dir.file("in.atn"), kAtn);
    std::ostringstream out, err;
    int status;
    {
        FileSystemFault fault(FileSystemFault::Call::Fsync, ENOSPC);
        status = cli::run({dir.file("in.atn"), dir.file("out.atn"), "B", "XY"}, out, err);
    }
    EXPECT_EQ(status, cli::Failure);
    EXPECT_TRUE(out.str().ends_with("Cannot write \"" + dir.file("out.atn") + "\": No space left on device\nDone.\n"))
        << out.str();
    EXPECT_EQ(dir.entries(), Entries{"in.atn"});
}

TEST(CliFaults, FullDiskWhileMakingTheBackup)
{
    TempDir dir;
    const std::string input = dir.file("in.atn");
    writeBytes(input, kAtn);
    std::ostringstream out, err;
    int status;
    {
        FileSystemFault fault(FileSystemFault::Call::Write, ENOSPC);
        status = cli::run({input, input, "B", "XY"}, out, err);
    }
    EXPECT_EQ(status, cli::Failure);
    EXPECT_EQ(out.str(), "Ooops! Something went wrong: cannot write backup \"" + input
                             + ".bak\": No space left on device\n");
    EXPECT_EQ(dir.entries(), Entries{"in.atn"});
    EXPECT_EQ(readBytes(input), kAtn);
}

} // namespace
