// The texts a translation run adds to the engine's lines: the count after
// each pair, what a pair's problems mean for the result, the backup, and the
// outcome line. Each is looked up by key in the front end's string table.
//
// Keys are marked with QT_TRANSLATE_NOOP("Localizable", key) where they are
// used, so that the windows' string tables, which hold the texts, are updated
// from these sources; without Qt the macro stands for the key itself.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "engine/process.h"
#include "engine/stringtable.h"
#include "translationrun.h"

// Spelled as Qt spells it, so that either definition may come first.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

namespace translation {

// "3 stored texts rewritten." or "Not found.", with a line break.
[[nodiscard]] std::string countLine(std::size_t rewrittenTexts, const engine::StringTable &strings);

// What the problems the byte scan reported for one pair mean for the result,
// one sentence with a line break; empty when it reported none.
[[nodiscard]] std::string problemsLine(const engine::ProcessReport &report, bool inputWellFormed,
                                       const engine::StringTable &strings);

[[nodiscard]] std::string backupLine(const engine::BackupResult &backup, const engine::StringTable &strings);
[[nodiscard]] std::string backupRemovedLine(const engine::BackupResult &backup, const engine::StringTable &strings);

// The outcome line of a run that wrote its output, and of one that did not
// (`reason` a sentence of its own), without a line break.
[[nodiscard]] std::string writtenSummary(const std::vector<PairOutcome> &pairs, const std::string &output,
                                         const engine::StringTable &strings);
[[nodiscard]] std::string notWrittenSummary(const std::string &reason, const engine::StringTable &strings);

} // namespace translation
