// The rules of the rule editor as an ordered table, with the operations of
// the editor's row buttons.
//
// The table knows nothing of a window. Each button operation takes the row
// the view has selected (-1 for none) and returns the row the view should
// select and scroll into view, or nothing when the view's selection is to
// stay as it is. Rows are numbered from 0; the table may be empty.
//
// **Example**
//   RuleTable table;                        // the nine default rules
//   table.movedownRow(1);                   // 2: rows 1 and 2 swapped
#pragma once

#include <optional>
#include <vector>

#include "rules/rule.h"

namespace rules {

class RuleTable {
public:
    // The default English-to-German table.
    RuleTable();
    explicit RuleTable(std::vector<Rule> rules);

    [[nodiscard]] static std::vector<Rule> defaultRules();

    [[nodiscard]] const std::vector<Rule> &dataArray() const noexcept { return m_dataArray; }

    [[nodiscard]] int rowCount() const noexcept { return static_cast<int>(m_dataArray.size()); }
    [[nodiscard]] bool hasRow(int row) const noexcept { return row >= 0 && row < rowCount(); }

    // Appends a disabled rule with empty texts, wherever the selection is,
    // and selects it.
    std::optional<int> insertRow(int selectedRow);
    // Removes the selected row, if any; sets no selection.
    std::optional<int> deleteRow(int selectedRow);
    // Swap the selected row with the one above (below) it and select it at its
    // new place; the first row up, the last row down or no selection change
    // nothing.
    std::optional<int> moveupRow(int selectedRow);
    std::optional<int> movedownRow(int selectedRow);
    // Enable (disable) every rule; the selection stays.
    std::optional<int> selectAllRows(int selectedRow);
    std::optional<int> deselectAll(int selectedRow);

    // Takes the rule out at `fromIndex` and inserts it at `toIndex` of the
    // shortened list, when both are rows of the table; otherwise changes
    // nothing. Returns whether it moved.
    bool move(int fromIndex, int toIndex);

private:
    std::optional<int> moveSelected(int selectedRow, int step);
    void setAllUse(int use);

    std::vector<Rule> m_dataArray;
};

} // namespace rules
