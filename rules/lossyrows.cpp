#include "lossyrows.h"

#include <algorithm>

#include "engine/utf16.h"
#include "rules/characterboundaries.h"
#include "rules/rulefile.h"

namespace rules {
namespace {

std::size_t keyOrder(std::string_view key)
{
    return std::size_t(std::find(Rule::kKeys.begin(), Rule::kKeys.end(), key) - Rule::kKeys.begin());
}

// Where a row's two texts lie in the written text: search in
// (ends.flag, ends.search), replace in (ends.search, ends.replace); each end
// is the offset of the ";" that follows.
struct Placement {
    std::size_t row;
    RuleLineEnds ends;
};

void checkText(CharacterBoundaries &characters, std::string_view text, std::size_t begin, std::size_t end,
               std::size_t row, std::string_view key, std::vector<LossyRow> &found)
{
    if (begin == end)
        return; // reported with the row
    bool lineBreak = false;
    bool semicolon = false;
    // Asked in increasing order: the start, each separator byte, the end.
    const bool mergesAtStart = !characters.isBoundary(begin);
    for (std::size_t at = text.find_first_of(";\n", begin); at < end; at = text.find_first_of(";\n", at + 1)) {
        if (characters.standsAlone(at))
            (text[at] == '\n' ? lineBreak : semicolon) = true;
    }
    const bool mergesAtEnd = !characters.isBoundary(end);
    if (lineBreak)
        found.push_back({row, key, RowProblem::LineBreak});
    if (semicolon)
        found.push_back({row, key, RowProblem::Semicolon});
    if (mergesAtStart || mergesAtEnd)
        found.push_back({row, key, RowProblem::MergesWithSeparator});
}

std::string_view nameOf(std::string_view key)
{
    if (key == "use")
        return "use flag";
    if (key == "search")
        return "search text";
    return "replacement text";
}

} // namespace

std::vector<LossyRow> findLossyRows(const std::vector<Rule> &rules)
{
    std::vector<LossyRow> found;
    // The rows are laid out as the writer lays them out, so that the
    // characters around each ";" are the ones a reader will see. Rows that
    // are not UTF-8 are left out: no reader gets as far as segmenting them.
    std::string text;
    std::vector<Placement> placements;
    for (std::size_t row = 0; row < rules.size(); ++row) {
        const Rule &rule = rules[row];
        if (rule.use != 0 && rule.use != 1)
            found.push_back({row, "use", RowProblem::FlagNotBinary});
        const bool searchValid = !engine::findInvalidUtf8(rule.search);
        const bool replaceValid = !engine::findInvalidUtf8(rule.replace);
        if (!searchValid)
            found.push_back({row, "search", RowProblem::NotUtf8});
        if (!replaceValid)
            found.push_back({row, "replace", RowProblem::NotUtf8});
        if (rule.search.empty())
            found.push_back({row, "search", RowProblem::EmptyText});
        if (rule.replace.empty())
            found.push_back({row, "replace", RowProblem::EmptyText});
        if (!searchValid || !replaceValid)
            continue;
        placements.push_back({row, appendRuleLine(text, rule)});
    }

    CharacterBoundaries characters(text);
    // Text too long to segment is also too long to read back; what cannot be
    // told about it is left unsaid.
    if (characters.isValid()) {
        for (const Placement &p : placements) {
            checkText(characters, text, p.ends.flag + 1, p.ends.search, p.row, "search", found);
            checkText(characters, text, p.ends.search + 1, p.ends.replace, p.row, "replace", found);
        }
    }

    std::stable_sort(found.begin(), found.end(), [](const LossyRow &a, const LossyRow &b) {
        if (a.row != b.row)
            return a.row < b.row;
        if (a.key != b.key)
            return keyOrder(a.key) < keyOrder(b.key);
        return a.problem < b.problem;
    });
    return found;
}

std::string describe(const LossyRow &lossy)
{
    std::string text = "Row " + std::to_string(lossy.row + 1) + ": the " + std::string(nameOf(lossy.key));
    switch (lossy.problem) {
    case RowProblem::NotUtf8:
        return text + " is not valid UTF-8, so the file will not read back at all.";
    case RowProblem::FlagNotBinary:
        return text + " is neither 0 nor 1.";
    case RowProblem::EmptyText:
        return text + " is empty, so the row will be skipped when the file is read.";
    case RowProblem::LineBreak:
        return text + " holds a line break, which will split the row into two lines.";
    case RowProblem::Semicolon:
        return text + " holds \";\", which will split it into two fields.";
    case RowProblem::MergesWithSeparator:
        return text + " begins or ends with a character that merges with the \";\" beside it.";
    }
    return text + ".";
}

} // namespace rules
