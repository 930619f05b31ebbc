// Rows that a RUL file cannot carry as they are.
//
// The RUL format has no escaping: each rule is written as FLAG;SEARCH;REPLACE;
// and a line feed, byte for byte. A text that holds a separator, an empty
// text, or a text whose edge merges with the ";" beside it into one character
// is written all the same but reads back as something else (or not at all).
// `findLossyRows` names those rows, so that the editor can tell the user
// before the difference shows up on the next load.
//
// **Example**
//   findLossyRows({{1, "a;b", "c"}});
//   // {{0, "search", RowProblem::Semicolon}}
//   describe(findLossyRows({{1, "a;b", "c"}})[0]);
//   // "Row 1: the search text holds \";\", which will split it into two fields."
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "rules/rule.h"

namespace rules {

enum class RowProblem {
    NotUtf8,      // the text is not valid UTF-8: the whole file will not read back
    FlagNotBinary, // `use` is neither 0 nor 1
    EmptyText,    // the line will have fewer than three fields and be skipped
    LineBreak,    // a line feed in the text ends the line there
    Semicolon,    // a ";" in the text cuts it into two fields
    MergesWithSeparator, // the text begins with a mark that joins the ";" before
                         // it, or ends with one that joins the ";" after it
};

struct LossyRow {
    std::size_t row = 0;  // index into the rules, first row 0
    std::string_view key; // the field at fault: "use", "search" or "replace"
    RowProblem problem = RowProblem::EmptyText;

    friend bool operator==(const LossyRow &, const LossyRow &) = default;
};

// Every problem of every row, by row and then in the order of the keys and of
// the enumeration. A row not listed reads back exactly as it was written.
[[nodiscard]] std::vector<LossyRow> findLossyRows(const std::vector<Rule> &rules);

// An English sentence for the user, rows counted from 1.
[[nodiscard]] std::string describe(const LossyRow &lossy);

} // namespace rules
