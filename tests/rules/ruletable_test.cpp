// The row buttons are tested through the rule editor's window; here the
// moves that its rows do not reach.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "rules/ruletable.h"

namespace {

TEST(RuleTable, MovesAtTheEdgesOrWithoutASelectionChangeNothing)
{
    rules::RuleTable table;
    const std::vector<rules::Rule> defaults = table.dataArray();
    EXPECT_EQ(table.moveupRow(0), std::nullopt);
    EXPECT_EQ(table.movedownRow(8), std::nullopt);
    // No selection must not move row 0, although -1 + 1 is a row; nor a row
    // past the end the last one, although 9 - 1 is a row.
    EXPECT_EQ(table.movedownRow(-1), std::nullopt);
    EXPECT_EQ(table.moveupRow(9), std::nullopt);
    EXPECT_EQ(table.dataArray(), defaults);
}

} // namespace
