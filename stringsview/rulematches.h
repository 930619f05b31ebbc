// How much of a file's stored text the enabled rules of a rule file match.
//
// Each search text is counted on its own, in the texts as they are stored:
// what the rules above it would already have replaced is not taken into
// account. Occurrences are counted like a translation finds them: exactly
// (capitals included), left to right, and not overlapping, so "aa" occurs
// twice in "aaaaa". Text outside the stored strings (raw data that happens to
// hold the same bytes) is not counted.
//
// **Example**
//   countRuleMatches({"Layer 1", "Layer 1 copy"}, {"Layer", "Ebene", "copy", "Kopie"})
//   // rules 2, occurrences 3, strings 2, perText {1, 2}
#pragma once

#include <QStringList>

#include <vector>

struct RuleMatches {
    int rules = 0;           // search texts counted
    int occurrences = 0;     // over all texts and rules
    int strings = 0;         // texts with at least one occurrence
    std::vector<int> perText; // occurrences in each text, in the order given
};

// `pairs` is a flat list of search and replacement texts, as a rule file's
// enabled rules give them; empty search texts are skipped.
[[nodiscard]] RuleMatches countRuleMatches(const QStringList &texts, const QStringList &pairs);
