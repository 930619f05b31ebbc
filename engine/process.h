// The string replacement engine: rewrites one search text inside the stored
// strings of an ATN buffer.
//
// ATN files store texts as length-prefixed UTF-16 strings in two layouts:
//
//   big-endian:     u32be N | N units UTF-16BE, the last one 00 00
//   little-endian:  u32be B | "txtu" | u32le B | u32le N | N units UTF-16LE,
//                   the last one 00 00, with B = 2N + 12
//
// Nothing marks a stored string; `process` recognises one only through the
// arithmetic relation between a 4-byte value before a match and the ending
// null after it. Every byte position is examined for the search text in both
// byte orders. For a match, the ending null is searched forwards (in steps of
// one unit), then the length field backwards; where both are found the search
// text is replaced by the replacement text in the same byte order, the length
// field is recomputed and, for the little-endian layout, both byte counts of
// the header are shifted by the change in length.
//
// Precedence and what is scanned again:
//  - at one position the big-endian reading wins over the little-endian one;
//    the other order is tried one byte further on as the second reading;
//  - after a rewrite the scan goes on just after the written replacement, so
//    replaced bytes are never scanned again;
//  - the scan covers the current content, including what lengthening rewrites
//    pushed beyond the original end;
//  - a match whose stored string cannot be located ends the scan ("Unable to
//    find the start of the string ..."), keeping the rewrites made before it.
//
// Problems met while scanning are written to `console`, one line each.
//
// Cost: one pass over the buffer, searching both byte orders at once, and
// no rewrite ever moves the rest of the buffer. The walks back from the
// matches of one long string do not each read the whole string again, so
// that a string of a million matches costs about as much as a million
// strings. The overload that consumes its buffer makes the rewrites in the
// buffer's own storage as the scan goes, as far as its capacity allows; the
// other builds its result in new memory as the scan goes, as the consuming
// one does when a walk back to a length field reaches text already rewritten
// or the rewrites are very many (their plan, a few bytes each, may take a
// 64th of the buffer). Memory: at most the buffer and one result.
//
// **Example**
//   00 00 00 04 00 41 00 42 00 43 00 00, search "B", replacement "XY"
//   -> 00 00 00 05 00 41 00 58 00 59 00 43 00 00
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "console.h"

namespace engine {

// What one call did, for callers that count.
struct ProcessReport {
    std::size_t rewrites = 0;         // occurrences replaced
    std::size_t rewrittenStrings = 0; // distinct stored strings they lie in
    std::size_t problems = 0;         // console lines written by the call
    // The match index whose stored string had no start: the scan ended there.
    std::optional<std::int64_t> stoppedAt;

    friend bool operator==(const ProcessReport &, const ProcessReport &) = default;
};

// Throws RuntimeError, before looking at the buffer, when the search text is
// empty or either text is not valid UTF-8; the console is then untouched.
// Returns the rewritten buffer; `buffer` itself is never changed. A `report`
// is filled in when the call returns and left as it was when it throws.
[[nodiscard]] std::vector<std::uint8_t> process(const std::vector<std::uint8_t> &buffer,
                                                std::string_view searchString,
                                                std::string_view replacementString,
                                                bool lenientLittleEndianHandling,
                                                Console &console,
                                                ProcessReport *report = nullptr);

// The same, consuming `buffer`: when nothing is rewritten it is handed back
// as the result without a copy; rewrites are made in its own storage where
// its capacity allows (see capacityForRewrites), otherwise it is released
// once the result is complete. If the call throws, `buffer` is unchanged.
//
//   buffer = engine::process(std::move(buffer), "Levels", "Tonwert", false, console);
[[nodiscard]] std::vector<std::uint8_t> process(std::vector<std::uint8_t> &&buffer,
                                                std::string_view searchString,
                                                std::string_view replacementString,
                                                bool lenientLittleEndianHandling,
                                                Console &console,
                                                ProcessReport *report = nullptr);

// The checks `process` makes of its two texts before it looks at a buffer:
// throws the same RuntimeError it would, returns when both are usable.
void checkTexts(std::string_view searchString, std::string_view replacementString);

// The capacity to give a buffer of `size` bytes that will be translated:
// with it, the usual lengthening leaves the result in the buffer's storage.
// Capacity that is never written costs address space, not memory.
[[nodiscard]] std::size_t capacityForRewrites(std::size_t size);

namespace detail {

// Only for tests: at most `rewrites` rewrites of a consuming call are planned
// before its result is built in new memory (0: always built). Not meant to be
// called while another thread is inside `process`.
void setPlanLimit(std::size_t rewrites);
// Back to no limit but the size of the plan.
void resetPlanLimit();

} // namespace detail

} // namespace engine
