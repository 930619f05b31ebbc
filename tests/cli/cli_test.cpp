#include <gtest/gtest.h>

#include <sys/stat.h>

#include "hexbytes.h"
#include "runprogram.h"
#include "tempdir.h"
#include "unprivileged.h"

namespace {

const std::string kProgram = ATNLINGO_EXE;
const auto kAtn = hexBytes("11 22 33 44 00 00 00 04 00 41 00 42 00 43 00 00 55 66");
const char *kTranslated = "11 22 33 44 00 00 00 05 00 41 00 58 00 59 00 43 00 00 55 66";

class Cli : public testing::Test {
protected:
    void SetUp() override { writeBytes(input, kAtn); }

    TempDir dir;
    const std::string input = dir.file("in.atn");
    const std::string output = dir.file("out.atn");
};

TEST_F(Cli, TranslatesAndPrintsTheConsoleText)
{
    const auto run = runProgram(kProgram, {input, output, "B", "XY"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "Opening input file: " + input + "\nRead 18 bytes.\nReplacing \"B\" with \"XY\"\n"
                           "Opening output file: " + output + "\nWriting 20 bytes.\nDone.\n");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(toHex(readBytes(output)), kTranslated);
}

TEST_F(Cli, LenientOptionIsAnnounced)
{
    const auto run = runProgram(kProgram, {"--lenient-le", input, output, "B", "XY"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out.rfind("Lenient little-endian handling is on", 0), 0u) << run.out;
}

struct ExitCase {
    const char *name;
    std::vector<std::string> args; // "IN"/"OUT" stand for the test's files
    int exitCode;
    bool outputWritten;
    const char *printed; // a piece of standard output
};

void PrintTo(const ExitCase &c, std::ostream *os) { *os << c.name; }

class CliExit : public Cli, public testing::WithParamInterface<ExitCase> {};

TEST_P(CliExit, StatusAndOutput)
{
    const ExitCase &c = GetParam();
    std::vector<std::string> args;
    for (const auto &a : c.args)
        args.push_back(a == "IN" ? input : a == "OUT" ? output : a);
    const auto run = runProgram(kProgram, args);
    EXPECT_EQ(run.exitCode, c.exitCode);
    EXPECT_NE(run.out.find(c.printed), std::string::npos) << run.out;
    EXPECT_EQ(dir.entries().size(), c.outputWritten ? 2u : 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliExit,
    testing::Values(ExitCase{"NoArguments", {}, 2, false, "Too few parameters"},
                    ExitCase{"ThreeArguments", {"IN", "OUT", "B"}, 2, false, "Too few parameters"},
                    ExitCase{"UnpairedTexts", {"IN", "OUT", "B", "XY", "C"}, 2, false, "must come in pairs"},
                    ExitCase{"FailingPair", {"IN", "OUT", "", "x", "B", "XY"}, 1, true,
                             "Error: Search string must not be empty!\n"},
                    ExitCase{"InvalidUtf8", {"IN", "OUT", "\xff", "x"}, 1, true, "is not valid UTF-8"},
                    ExitCase{"MissingInput", {"missing.atn", "OUT", "B", "XY"}, 1, false,
                             "Error: Cannot read \"missing.atn\": No such file or directory\n"},
                    ExitCase{"HelpAmongOthers", {"--help", "OUT", "B", "XY"}, 1, false, "Error: Cannot read \"--help\""},
                    ExitCase{"Help", {"--help"}, 0, false, "Usage: atnlingo"},
                    ExitCase{"ShortHelp", {"-h"}, 0, false, "Usage: atnlingo"},
                    ExitCase{"Version", {"--version"}, 0, false, "atnlingo "}),
    [](const auto &test) { return std::string(test.param.name); });

TEST_F(Cli, SameFileKeepsEveryEarlierVersion)
{
    ASSERT_EQ(runProgram(kProgram, {input, input, "B", "XY"}).exitCode, 0);
    EXPECT_EQ(toHex(readBytes(input + ".bak")), toHex(kAtn));
    EXPECT_EQ(toHex(readBytes(input)), kTranslated);

    ASSERT_EQ(runProgram(kProgram, {input, dir.path() + "/./in.atn", "XY", "B"}).exitCode, 0);
    EXPECT_EQ(toHex(readBytes(input + ".bak")), toHex(kAtn));
    EXPECT_EQ(toHex(readBytes(input + ".bak.1")), kTranslated);
    EXPECT_EQ(toHex(readBytes(input)), toHex(kAtn));
}

TEST_F(Cli, NoBackupNoTranslation)
{
    const std::string folder = dir.file("locked");
    ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
    const std::string lockedInput = folder + "/a.atn";
    writeBytes(lockedInput, kAtn);
    ASSERT_EQ(::chmod(folder.c_str(), 0555), 0);
    ASSERT_EQ(::chmod(dir.path().c_str(), 0755), 0);
    const bool refused = runUnprivileged([&] {
        const auto run = runProgram(kProgram, {lockedInput, lockedInput, "B", "XY"});
        return run.exitCode == 1
               && run.out == "Ooops! Something went wrong: cannot create backup \"" + lockedInput
                                 + ".bak\": Permission denied\n";
    });
    EXPECT_TRUE(refused);
    EXPECT_EQ(toHex(readBytes(lockedInput)), toHex(kAtn));
}

} // namespace
