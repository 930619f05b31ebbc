// The command line end to end on files in a temporary folder: the console
// text on standard output, the exit status, and the folder afterwards. Every
// failure is a line on standard output and a non-zero exit status, and no
// file is left half-written.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include "hexbytes.h"
#include "runprogram.h"
#include "smallfilesystem.h"
#include "tempdir.h"
#include "unprivileged.h"

namespace {

using Entries = std::vector<std::string>;

const std::string kProgram = ATNLINGO_EXE;
const auto kAtn = hexBytes("11 22 33 44 00 00 00 04 00 41 00 42 00 43 00 00 55 66");
const char *kTranslated = "11 22 33 44 00 00 00 05 00 41 00 58 00 59 00 43 00 00 55 66";

// Replaces the placeholders IN, OUT and DIR with the test's paths, in one
// pass, so that a path is never searched for placeholders itself.
std::string substitute(const std::string &text, const TempDir &dir)
{
    const std::pair<std::string_view, std::string> names[] = {
        {"IN", dir.file("in.atn")}, {"OUT", dir.file("out.atn")}, {"DIR", dir.path()}};
    std::string result;
    for (std::size_t at = 0; at < text.size();) {
        const auto name = std::find_if(std::begin(names), std::end(names),
                                       [&](const auto &n) { return text.compare(at, n.first.size(), n.first) == 0; });
        if (name == std::end(names)) {
            result += text[at++];
        } else {
            result += name->second;
            at += name->first.size();
        }
    }
    return result;
}

struct CliCase {
    const char *name;
    void (*prepare)(const TempDir &dir); // besides writing in.atn
    std::vector<std::string> args;       // "IN", "OUT", "DIR" stand for the test's paths
    int exitCode;
    const char *printed; // a piece of standard output or error, same placeholders
    Entries entries;     // the folder afterwards
};

void PrintTo(const CliCase &c, std::ostream *os) { *os << c.name; }

class Cli : public testing::TestWithParam<CliCase> {};

TEST_P(Cli, StatusOutputAndFolder)
{
    const CliCase &c = GetParam();
    TempDir dir;
    writeBytes(dir.file("in.atn"), kAtn);
    if (c.prepare)
        c.prepare(dir);
    std::vector<std::string> args;
    for (const auto &a : c.args)
        args.push_back(substitute(a, dir));
    const auto run = runProgram(kProgram, args);
    EXPECT_EQ(run.exitCode, c.exitCode);
    EXPECT_NE((run.out + run.err).find(substitute(c.printed, dir)), std::string::npos) << run.out << run.err;
    EXPECT_EQ(dir.entries(), c.entries);
}

const Entries kInput{"in.atn"}, kBoth{"in.atn", "out.atn"};

// in.atn becomes a named pipe that no program writes to, or a socket.
void inputIsAPipe(const TempDir &dir)
{
    ASSERT_EQ(std::remove(dir.file("in.atn").c_str()), 0);
    ASSERT_EQ(::mkfifo(dir.file("in.atn").c_str(), 0644), 0);
}

void inputIsASocket(const TempDir &dir)
{
    ASSERT_EQ(std::remove(dir.file("in.atn").c_str()), 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(dir.file("in.atn").copy(address.sun_path, sizeof address.sun_path - 1), sizeof address.sun_path - 1);
    const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_EQ(::bind(socket, reinterpret_cast<const sockaddr *>(&address), sizeof address), 0);
    ::close(socket);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Cli,
    testing::Values(
        CliCase{"LenientOptionIsAnnounced", nullptr, {"--lenient-le", "IN", "OUT", "B", "XY"}, 0,
                "Lenient little-endian handling is on", kBoth},
        CliCase{"ThreeArguments", nullptr, {"IN", "OUT", "B"}, 2, "Too few parameters", kInput},
        CliCase{"UnpairedTexts", nullptr, {"IN", "OUT", "B", "XY", "C"}, 2, "must come in pairs", kInput},
        CliCase{"Help", nullptr, {"--help"}, 0, "Usage: atnlingo", kInput},
        CliCase{"ShortHelp", nullptr, {"-h"}, 0, "Usage: atnlingo", kInput},
        CliCase{"Version", nullptr, {"--version"}, 0, "atnlingo ", kInput},
        CliCase{"HelpAmongOthers", nullptr, {"--help", "OUT", "B", "XY"}, 1, "Error: Cannot read \"--help\"", kInput},
        CliCase{"MissingInput", nullptr, {"DIR/missing.atn", "OUT", "B", "XY"}, 1,
                "Error: Cannot read \"DIR/missing.atn\": No such file or directory\n"
                "Not translated: Cannot read \"DIR/missing.atn\": No such file or directory. Nothing was written.\n"
                "Done.\n", kInput},
        CliCase{"InputIsAFolder", nullptr, {"DIR", "OUT", "B", "XY"}, 1,
                "Error: Cannot read \"DIR\": it is a folder\nNot translated: ", kInput},
        // Refused at once, not waited for or read as empty or endless.
        CliCase{"InputIsAPipeWithoutWriter", inputIsAPipe, {"IN", "OUT", "B", "XY"}, 1,
                "Error: Cannot read \"IN\": it is a pipe with no writer\nNot translated: ", kInput},
        CliCase{"InputIsADevice", nullptr, {"/dev/zero", "OUT", "B", "XY"}, 1,
                "Error: Cannot read \"/dev/zero\": it is a device\nNot translated: ", kInput},
        CliCase{"InputIsASocket", inputIsASocket, {"IN", "OUT", "B", "XY"}, 1,
                "Error: Cannot read \"IN\": it is a socket\nNot translated: ", kInput},
        CliCase{"SameFileIsAPipe", inputIsAPipe, {"IN", "IN", "B", "XY"}, 1,
                "Ooops! Something went wrong: cannot back up \"IN\": it is not a regular file\n", kInput},
        CliCase{"EmptyInput", [](const TempDir &dir) { writeText(dir.file("in.atn"), ""); },
                {"IN", "OUT", "B", "XY"}, 0, "Read 0 bytes.\nThe input is not a well-formed action file (at offset 0: "
                "expected a version number, found the end of the file), so the translated file is not checked.\n"
                "Replacing \"B\" with \"XY\"\nNot found.\nOpening output file: OUT\nWriting 0 bytes.\n"
                "Translated: 0 stored texts rewritten by 0 of 1 rules, written to \"OUT\".\nDone.\n", kBoth},
        CliCase{"ExactNeedsAWellFormedInput", nullptr, {"--exact", "IN", "OUT", "B", "XY"}, 1,
                "Error: The input is not a well-formed action file (at offset 0: expected version 16, found "
                "287454020), so it cannot be translated by its structure", kInput},
        // A pair that cannot be used is a usage error that names it; nothing is
        // read or written.
        CliCase{"InvalidPair", nullptr, {"IN", "OUT", "B", "XY", "", "x"}, 2,
                "Not translated: The rule \"\" \u2192 \"x\" cannot be used: Search string must not be empty!", kInput},
        CliCase{"OutputFolderMissing", nullptr, {"IN", "DIR/missing/out.atn", "B", "XY"}, 1,
                "Cannot write \"DIR/missing/out.atn\": No such file or directory\nNot translated: ", kInput},
        CliCase{"OutputIsAFolder", nullptr, {"IN", "DIR", "B", "XY"}, 1,
                "Cannot write \"DIR\": it is a folder\nNot translated: ", kInput},
        CliCase{"OutputIsAPipe", [](const TempDir &dir) { ASSERT_EQ(::mkfifo(dir.file("out.atn").c_str(), 0644), 0); },
                {"IN", "OUT", "B", "XY"}, 1, "Cannot write \"OUT\": it is not a regular file\nNot translated: ", kBoth},
        CliCase{"SameFileAndBackupNameTaken",
                [](const TempDir &dir) { ASSERT_EQ(::mkdir(dir.file("in.atn.bak").c_str(), 0755), 0); },
                {"IN", "IN", "B", "XY"}, 0, "Done.\n", {"in.atn", "in.atn.bak", "in.atn.bak.1"}}),
    [](const auto &test) { return std::string(test.param.name); });

TEST(CliFiles, TranslatesAndPrintsTheConsoleText)
{
    TempDir dir;
    const std::string input = dir.file("in.atn"), output = dir.file("out.atn");
    writeBytes(input, kAtn);
    const auto translated = runProgram(kProgram, {input, output, "B", "XY"});
    EXPECT_EQ(translated.exitCode, 0);
    EXPECT_EQ(translated.out, "Opening input file: " + input + "\nRead 18 bytes.\nThe input is not a well-formed action "
                              "file (at offset 0: expected version 16, found 287454020), so the translated file is not "
                              "checked.\nReplacing \"B\" with \"XY\"\n1 stored text rewritten.\nOpening output file: " +
                                  output + "\nWriting 20 bytes.\nTranslated: 1 stored text rewritten by 1 of 1 rules, "
                                  "written to \"" + output + "\".\nDone.\n");
    EXPECT_EQ(translated.err, "");
    EXPECT_EQ(toHex(readBytes(output)), kTranslated);

    // A pipe is read to its end: one filled and closed before the program
    // starts, which inherits its reading end.
    int pipe[2];
    ASSERT_EQ(::pipe(pipe), 0);
    ASSERT_EQ(::write(pipe[1], kAtn.data(), kAtn.size()), ssize_t(kAtn.size()));
    ::close(pipe[1]);
    std::remove(output.c_str());
    const auto run = runProgram(kProgram, {"/dev/fd/" + std::to_string(pipe[0]), output, "B", "XY"});
    ::close(pipe[0]);
    EXPECT_EQ(run.exitCode, 0) << run.out;
    EXPECT_EQ(toHex(readBytes(output)), kTranslated);
}

TEST(CliFiles, SameFileKeepsEveryEarlierVersion)
{
    TempDir dir;
    const std::string input = dir.file("in.atn");
    writeBytes(input, kAtn);
    ASSERT_EQ(runProgram(kProgram, {input, input, "B", "XY"}).exitCode, 0);
    EXPECT_EQ(toHex(readBytes(input + ".bak")), toHex(kAtn));
    EXPECT_EQ(toHex(readBytes(input)), kTranslated);

    ASSERT_EQ(runProgram(kProgram, {input, dir.path() + "/./in.atn", "XY", "B"}).exitCode, 0);
    EXPECT_EQ(toHex(readBytes(input + ".bak")), toHex(kAtn));
    EXPECT_EQ(toHex(readBytes(input + ".bak.1")), kTranslated);
    EXPECT_EQ(toHex(readBytes(input)), toHex(kAtn));
}

// Run as another user: an input it may not read, and a read-only folder. The
// existing output is kept and no temporary file is left; with the input as
// output no backup can be made, so nothing runs.
TEST(CliFiles, Permissions)
{
    TempDir dir;
    const std::string folder = dir.file("locked"), input = folder + "/in.atn", output = folder + "/out.atn";
    const std::string unreadable = dir.file("unreadable.atn");
    ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
    writeBytes(input, kAtn);
    writeBytes(unreadable, kAtn);
    writeText(output, "precious");
    ASSERT_EQ(::chmod(unreadable.c_str(), 0), 0);
    ASSERT_EQ(::chmod(folder.c_str(), 0555), 0);
    ASSERT_EQ(::chmod(dir.path().c_str(), 0777), 0);
    EXPECT_TRUE(runUnprivileged([&] {
        const auto run = runProgram(kProgram, {unreadable, dir.file("out.atn"), "B", "XY"});
        return run.exitCode == 1
               && run.out.find("Error: Cannot read \"" + unreadable + "\": Permission denied\nNot translated: ") != std::string::npos;
    }));
    EXPECT_TRUE(runUnprivileged([&] {
        const auto run = runProgram(kProgram, {input, output, "B", "XY"});
        return run.exitCode == 1 && run.out.find("Cannot write \"" + output + "\": Permission denied\nNot translated: ") != std::string::npos;
    }));
    EXPECT_TRUE(runUnprivileged([&] {
        const auto run = runProgram(kProgram, {input, input, "B", "XY"});
        return run.exitCode == 1
               && run.out == "Ooops! Something went wrong: cannot create backup \"" + input + ".bak\": Permission denied\n";
    }));
    EXPECT_EQ(dir.entries(), (Entries{"locked", "unreadable.atn"}));
    EXPECT_EQ(readText(output), "precious");
    EXPECT_EQ(toHex(readBytes(input)), toHex(kAtn));
    EXPECT_EQ(TempDir::entriesOf(folder), (Entries{"in.atn", "out.atn"}));
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
               && run.out.find("Cannot write \"" + folder + "/out.atn\": No space left on device\nNot translated: ") != std::string::npos
               && readText(folder + "/out.atn") == "precious" && TempDir::entriesOf(folder) == Entries{"out.atn"};
    });
    if (outcome == SmallFileSystemRun::Unsupported)
        GTEST_SKIP() << "cannot mount a small tmpfs here (needs root and mount namespaces); "
                        "the engine tests inject the same faults";
    EXPECT_EQ(outcome, SmallFileSystemRun::Passed);
}

} // namespace
