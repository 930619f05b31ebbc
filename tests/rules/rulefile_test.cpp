#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "logcapture.h"
#include "rules/rulefile.h"
#include "rules/ruletable.h"
#include "tempdir.h"

using namespace std::literals;
using rules::Rule;
using Rules = std::vector<Rule>;
using Texts = std::vector<std::string>;

namespace {

// What both readers make of one file.
struct ReadCase {
    const char *name;
    std::string_view text;
    Rules editor;      // readData
    Texts translation; // processRuleFile
};

void PrintTo(const ReadCase &c, std::ostream *os) { *os << c.name; }

const ReadCase kReadCases[] = {
    {"EmptyFile", "", {}, {}},
    // The flag words, compared exactly; any other flag repeats the one before.
    {"TrueWithoutTrailingSemicolonOrLineFeed", "true;Layer;Ebene", {{1, "Layer", "Ebene"}}, {"Layer", "Ebene"}},
    {"Disabled", "0;a;b;\nfalse;c;d;\n", {{0, "a", "b"}, {0, "c", "d"}}, {}},
    {"OtherFlagsCarry", "1;a;b;\nyes;c;d;\n0;e;f;\nTRUE;g;h;\n",
     {{1, "a", "b"}, {1, "c", "d"}, {0, "e", "f"}, {0, "g", "h"}}, {"a", "b"}},
    {"OtherFlagFirstIsDisabled", "yes;c;d;\n", {{0, "c", "d"}}, {}},
    {"ShortLineLeavesTheCarriedFlag", "1;a;b;\n0;x;\n2;c;d;\n", {{1, "a", "b"}, {1, "c", "d"}}, {"a", "b"}},
    {"BlanksAreKept", " 1;a ; b\t;\n", {{0, "a ", " b\t"}}, {}},
    // Empty pieces are dropped, pieces after the third ignored.
    {"RunsOfSeparators", ";;1;;;a;;;b;;;\n\n\n", {{1, "a", "b"}}, {"a", "b"}},
    {"SemicolonInTextSplitsIt", "1;a;b;c;\n", {{1, "a", "b"}}, {"a", "b"}},
    {"FewerThanThreeFields", "0;;;\n1;a\n1;a;;\n;;;\n", {}, {}},
    // "\r\n" is one character that ends no line; a lone "\r" is text.
    {"CrLfIsOneLine", "1;a;b;\r\n1;c;d;\r\n", {{1, "a", "b"}}, {"a", "b"}},
    {"CrLfInsideText", "1;a\r\nb;c;\n", {{1, "a\r\nb", "c"}}, {"a\r\nb", "c"}},
    {"LoneCarriageReturn", "1;a;b\r1;c;d", {{1, "a", "b\r1"}}, {"a", "b\r1"}},
    // A ";" joined into a larger character is no separator; a line feed always ends a line.
    {"CombiningMarkAfterSemicolon", "1;a;\u0301b;c;\n", {{1, "a;\u0301b", "c"}}, {"a;\u0301b", "c"}},
    {"PrefixMarkBeforeSemicolon", "1;\u0600;a;b;\n", {{1, "\u0600;a", "b"}}, {"\u0600;a", "b"}},
    {"MarksAroundLineFeed", "1;a;b\u0301\n\u03011;c;d", {{1, "a", "b\u0301"}, {1, "c", "d"}}, {"a", "b\u0301"}},
    // A byte-order mark is removed at the very start only.
    {"ByteOrderMarks", "\xEF\xBB\xBF" "1;a;b;\n\xEF\xBB\xBF" "0;c;d;\n", {{1, "a", "b"}, {1, "c", "d"}}, {"a", "b"}},
    {"NulCharacters", "1;a\0b;c\0;\n"sv, {{1, "a\0b"s, "c\0"s}}, {"a\0b"s, "c\0"s}},
};

class BothReaders : public testing::TestWithParam<ReadCase> {};

TEST_P(BothReaders, ReadTheSameFileTheirOwnWay)
{
    const ReadCase &c = GetParam();
    TempDir dir;
    writeText(dir.file("r.rul"), c.text);
    LogCapture log;
    testing::internal::CaptureStdout();
    EXPECT_EQ(rules::readData(dir.file("r.rul")), c.editor);
    EXPECT_EQ(rules::processRuleFile(dir.file("r.rul")), c.translation);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(log.messages, Texts{});
}

INSTANTIATE_TEST_SUITE_P(Lines, BothReaders, testing::ValuesIn(kReadCases),
                         [](const auto &testInfo) { return std::string(testInfo.param.name); });

// Invalid UTF-8 is in hostile_test.cpp.
TEST(RuleFile, MissingFileOrFolder)
{
    TempDir dir;
    LogCapture log;
    EXPECT_EQ(rules::readData(dir.file("missing.rul")), Rules{});
    testing::internal::CaptureStdout();
    EXPECT_EQ(rules::processRuleFile(dir.file("missing.rul")), Texts{});
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "File not found\n");
    EXPECT_EQ(rules::processRuleFile(dir.path()), Texts{});
    EXPECT_EQ(log.messages, Texts(2, "Cannot read file."));
}

TEST(RuleFile, DefaultAndEmptyTablesRoundTrip)
{
    TempDir dir;
    const std::string path = dir.file("default.rul");
    const Rules defaults = rules::RuleTable::defaultRules();
    EXPECT_TRUE(rules::writeData(path, defaults).isLossless());
    EXPECT_EQ(readText(ATNLINGO_SOURCE_DIR "/resources/rules/default-en-de.rul"), readText(path));
    EXPECT_TRUE(readText(path).starts_with("1;Background;Hintergrund;\n0;Brightness/Contrast;"));
    EXPECT_EQ(rules::readData(path), defaults);
    EXPECT_EQ(rules::processRuleFile(path).size(), 14u);

    LogCapture log;
    EXPECT_TRUE(rules::writeData(path, {}).isLossless());
    EXPECT_EQ(readText(path), "");
    EXPECT_EQ(rules::readData(path), Rules{});
    EXPECT_EQ(rules::processRuleFile(path), Texts{});
    EXPECT_EQ(log.messages, Texts{});
}

TEST(RuleFile, FailedWriteIsLoggedAndReported)
{
    TempDir dir;
    LogCapture log;
    for (const std::string &path : {dir.file("no/such/folder.rul"), dir.path()}) {
        const rules::WriteReport report = rules::writeData(path, {{0, "", "x"}});
        EXPECT_FALSE(report.written);
        EXPECT_NE(report.error.find(path), std::string::npos) << report.error;
        EXPECT_EQ(report.lossyRows.size(), 1u) << "rows are judged all the same";
    }
    EXPECT_EQ(log.messages, Texts(2, "Cannot write to file."));
    EXPECT_EQ(dir.entries(), Texts{});
}

} // namespace
