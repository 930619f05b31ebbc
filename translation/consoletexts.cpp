#include "consoletexts.h"

#include <algorithm>
#include <numeric>

namespace translation {

std::string countLine(std::size_t rewrittenTexts, const engine::StringTable &strings)
{
    if (rewrittenTexts == 0)
        return strings.text(QT_TRANSLATE_NOOP("Localizable", "NotFound"));
    if (rewrittenTexts == 1)
        return strings.text(QT_TRANSLATE_NOOP("Localizable", "RewroteOne"));
    return engine::formatText(strings.text(QT_TRANSLATE_NOOP("Localizable", "Rewrote %@")),
                              {std::to_string(rewrittenTexts)});
}

std::string problemsLine(const engine::ProcessReport &report, bool inputWellFormed, const engine::StringTable &strings)
{
    if (report.problems == 0)
        return {};
    std::string line = report.stoppedAt
                           ? engine::formatText(strings.text(QT_TRANSLATE_NOOP("Localizable", "StoppedAt %@")),
                                                {std::to_string(*report.stoppedAt)})
                           : strings.text(QT_TRANSLATE_NOOP("Localizable", "LeftAsTheyWere"));
    // Only a file that walks can be translated by its structure.
    if (inputWellFormed)
        line += strings.text(QT_TRANSLATE_NOOP("Localizable", "SuggestExact"));
    return line;
}

std::string backupLine(const engine::BackupResult &backup, const engine::StringTable &strings)
{
    return engine::formatText(strings.text(QT_TRANSLATE_NOOP("Localizable", "BackupMade %@")),
                              {backup.backupPath});
}

std::string backupRemovedLine(const engine::BackupResult &backup, const engine::StringTable &strings)
{
    return engine::formatText(strings.text(QT_TRANSLATE_NOOP("Localizable", "BackupRemoved %@")),
                              {backup.backupPath});
}

std::string writtenSummary(const std::vector<PairOutcome> &pairs, const std::string &output,
                           const engine::StringTable &strings)
{
    const std::size_t texts = std::accumulate(pairs.begin(), pairs.end(), std::size_t(0),
                                              [](std::size_t sum, const PairOutcome &p) { return sum + p.rewrittenTexts; });
    const auto matched = std::count_if(pairs.begin(), pairs.end(), [](const PairOutcome &p) { return p.rewrittenTexts > 0; });
    const std::string format = texts == 1 ? strings.text(QT_TRANSLATE_NOOP("Localizable", "TranslatedOne %@ %@ %@"))
                                          : strings.text(QT_TRANSLATE_NOOP("Localizable", "Translated %@ %@ %@ %@"));
    std::vector<std::string> args{std::to_string(matched), std::to_string(pairs.size()), output};
    if (texts != 1)
        args.insert(args.begin(), std::to_string(texts));
    return engine::formatText(format, args);
}

std::string notWrittenSummary(const std::string &reason, const engine::StringTable &strings)
{
    return engine::formatText(strings.text(QT_TRANSLATE_NOOP("Localizable", "NotTranslated %@")), {reason});
}

} // namespace translation
