#include "ruletable.h"

namespace rules {

RuleTable::RuleTable()
    : m_dataArray(defaultRules())
{
}

RuleTable::RuleTable(std::vector<Rule> rules)
    : m_dataArray(std::move(rules))
{
}

std::vector<Rule> RuleTable::defaultRules()
{
    // \u00fc and \u00e4 are the precomposed letters, one character each.
    return {
        {1, "Background", "Hintergrund"},
        {0, "Brightness/Contrast", "Helligkeit/Kontrast"},
        {1, "copy", "Kopie"},
        {1, "Color Fill", "Farbf\u00fcllung"},
        {1, "Gradient Fill", "Verlaufsf\u00fcllung"},
        {1, "Gradient Map", "Verlaufsumsetzung"},
        {0, "Hue/Saturation", "Farbton/S\u00e4ttigung"},
        {1, "Layer", "Ebene"},
        {1, "Levels", "Tonwertkorrektur"},
    };
}

std::optional<int> RuleTable::insertRow(int /*selectedRow*/)
{
    m_dataArray.push_back(Rule{});
    return rowCount() - 1;
}

std::optional<int> RuleTable::deleteRow(int selectedRow)
{
    if (hasRow(selectedRow))
        m_dataArray.erase(m_dataArray.begin() + selectedRow);
    return std::nullopt;
}

std::optional<int> RuleTable::moveupRow(int selectedRow)
{
    return moveSelected(selectedRow, -1);
}

std::optional<int> RuleTable::movedownRow(int selectedRow)
{
    return moveSelected(selectedRow, +1);
}

std::optional<int> RuleTable::selectAllRows(int /*selectedRow*/)
{
    setAllUse(1);
    return std::nullopt;
}

std::optional<int> RuleTable::deselectAll(int /*selectedRow*/)
{
    setAllUse(0);
    return std::nullopt;
}

bool RuleTable::move(int fromIndex, int toIndex)
{
    if (!hasRow(fromIndex) || !hasRow(toIndex))
        return false;
    Rule taken = std::move(m_dataArray[std::size_t(fromIndex)]);
    m_dataArray.erase(m_dataArray.begin() + fromIndex);
    m_dataArray.insert(m_dataArray.begin() + toIndex, std::move(taken));
    return true;
}

std::optional<int> RuleTable::moveSelected(int selectedRow, int step)
{
    // Checked before the step, which could overflow for a wild row number.
    if (!hasRow(selectedRow))
        return std::nullopt;
    const int target = selectedRow + step;
    if (!move(selectedRow, target))
        return std::nullopt;
    return target;
}

void RuleTable::setAllUse(int use)
{
    for (Rule &rule : m_dataArray)
        rule.use = use;
}

} // namespace rules
