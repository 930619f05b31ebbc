#include <gtest/gtest.h>

#include <optional>
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
    {"OnlyLineFeeds", "\n\n\n", {}, {}},
    // The flag words, compared exactly; any other flag repeats the one before.
    {"TrueWithoutTrailingSemicolonOrLineFeed", "true;Layer;Ebene", {{1, "Layer", "Ebene"}}, {"Layer", "Ebene"}},
    {"Disabled", "0;a;b;\nfalse;c;d;\n", {{0, "a", "b"}, {0, "c", "d"}}, {}},
    {"OtherFlagsCarry", "1;a;b;\nyes;c;d;\n0;e;f;\nTRUE;g;h;\n",
     {{1, "a", "b"}, {1, "c", "d"}, {0, "e", "f"}, {0, "g", "h"}}, {"a", "b"}},
    {"OtherFlagFirstIsDisabled", "yes;c;d;\n", {{0, "c", "d"}}, {}},
    {"ShortLineLeavesTheCarriedFlag", "1;a;b;\n0;x;\n2;c;d;\n", {{1, "a", "b"}, {1, "c", "d"}}, {"a", "b"}},
    {"BlanksAreKept", " 1;a ; b\t;\n", {{0, "a ", " b\t"}}, {}},
    // Empty pieces are dropped, pieces after the third ignored.
    {"EmptyPieceDropped", "1;;Levels;Tonwertkorrektur;", {{1, "Levels", "Tonwertkorrektur"}},
     {"Levels", "Tonwertkorrektur"}},
    {"RunsOfSeparators", ";;1;;;a;;;b;;;\n\n\n", {{1, "a", "b"}}, {"a", "b"}},
    {"SemicolonInTextSplitsIt", "1;a;b;c;\n", {{1, "a", "b"}}, {"a", "b"}},
    {"FewerThanThreeFields", "0;;;\n1;a\n1;a;;\n;;;\n", {}, {}},
    // "\r\n" is one character that ends no line; a lone "\r" is text.
    {"CrLfIsOneLine", "1;a;b;\r\n1;c;d;\r\n", {{1, "a", "b"}}, {"a", "b"}},
    {"CrLfInsideText", "1;a\r\nb;c;\n", {{1, "a\r\nb", "c"}}, {"a\r\nb", "c"}},
    {"LoneCarriageReturn", "1;a;b\r1;c;d", {{1, "a", "b\r1"}}, {"a", "b\r1"}},
    // A ";" joined into a larger character is no separator.
    {"CombiningMarkAfterSemicolon", "1;a;\u0301b;c;\n", {{1, "a;\u0301b", "c"}}, {"a;\u0301b", "c"}},
    {"CombiningMarkAfterLastSemicolon", "1;a;b;\u0301\n", {{1, "a", "b;\u0301"}}, {"a", "b;\u0301"}},
    {"JoinerAfterSemicolon", "1;a;\u200Db;c", {{1, "a;\u200Db", "c"}}, {"a;\u200Db", "c"}},
    {"PrefixMarkBeforeSemicolon", "1;\u0600;a;b;\n", {{1, "\u0600;a", "b"}}, {"\u0600;a", "b"}},
    // A line feed ends a line whatever stands around it.
    {"MarksAroundLineFeed", "1;a;b\u0301\n\u03011;c;d", {{1, "a", "b\u0301"}, {1, "c", "d"}}, {"a", "b\u0301"}},
    // A byte-order mark is removed at the very start only.
    {"LeadingByteOrderMark", "\xEF\xBB\xBF" "1;a;b;\n", {{1, "a", "b"}}, {"a", "b"}},
    {"ByteOrderMarkLater", "1;a;b;\n\xEF\xBB\xBF" "0;c;d;\n", {{1, "a", "b"}, {1, "c", "d"}}, {"a", "b"}},
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
    EXPECT_TRUE(log.messages().empty());
}

INSTANTIATE_TEST_SUITE_P(Lines, BothReaders, testing::ValuesIn(kReadCases),
                         [](const auto &testInfo) { return std::string(testInfo.param.name); });

// Files that give both readers nothing, and how each says so.
struct FailCase {
    const char *name;
    std::optional<std::string_view> text; // nothing: no such file
    const char *translationOut;           // processRuleFile's standard output
    std::size_t translationLogs;          // its "Cannot read file." lines
};

TEST(RuleFile, UnreadableFiles)
{
    const FailCase cases[] = {
        {"Missing", std::nullopt, "File not found\n", 0},
        {"InvalidByte", "1;a;\xFF;\n", "", 1},
        {"StrayContinuation", "1;a;\x80;\n", "", 1},
        {"Overlong", "1;a;\xC0\xAF;\n", "", 1},
        {"Surrogate", "1;\xED\xA0\x80;b;\n", "", 1},
        {"CutShortAtTheEnd", "1;a;b;\n1;c;d\xE2\x82", "", 1},
    };
    for (const FailCase &c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        if (c.text)
            writeText(dir.file("r.rul"), *c.text);
        LogCapture editorLog;
        EXPECT_EQ(rules::readData(dir.file("r.rul")), Rules{});
        EXPECT_EQ(editorLog.messages(), Texts{"Cannot read file."});
        LogCapture translationLog;
        testing::internal::CaptureStdout();
        EXPECT_EQ(rules::processRuleFile(dir.file("r.rul")), Texts{});
        EXPECT_EQ(testing::internal::GetCapturedStdout(), c.translationOut);
        EXPECT_EQ(translationLog.messages(), Texts(c.translationLogs, "Cannot read file."));
    }
    // A folder exists but is no file.
    TempDir dir;
    LogCapture log;
    EXPECT_EQ(rules::processRuleFile(dir.path()), Texts{});
    EXPECT_EQ(log.messages(), Texts{"Cannot read file."});
}

TEST(RuleFile, DefaultTableRoundTripAndShippedFile)
{
    TempDir dir;
    const std::string path = dir.file("default.rul");
    const Rules defaults = rules::RuleTable::defaultRules();
    EXPECT_TRUE(rules::writeData(path, defaults).isLossless());
    EXPECT_EQ(readText(ATNLINGO_SOURCE_DIR "/resources/rules/default-en-de.rul"), readText(path));
    EXPECT_TRUE(readText(path).starts_with("1;Background;Hintergrund;\n0;Brightness/Contrast;"));
    EXPECT_EQ(rules::readData(path), defaults);
    EXPECT_EQ(rules::processRuleFile(path),
              (Texts{"Background", "Hintergrund", "copy", "Kopie", "Color Fill", "Farbf\xC3\xBCllung",
                     "Gradient Fill", "Verlaufsf\xC3\xBCllung", "Gradient Map", "Verlaufsumsetzung", "Layer",
                     "Ebene", "Levels", "Tonwertkorrektur"}));
}

TEST(RuleFile, EmptyTableWritesAnEmptyFileThatReadsBackEmpty)
{
    TempDir dir;
    const std::string path = dir.file("empty.rul");
    writeText(path, "1;old;content;\n");
    LogCapture log;
    EXPECT_TRUE(rules::writeData(path, {}).isLossless());
    EXPECT_EQ(readText(path), "");
    EXPECT_EQ(rules::readData(path), Rules{});
    EXPECT_EQ(rules::processRuleFile(path), Texts{});
    EXPECT_TRUE(log.messages().empty());
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
    EXPECT_EQ(log.messages(), Texts(2, "Cannot write to file."));
    EXPECT_EQ(dir.entries(), Texts{});
}

TEST(RuleFile, ManyRulesRoundTrip)
{
    Rules many;
    for (int i = 0; i < 20000; ++i)
        many.push_back({i % 3 == 0 ? 0 : 1, "s " + std::to_string(i) + " \u00e4\u0301", "r\r\n" + std::to_string(i)});
    TempDir dir;
    ASSERT_TRUE(rules::writeData(dir.file("many.rul"), many).isLossless());
    EXPECT_EQ(rules::readData(dir.file("many.rul")), many);
    const Texts pairs = rules::processRuleFile(dir.file("many.rul"));
    ASSERT_EQ(pairs.size(), 2u * 13333);
    EXPECT_EQ(pairs[0], many[1].search);
    EXPECT_EQ(pairs.back(), many.back().replace);
}

TEST(RuleText, LongLinesAreCutWhole)
{
    const std::string filler(3 << 20, ';');
    const std::string a(1 << 20, 'a');
    const auto read = rules::rulesFromText("1;" + a + filler + "b" + filler + "c;d\n0;x;y");
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(*read, (Rules{{1, a, "b"}, {0, "x", "y"}}));
}

} // namespace
