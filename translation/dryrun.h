// What a translation would make of the texts stored in an action file, found
// in memory by the same translation a run does (translate.h) and written
// nowhere: the dry run of the command line and the preview of the windows.
//
// Only a well-formed input can be compared text by text: its result walks
// alike, so the i-th stored string of the result is the i-th of the input. An
// input that is not well-formed, or a result that could not be written, gets
// no texts after translation.
//
// **Example**
//   const translation::DryRun dry = translation::dryRun(request, console, strings);
//   for (const translation::TextChange &c : dry.changes) std::cout << c.before.text << " -> " << c.after << '\n';
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "atnformat/actionfile.h"
#include "translate.h"
#include "translationrun.h"

namespace translation {

struct TextChange {
    atnformat::StoredString before; // where it stands in the input, and its text there
    std::string after;
};

struct TextPreview {
    Translated translated;
    atnformat::ActionFile before; // the input as read
    // The text after translation of each of `before.strings`, in the same
    // order; empty when the input is not well-formed or the result could not
    // be written.
    std::vector<std::string> after;

    [[nodiscard]] std::vector<TextChange> changes() const;
};

// The pairs must have passed checkPair. The console gets what translateBytes
// writes, and nothing else.
[[nodiscard]] TextPreview previewTexts(std::vector<std::uint8_t> bytes, std::span<const Pair> pairs, Mode mode,
                                       bool lenient, engine::Console &console, const engine::StringTable &strings);

struct DryRun {
    // As a run of the request would end, with nothing written: refused for
    // its pairs, or with the input read and the pairs applied.
    Outcome outcome;
    bool inputWellFormed = false;
    bool wouldWrite = false;     // the run would go on to write the output
    std::size_t storedTexts = 0; // texts in the input, the empty ones left out
    std::vector<TextChange> changes;

    // What the run would exit with: written, every pair applied.
    [[nodiscard]] bool succeeded() const noexcept { return wouldWrite && outcome.failedPairs() == 0; }
};

// A run of `request` up to the write, which it leaves out: no backup, no
// output, no temporary file. The console gets the lines of the run up to the
// translation's, and a line when the result would not be well-formed.
[[nodiscard]] DryRun dryRun(const Request &request, engine::Console &console, const engine::StringTable &strings);

} // namespace translation
