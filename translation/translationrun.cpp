#include "translationrun.h"

#include <algorithm>
#include <cstdio>

#include "consoletexts.h"
#include "rules/rulefile.h"
#include "translate.h"

namespace translation {
namespace {

std::vector<Pair> pairsOf(const Request &request)
{
    if (!request.ruleFile)
        return request.pairs;
    const std::vector<std::string> texts = rules::processRuleFile(*request.ruleFile);
    std::vector<Pair> pairs;
    pairs.reserve(texts.size() / 2);
    for (std::size_t i = 0; i + 1 < texts.size(); i += 2)
        pairs.push_back({texts[i], texts[i + 1]});
    return pairs;
}

// Ends a run that writes nothing: says why, then "Done".
Outcome &notWritten(Outcome &outcome, const std::string &reason, engine::Console &console,
                    const engine::StringTable &strings)
{
    outcome.notWrittenReason = reason;
    outcome.summary = notWrittenSummary(reason, strings);
    console.printout(outcome.summary + "\n");
    console.printout(strings.text(QT_TRANSLATE_NOOP("Localizable", "Done")));
    return outcome;
}

// A backup of an input that the run left as it was only gets in the way.
void dropNeedlessBackup(Outcome &outcome, bool inputChanged, engine::Console &console,
                        const engine::StringTable &strings)
{
    if (outcome.backup.status != engine::BackupResult::Status::Made || inputChanged)
        return;
    if (std::remove(outcome.backup.backupPath.c_str()) == 0) {
        outcome.backupRemoved = true;
        console.printout(backupRemovedLine(outcome.backup, strings));
    }
}

} // namespace

std::size_t Outcome::failedPairs() const noexcept
{
    return std::size_t(std::count_if(pairs.begin(), pairs.end(), [](const PairOutcome &p) { return p.error.has_value(); }));
}

PreparedPairs preparePairs(const Request &request, const engine::StringTable &strings)
{
    PreparedPairs prepared{pairsOf(request), {}};
    Outcome refused;
    if (prepared.pairs.empty()) {
        refused.refusal = Outcome::Refusal::NoPairs;
        refused.summary = notWrittenSummary(strings.text(QT_TRANSLATE_NOOP("Localizable", "NoPairsReason")), strings);
        prepared.refused = std::move(refused);
        return prepared;
    }
    for (const Pair &pair : prepared.pairs) {
        if (auto error = checkPair(pair)) {
            refused.refusal = Outcome::Refusal::InvalidPair;
            refused.summary = notWrittenSummary(
                engine::formatText(strings.text(QT_TRANSLATE_NOOP("Localizable", "InvalidPair %@ %@ %@")),
                                   {pair.search, pair.replacement, *error}),
                strings);
            refused.invalidPair = PairOutcome{pair, 0, {}, std::move(error)};
            prepared.refused = std::move(refused);
            return prepared;
        }
    }
    return prepared;
}

Outcome run(const Request &request, engine::Console &console, const engine::StringTable &strings)
{
    PreparedPairs prepared = preparePairs(request, strings);
    if (prepared.refused)
        return std::move(*prepared.refused);
    const std::vector<Pair> &pairs = prepared.pairs;
    Outcome outcome;
    // The input is only ever replaced while a copy of its current content is kept.
    outcome.backup = engine::backupIfSameFile(request.input, request.output);
    if (outcome.backup.status == engine::BackupResult::Status::Failed) {
        outcome.refusal = Outcome::Refusal::BackupFailed;
        outcome.summary = notWrittenSummary(
            engine::formatText(strings.text(QT_TRANSLATE_NOOP("Localizable", "NoBackupReason %@")),
                               {outcome.backup.message.text(strings)}),
            strings);
        return outcome;
    }

    if (request.lenient)
        console.printout(strings.text(QT_TRANSLATE_NOOP("Localizable", "llestring")));
    if (outcome.backup.status == engine::BackupResult::Status::Made)
        console.printout(backupLine(outcome.backup, strings));
    engine::ReadResult input = readInput(request.input, console, strings);
    if (!input.ok) {
        // Going on with nothing would write an empty file over the output.
        dropNeedlessBackup(outcome, false, console, strings);
        return notWritten(outcome, input.message.text(strings) + ".", console, strings);
    }
    outcome.inputRead = true;

    Translated translated =
        translateBytes(std::move(input.bytes), pairs, request.mode, request.lenient, console, strings);
    outcome.pairs = std::move(translated.pairs);
    outcome.inputChecked = translated.inputWellFormed;
    if (translated.brokenResult) {
        console.printout(engine::formatText(
            strings.text(QT_TRANSLATE_NOOP("Localizable", "ResultNotWellFormed %@ %@")),
            {*translated.brokenResult, request.output}));
    }
    if (!translated.isWritable()) {
        dropNeedlessBackup(outcome, false, console, strings);
        const std::string reason =
            translated.failure ? *translated.failure
                               : strings.text(QT_TRANSLATE_NOOP("Localizable", "ResultNotWellFormedReason"));
        return notWritten(outcome, reason, console, strings);
    }

    console.printout(strings.text(QT_TRANSLATE_NOOP("Localizable", "OpenOutputFile")) + request.output + "\n");
    console.printout(engine::formatText(strings.text(QT_TRANSLATE_NOOP("Localizable", "WriteOutputFile %@")), {std::to_string(translated.bytes.size())}));
    const engine::WriteResult written = engine::writeFileAtomically(request.output, translated.bytes);
    if (!written.ok) {
        const std::string reason = written.message.text(strings);
        console.printout(reason + "\n");
        dropNeedlessBackup(outcome, false, console, strings);
        return notWritten(outcome, reason + ".", console, strings);
    }
    outcome.outputWritten = true;
    const bool rewroteSomething = std::any_of(outcome.pairs.begin(), outcome.pairs.end(),
                                              [](const PairOutcome &p) { return p.rewrittenTexts > 0; });
    dropNeedlessBackup(outcome, rewroteSomething, console, strings);
    outcome.summary = writtenSummary(outcome.pairs, request.output, strings);
    console.printout(outcome.summary + "\n");
    console.printout(strings.text(QT_TRANSLATE_NOOP("Localizable", "Done")));
    return outcome;
}

} // namespace translation
