// What both readers make of a rule file, which rows a written file cannot
// give back, the shipped defaults, and the moves of the table's rows that the
// rule editor's row buttons do not reach in its tests.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "rules/lossyrows.h"
#include "rules/rulefile.h"
#include "rules/ruletable.h"
#include "tempdir.h"

using rules::LossyRow;
using rules::RowProblem;
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
    {"ShortLineLeavesTheCarriedFlag", "1;a;b;\n0;x;\n2;c;d;\n", {{1, "a", "b"}, {1, "c", "d"}}, {"a", "b"}},
    {"BlanksAreKept", " 1;a ; b\t;\n", {{0, "a ", " b\t"}}, {}},
    // Empty pieces are dropped, pieces after the third ignored.
    {"RunsOfSeparators", ";;1;;;a;;;b;;;\n\n\n", {{1, "a", "b"}}, {"a", "b"}},
    {"SemicolonInTextSplitsIt", "1;a;b;c;\n", {{1, "a", "b"}}, {"a", "b"}},
    // "\r\n" is one character, so its line feed ends no line.
    {"CrLfIsOneLine", "1;a;b;\r\n1;c;d;\r\n", {{1, "a", "b"}}, {"a", "b"}},
    // A ";" joined into a larger character is no separator.
    {"CombiningMarkAfterSemicolon", "1;a;\u0301b;c;\n", {{1, "a;\u0301b", "c"}}, {"a;\u0301b", "c"}},
    {"PrefixMarkBeforeSemicolon", "1;\u0600;a;b;\n", {{1, "\u0600;a", "b"}}, {"\u0600;a", "b"}},
    // A byte-order mark is removed at the very start only.
    {"ByteOrderMarks", "\xEF\xBB\xBF" "1;a;b;\n\xEF\xBB\xBF" "0;c;d;\n", {{1, "a", "b"}, {1, "c", "d"}}, {"a", "b"}},
};

class BothReaders : public testing::TestWithParam<ReadCase> {};

TEST_P(BothReaders, ReadTheSameFileTheirOwnWay)
{
    const ReadCase &c = GetParam();
    TempDir dir;
    writeText(dir.file("r.rul"), c.text);
    EXPECT_EQ(rules::readData(dir.file("r.rul")), c.editor);
    EXPECT_EQ(rules::processRuleFile(dir.file("r.rul")), c.translation);
}

INSTANTIATE_TEST_SUITE_P(Lines, BothReaders, testing::ValuesIn(kReadCases),
                         [](const auto &testInfo) { return std::string(testInfo.param.name); });

// Missing and unreadable files are in the command line's tests, invalid UTF-8
// in hostile_test.cpp.
TEST(RuleFile, ShippedDefaultsAreWhatTheWriterMakesOfTheDefaultTable)
{
    TempDir dir;
    const std::string path = dir.file("default.rul");
    const Rules defaults = rules::RuleTable::defaultRules();
    EXPECT_TRUE(rules::writeData(path, defaults).isLossless());
    EXPECT_EQ(readText(ATNLINGO_SOURCE_DIR "/resources/rules/default-en-de.rul"), readText(path));
    EXPECT_EQ(rules::readData(path), defaults);
}

TEST(RuleTable, MovesAtTheEdgesOrWithoutASelectionChangeNothing)
{
    rules::RuleTable table;
    const Rules defaults = table.dataArray();
    EXPECT_EQ(table.moveupRow(0), std::nullopt);
    EXPECT_EQ(table.movedownRow(8), std::nullopt);
    // No selection must not move row 0, although -1 + 1 is a row; nor must a
    // row past the end move the last one, although 9 - 1 is a row.
    EXPECT_EQ(table.movedownRow(-1), std::nullopt);
    EXPECT_EQ(table.moveupRow(9), std::nullopt);
    EXPECT_EQ(table.dataArray(), defaults);
}


struct Fault {
    std::string_view key;
    RowProblem problem;
};

struct LossyCase {
    const char *name;
    Rule rule;
    std::vector<Fault> faults; // empty: the row reads back as it is
};

void PrintTo(const LossyCase &c, std::ostream *os) { *os << c.name; }

const LossyCase kLossyCases[] = {
    {"BothSeparators", {1, "a;b\nc", "d"}, {{"search", RowProblem::LineBreak}, {"search", RowProblem::Semicolon}}},
    // "\r\n" is one character, a lone "\r" ordinary text.
    {"CarriageReturns", {1, "\ra\r\nb\r", "\rc\r"}, {}},
    // Characters that join the ";" beside them, or not.
    {"SemicolonJoinedWithMarkInTextOrMarkLast", {1, "a;\u0301b\u0301", "c\u0301"}, {}},
    {"MarkFirst", {1, "\u0301a", "\u0301c"},
     {{"search", RowProblem::MergesWithSeparator}, {"replace", RowProblem::MergesWithSeparator}}},
    {"PrefixMarkLast", {1, "a\u0600", "c\u0600"},
     {{"search", RowProblem::MergesWithSeparator}, {"replace", RowProblem::MergesWithSeparator}}},
    // The flag, empty texts and the encoding.
    {"EverythingWrong",
     {-1, "", "x;\n\xC3"},
     {{"use", RowProblem::FlagNotBinary}, {"search", RowProblem::EmptyText}, {"replace", RowProblem::NotUtf8}}},
};

class LossyRows : public testing::TestWithParam<LossyCase> {};

TEST_P(LossyRows, NamesEachFaultAndAgreesWithTheReader)
{
    const LossyCase &c = GetParam();
    // The row sits between two sound rows, so its number must be right.
    std::vector<LossyRow> expected;
    for (const Fault &fault : c.faults)
        expected.push_back({1, fault.key, fault.problem});
    EXPECT_EQ(rules::findLossyRows({{1, "first", "erste"}, c.rule, {0, "last", "letzte"}}), expected);

    // Alone in a file, the row reads back as it is exactly when nothing is reported.
    TempDir dir;
    const rules::WriteReport report = rules::writeData(dir.file("row.rul"), {c.rule});
    ASSERT_TRUE(report.written);
    EXPECT_EQ(rules::readData(dir.file("row.rul")) == std::vector<Rule>{c.rule}, report.lossyRows.empty());
}

INSTANTIATE_TEST_SUITE_P(Rows, LossyRows, testing::ValuesIn(kLossyCases),
                         [](const auto &testInfo) { return std::string(testInfo.param.name); });

// The rule editor's Save warning shows these texts; its tests read those of empty texts.
TEST(LossyRows, DescribedForTheWarning)
{
    EXPECT_EQ(rules::describe({2, "search", RowProblem::Semicolon}),
              "Row 3: the search text holds \";\", which will split it into two fields.");
}

} // namespace
