#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "rules/ruletable.h"

using rules::Rule;
using rules::RuleTable;

namespace {

enum class Op { Insert, Delete, MoveUp, MoveDown, SelectAll, DeselectAll };

struct OpCase {
    const char *name;
    bool startEmpty; // otherwise the default table
    Op op;
    int selected;
    std::optional<int> newSelection;
    std::vector<int> rows;       // afterwards, as rows of the starting table; -1 a new empty rule
    std::optional<int> allFlags; // every flag afterwards; nothing: each rule keeps its own
};

void PrintTo(const OpCase &c, std::ostream *os) { *os << c.name; }

const std::vector<int> kAll{0, 1, 2, 3, 4, 5, 6, 7, 8};

const OpCase kOpCases[] = {
    // Insert appends wherever the selection is, and selects the new row.
    {"InsertIntoEmpty", true, Op::Insert, -1, 0, {-1}, {}},
    {"InsertWithRowSelected", false, Op::Insert, 3, 9, {0, 1, 2, 3, 4, 5, 6, 7, 8, -1}, {}},
    // Delete removes exactly the selected row and selects nothing.
    {"DeleteFirst", false, Op::Delete, 0, {}, {1, 2, 3, 4, 5, 6, 7, 8}, {}},
    {"DeleteLast", false, Op::Delete, 8, {}, {0, 1, 2, 3, 4, 5, 6, 7}, {}},
    {"DeleteNoneSelected", false, Op::Delete, -1, {}, kAll, {}},
    {"DeletePastTheEnd", false, Op::Delete, 9, {}, kAll, {}},
    {"DeleteInEmpty", true, Op::Delete, 0, {}, {}, {}},
    // Moves swap with the neighbour and the row stays selected; at the edges nothing happens.
    {"MoveUpFirst", false, Op::MoveUp, 0, {}, kAll, {}},
    {"MoveUpLast", false, Op::MoveUp, 8, 7, {0, 1, 2, 3, 4, 5, 6, 8, 7}, {}},
    {"MoveDownLast", false, Op::MoveDown, 8, {}, kAll, {}},
    {"MoveDownSecond", false, Op::MoveDown, 1, 2, {0, 2, 1, 3, 4, 5, 6, 7, 8}, {}},
    // No selection must not move row 0, although -1 + 1 is a row.
    {"MoveDownNoneSelected", false, Op::MoveDown, -1, {}, kAll, {}},
    {"MoveInEmpty", true, Op::MoveUp, 0, {}, {}, {}},
    // Select and deselect all change the flags, not the selection.
    {"SelectAll", false, Op::SelectAll, 4, {}, kAll, 1},
    {"DeselectAll", false, Op::DeselectAll, -1, {}, kAll, 0},
};

class TableOperation : public testing::TestWithParam<OpCase> {};

TEST_P(TableOperation, ChangesRowsAndSelection)
{
    const OpCase &c = GetParam();
    RuleTable table = c.startEmpty ? RuleTable(std::vector<Rule>{}) : RuleTable();
    const std::vector<Rule> before = table.dataArray();
    std::optional<int> selection;
    switch (c.op) {
    case Op::Insert: selection = table.insertRow(c.selected); break;
    case Op::Delete: selection = table.deleteRow(c.selected); break;
    case Op::MoveUp: selection = table.moveupRow(c.selected); break;
    case Op::MoveDown: selection = table.movedownRow(c.selected); break;
    case Op::SelectAll: selection = table.selectAllRows(c.selected); break;
    case Op::DeselectAll: selection = table.deselectAll(c.selected); break;
    }
    EXPECT_EQ(selection, c.newSelection);
    std::vector<Rule> expected;
    for (const int row : c.rows) {
        expected.push_back(row < 0 ? Rule{} : before[std::size_t(row)]);
        expected.back().use = c.allFlags.value_or(expected.back().use);
    }
    EXPECT_EQ(table.dataArray(), expected);
}

INSTANTIATE_TEST_SUITE_P(Edges, TableOperation, testing::ValuesIn(kOpCases),
                         [](const auto &testInfo) { return std::string(testInfo.param.name); });

// The editor's drag and drop: take out, then insert.
TEST(RuleTable, Move)
{
    RuleTable table;
    EXPECT_TRUE(table.move(0, 8));
    for (const auto &[from, to] : {std::pair{-1, 0}, {0, -1}, {9, 0}, {0, 9}})
        EXPECT_FALSE(table.move(from, to)) << from << " -> " << to;
    EXPECT_EQ(table.dataArray()[0].search, "Brightness/Contrast");
    EXPECT_EQ(table.dataArray()[8].search, "Background");
}

} // namespace
