// Translating several action files by the same rules into one folder: each
// input INPUT to FOLDER/<file name of INPUT>, one run after the other.
//
// Before anything is touched the batch is refused when the rules yield no
// usable pair (the rule file is read once for the whole batch), when the
// folder is missing or not a folder, or when two inputs have the same file
// name. Otherwise every input gets a run of its own (translationrun.h): its
// transcript, after a line naming the file, and its backup when its output
// is the input itself. A failing input leaves its output untouched and the
// others go on. The batch ends with "Translated K of N files.".
//
// **Example**
//   const translation::BatchOutcome outcome = translation::runBatch(
//       {.inputs = {"a.atn", "b.atn"}, .outputFolder = "de", .ruleFile = "de.rul"}, console, strings);
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "translationrun.h"

namespace translation {

struct BatchRequest {
    std::vector<std::string> inputs;
    std::string outputFolder;
    // As in Request: when set, the pairs are the enabled rules of this file.
    std::optional<std::string> ruleFile;
    std::vector<Pair> pairs;
    bool lenient = false;
    Mode mode = Mode::ByteScan;
};

struct BatchOutcome {
    enum class Refusal {
        None,
        NoPairs,     // as Outcome::Refusal::NoPairs
        InvalidPair, // as Outcome::Refusal::InvalidPair
        NoFolder,    // the output folder is missing or not a folder
        SameName,    // two inputs have the same file name
    };
    Refusal refusal = Refusal::None;
    std::vector<Outcome> files; // one per input run, in order
    bool cancelled = false;     // stopped by the progress callback
    std::size_t inputs = 0;
    // A refused batch: why, as an outcome line; otherwise "Translated K of N files."
    std::string summary;

    [[nodiscard]] std::size_t translatedFiles() const noexcept;
    [[nodiscard]] bool succeeded() const noexcept
    {
        return refusal == Refusal::None && translatedFiles() == inputs;
    }
};

// Called before each input with its position (from 0) and path; returning
// false stops the batch before that input.
using BatchProgress = std::function<bool(std::size_t index, const std::string &input)>;

[[nodiscard]] BatchOutcome runBatch(const BatchRequest &request, engine::Console &console,
                                    const engine::StringTable &strings, const BatchProgress &progress = {});

} // namespace translation
