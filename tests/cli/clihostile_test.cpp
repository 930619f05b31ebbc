// The command line on rule files made to hurt: the run ends with a status
// that says what happened, and a file it cannot use touches nothing.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>

#include "hexbytes.h"
#include "runprogram.h"
#include "tempdir.h"

namespace {

const std::string kProgram = ATNLINGO_EXE;
const char *kNoRules = "Your RUL file is empty or has no enabled rules.\nPlease set up some rules and enable [x] them.\n";

std::string numbered(char letter, int i)
{
    char text[16];
    std::snprintf(text, sizeof text, "%c%06d", letter, i);
    return text;
}

// A big-endian stored string holding `text` (ASCII), between filler bytes.
std::vector<std::uint8_t> storedString(const std::string &text)
{
    std::vector<std::uint8_t> bytes{0x11, 0x22, 0x33, 0x44, 0, 0, 0, std::uint8_t(text.size() + 1)};
    for (const char c : text) {
        bytes.push_back(0);
        bytes.push_back(std::uint8_t(c));
    }
    bytes.insert(bytes.end(), {0, 0, 0x55, 0x66});
    return bytes;
}

TEST(CliHostileRules, HundredThousandRulesAllApplied)
{
    TempDir dir;
    std::string text;
    for (int i = 0; i < 100000; ++i)
        text += "1;" + numbered('w', i) + ";" + numbered('x', i) + ";\n";
    writeText(dir.file("many.rul"), text);
    writeBytes(dir.file("in.atn"), storedString(numbered('w', 99999)));
    const auto run = runProgram(kProgram, {"--rules", dir.file("many.rul"), dir.file("in.atn"), dir.file("out.atn")});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(readBytes(dir.file("out.atn")), storedString(numbered('x', 99999)));
    EXPECT_TRUE(run.out.ends_with("Replacing \"w099999\" with \"x099999\"\nOpening output file: " + dir.file("out.atn")
                                  + "\nWriting 26 bytes.\nDone.\n"));
}

TEST(CliHostileRules, UnusableFilesTouchNothing)
{
    std::mt19937 random(11);
    std::string garbage(1 << 16, '\0');
    for (char &c : garbage)
        c = char(random());
    const std::pair<const char *, std::string> cases[] = {
        {"BinaryGarbage", garbage},
        {"LoneSurrogate", "1;\xED\xB2\x80;b;\n"},
        {"OnlySeparators", std::string(10 << 20, ';')},
    };
    for (const auto &[name, content] : cases) {
        SCOPED_TRACE(name);
        TempDir dir;
        writeText(dir.file("bad.rul"), content);
        writeBytes(dir.file("in.atn"), storedString("abc"));
        for (const std::string &output : {dir.file("out.atn"), dir.file("in.atn")}) {
            const auto run = runProgram(kProgram, {"--rules", dir.file("bad.rul"), dir.file("in.atn"), output});
            EXPECT_EQ(run.exitCode, 2);
            EXPECT_EQ(run.out, "");
            EXPECT_TRUE(run.err.ends_with(kNoRules)) << run.err;
            EXPECT_EQ(dir.entries(), (std::vector<std::string>{"bad.rul", "in.atn"}));
        }
    }
}

} // namespace
