#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rules/lossyrows.h"
#include "rules/rulefile.h"
#include "tempdir.h"

using rules::LossyRow;
using rules::Rule;
using rules::RowProblem;

namespace {

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
