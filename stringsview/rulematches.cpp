#include "rulematches.h"

namespace {

int countOccurrences(const QString &text, const QString &search)
{
    int count = 0;
    for (qsizetype at = text.indexOf(search); at >= 0; at = text.indexOf(search, at + search.size()))
        ++count;
    return count;
}

} // namespace

RuleMatches countRuleMatches(const QStringList &texts, const QStringList &pairs)
{
    RuleMatches matches;
    matches.perText.assign(std::size_t(texts.size()), 0);
    for (qsizetype pair = 0; pair < pairs.size(); pair += 2) {
        const QString &search = pairs.at(pair);
        if (search.isEmpty())
            continue;
        ++matches.rules;
        for (qsizetype i = 0; i < texts.size(); ++i)
            matches.perText[std::size_t(i)] += countOccurrences(texts.at(i), search);
    }
    for (const int count : matches.perText) {
        matches.occurrences += count;
        matches.strings += count > 0 ? 1 : 0;
    }
    return matches;
}
