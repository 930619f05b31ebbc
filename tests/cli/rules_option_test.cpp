// The command line taking its pairs from a rule file, including rule files
// made to hurt: the run ends with a status that says what happened, and a
// file it cannot use touches nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "hexbytes.h"
#include "runprogram.h"
#include "tempdir.h"

namespace {

const std::string kProgram = ATNLINGO_EXE;
// A big-endian stored string "ABC", and the same with "B" replaced by "XY".
const char *kInput = "11 22 33 44 00 00 00 04 00 41 00 42 00 43 00 00 55 66";
const char *kTranslated = "11 22 33 44 00 00 00 05 00 41 00 58 00 59 00 43 00 00 55 66";
// A little-endian string with a misspelt "txtu" signature: only the lenient
// mode rewrites it.
const char *kBadSignature = "99 99 00 00 00 14 74 78 74 78 14 00 00 00 04 00 00 00 00 01 42 00 43 00 00 00 77";
const char *kBadSignatureTranslated =
    "99 99 00 00 00 14 74 78 74 78 14 00 00 00 04 00 00 00 00 01 44 00 43 00 00 00 77";
// The English text of the warning.
const char *kNoRules = "Your RUL file is empty or has no enabled rules.\nPlease set up some rules and enable [x] them.\n";

class RulesOption : public testing::Test {
protected:
    void SetUp() override
    {
        writeBytes(input, hexBytes(kInput));
        writeText(rules, "1;B;XY;\n0;A;Q;\n");
    }

    TempDir dir;
    const std::string input = dir.file("in.atn");
    const std::string output = dir.file("out.atn");
    const std::string rules = dir.file("de.rul");
};

// Translating the input in place backs it up first, as without the option.
TEST_F(RulesOption, TranslatesByTheEnabledRules)
{
    const auto run = runProgram(kProgram, {"--rules", rules, input, input});
    EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
    // "A" -> "Q" is disabled.
    EXPECT_NE(run.out.find("Replacing \"B\" with \"XY\"\n"), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("Replacing \"A\""), std::string::npos) << run.out;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(toHex(readBytes(input)), kTranslated);
    EXPECT_EQ(toHex(readBytes(input + ".bak")), kInput);
}

TEST_F(RulesOption, PassesTheLenientOptionOn)
{
    writeBytes(input, hexBytes(kBadSignature));
    writeText(rules, "1;B;D;\n");
    (void)runProgram(kProgram, {"--rules", rules, input, output});
    EXPECT_EQ(toHex(readBytes(output)), kBadSignature);
    const auto lenient = runProgram(kProgram, {"--rules", rules, "--lenient-le", input, output});
    EXPECT_EQ(lenient.exitCode, 0) << lenient.out;
    EXPECT_EQ(toHex(readBytes(output)), kBadSignatureTranslated);
}

// A rule file that yields no pair leaves every file alone, the backup included.
TEST_F(RulesOption, NoPairsTouchNothing)
{
    struct Case {
        const char *name;
        std::optional<std::string> ruleText; // none: no rule file at all
        const char *out;                     // standard output
        const char *logLine;                 // the diagnostic line before the warning
    };
    const Case cases[] = {
        {"Empty", "", "", ""},
        {"DisabledOrIncomplete", "0;B;XY;\nfalse;A;Q;\n1;B;\n", "", ""},
        {"Missing", std::nullopt, "File not found\n", ""},
        {"InvalidUtf8", "1;B;\xFF;\n", "", "Cannot read file. ("},
    };
    for (const Case &c : cases) {
        std::filesystem::remove(rules);
        if (c.ruleText)
            writeText(rules, *c.ruleText);
        const auto before = dir.entries();
        for (const std::string &target : {output, input}) {
            SCOPED_TRACE(std::string(c.name) + " -> " + target);
            const auto run = runProgram(kProgram, {"--rules", rules, input, target});
            EXPECT_EQ(run.exitCode, 2);
            EXPECT_EQ(run.out, c.out);
            EXPECT_TRUE(run.err.starts_with(c.logLine) && run.err.ends_with(kNoRules)) << run.err.substr(0, 200);
            EXPECT_EQ(dir.entries(), before);
            EXPECT_EQ(toHex(readBytes(input)), kInput);
        }
    }
}

TEST_F(RulesOption, MalformedArgumentsTouchNothing)
{
    const std::vector<std::vector<std::string>> cases{
        {"--rules"},
        {"--rules", rules, input},
        {"--rules", rules, "--lenient-le", input},
        {"--rules", rules, input, output, "B", "XY"},
        {"--rules", rules, "--json", input, output},
        {"--rules", rules, "--dry-run", input, output},
        {"--rules", rules, "--dry-run", "--output-dir", dir.path(), input},
        {"--rules", rules, "--output-dir", dir.path()},
    };
    const auto before = dir.entries();
    for (const auto &args : cases) {
        SCOPED_TRACE(testing::PrintToString(args));
        const auto run = runProgram(kProgram, args);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.err.starts_with("Usage: atnlingo --rules RULFILE [--exact] [--lenient-le] INPUT OUTPUT\n")) << run.err;
        EXPECT_EQ(dir.entries(), before);
    }
}

} // namespace
