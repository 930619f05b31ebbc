// One translation of an action file, as every front end runs it: the window's
// Start, the command line with pairs, and the command line with a rule file.
//
// A run goes, in this order:
//   1. the pairs: those of the request, or the enabled rules of its rule file
//      (none: the run is refused and no file is touched);
//   2. the check of every pair (an empty search text or text that is not
//      UTF-8: the run is refused before any file is touched);
//   3. the backup, when the output names the input file (INPUT.bak, .bak.1,
//      ...; none possible: the run is refused, nothing else is touched);
//   4. reading the input and translating it (translate.h): by the byte scan,
//      `engine::process` once per pair in list order, or exactly, by the
//      file's structure;
//   5. when the input is a well-formed action file, the check that the result
//      still is one (otherwise nothing is written);
//   6. the atomic write of the output. A backup of an input that ends up
//      unchanged is removed again.
// Steps 4 to 6 write their progress and problems to the console, with texts
// looked up by key, then the outcome line (`Outcome::summary`) and the text of
// "Done". A refused run writes nothing to the console: the front end says
// why, where it says such things.
//
// **Example**
//   translation::Request request{.input = "in.atn", .output = "out.atn", .ruleFile = "de.rul"};
//   const translation::Outcome outcome = translation::run(request, console, strings);
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "engine/backup.h"
#include "engine/console.h"
#include "engine/stringtable.h"

namespace translation {

struct Pair {
    std::string search;
    std::string replacement;

    bool operator==(const Pair &) const = default;
};

enum class Mode {
    ByteScan, // every occurrence in the bytes that lies in a stored string it can locate
    Exact,    // the stored strings the file's structure declares; well-formed files only
};

struct Request {
    std::string input;
    std::string output;
    // When set, the pairs are the enabled rules of this file and `pairs` is
    // not used.
    std::optional<std::string> ruleFile;
    std::vector<Pair> pairs;
    // Skip the header checks of little-endian strings.
    bool lenient = false;
    Mode mode = Mode::ByteScan;
};

struct PairOutcome {
    Pair pair;
    std::size_t rewrittenTexts = 0;    // stored texts the pair rewrote
    std::vector<std::string> problems; // the lines the engine wrote for it
    std::optional<std::string> error;  // why the pair was not applied
};

struct Outcome {
    enum class Refusal {
        None,                // the run took place
        MalformedParameters, // a parameter list without input, output and pairs
        NoPairs,             // no pair given, or no enabled rule in the rule file
        InvalidPair,         // see `invalidPair`
        BackupFailed,        // see `backup.error`
    };
    Refusal refusal = Refusal::None;
    // InvalidPair: the first pair that cannot be used (its `error` says why).
    std::optional<PairOutcome> invalidPair;
    std::vector<PairOutcome> pairs; // those applied or attempted, in order
    engine::BackupResult backup;
    bool backupRemoved = false; // the input stayed as it was, so the backup went again
    bool inputRead = false;
    bool inputChecked = false; // the input is well-formed, so the result was checked
    bool outputWritten = false;
    std::string notWrittenReason; // a run that did not write: why
    // The line the run ended with, before "Done": what was written, or why
    // nothing was. A refused run has one too, which it does not print.
    std::string summary;

    [[nodiscard]] bool started() const noexcept { return refusal == Refusal::None; }
    [[nodiscard]] std::size_t failedPairs() const noexcept;
    // Written, with every pair applied.
    [[nodiscard]] bool succeeded() const noexcept { return outputWritten && failedPairs() == 0; }
};

[[nodiscard]] Outcome run(const Request &request, engine::Console &console, const engine::StringTable &strings);

// The pairs a run of `request` would apply (those of the request, or the
// enabled rules of its rule file, read once), each checked; or the outcome of
// the run refused for them, which touches nothing. What a dry run and a batch
// do before anything else.
struct PreparedPairs {
    std::vector<Pair> pairs;
    std::optional<Outcome> refused;
};
[[nodiscard]] PreparedPairs preparePairs(const Request &request, const engine::StringTable &strings);

} // namespace translation
