#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "logcapture.h"
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
    {"FreshRow", {0, "", ""}, {{"search", RowProblem::EmptyText}, {"replace", RowProblem::EmptyText}}},
    {"SemicolonAtReplacementEnd", {1, "a", "b;"}, {{"replace", RowProblem::Semicolon}}},
    {"BothSeparators", {1, "a;b\nc", "d"}, {{"search", RowProblem::LineBreak}, {"search", RowProblem::Semicolon}}},
    // "\r\n" is one character, a lone "\r" ordinary text.
    {"CarriageReturns", {1, "\ra\r\nb\r", "\rc\r"}, {}},
    // Characters that join the ";" beside them, or not.
    {"SemicolonJoinedWithMarkInTextOrMarkLast", {1, "a;\u0301b\u0301", "c\u0301"}, {}},
    {"MarkFirst", {1, "\u0301a", "\u0301c"},
     {{"search", RowProblem::MergesWithSeparator}, {"replace", RowProblem::MergesWithSeparator}}},
    {"PrefixMarkLast", {1, "a\u0600", "c\u0600"},
     {{"search", RowProblem::MergesWithSeparator}, {"replace", RowProblem::MergesWithSeparator}}},
    // The flag and the encoding.
    {"FlagTwo", {2, "a", "b"}, {{"use", RowProblem::FlagNotBinary}}},
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
    LogCapture log;
    const rules::WriteReport report = rules::writeData(dir.file("row.rul"), {c.rule});
    ASSERT_TRUE(report.written);
    EXPECT_EQ(rules::readData(dir.file("row.rul")) == std::vector<Rule>{c.rule}, report.lossyRows.empty());
}

INSTANTIATE_TEST_SUITE_P(Rows, LossyRows, testing::ValuesIn(kLossyCases),
                         [](const auto &testInfo) { return std::string(testInfo.param.name); });

TEST(LossyRows, WrittenByteForByteInTableOrder)
{
    TempDir dir;
    const std::string path = dir.file("lossy.rul");
    const rules::WriteReport report = rules::writeData(path, {{0, "", ""}, {1, "ok", "ok"}, {1, "a;b", "c\nd"}});
    EXPECT_EQ(report.lossyRows, (std::vector<LossyRow>{{0, "search", RowProblem::EmptyText},
                                                       {0, "replace", RowProblem::EmptyText},
                                                       {2, "search", RowProblem::Semicolon},
                                                       {2, "replace", RowProblem::LineBreak}}));
    EXPECT_EQ(readText(path), "0;;;\n1;ok;ok;\n1;a;b;c\nd;\n");
    EXPECT_EQ(rules::describe(report.lossyRows[2]),
              "Row 3: the search text holds \";\", which will split it into two fields.");
}

} // namespace
