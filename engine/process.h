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
// Cost: one pass over the buffer, searching both byte orders at once; the
// result is built as the scan goes, so a rewrite costs the length of the two
// texts plus the walk back to the length field, never a move of the rest of
// the buffer. Memory: the result, besides the given buffer.
//
// **Example**
//   00 00 00 04 00 41 00 42 00 43 00 00, search "B", replacement "XY"
//   -> 00 00 00 05 00 41 00 58 00 59 00 43 00 00
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "console.h"

namespace engine {

// Throws RuntimeError, before looking at the buffer, when the search text is
// empty or either text is not valid UTF-8; the console is then untouched.
// Returns the rewritten buffer; `buffer` itself is never changed.
[[nodiscard]] std::vector<std::uint8_t> process(const std::vector<std::uint8_t> &buffer,
                                                std::string_view searchString,
                                                std::string_view replacementString,
                                                bool lenientLittleEndianHandling,
                                                Console &console);

// The same, consuming `buffer`: when nothing is rewritten it is handed back
// as the result without a copy, otherwise it is released once the result is
// complete. If the call throws, `buffer` is unchanged.
//
//   buffer = engine::process(std::move(buffer), "Levels", "Tonwert", false, console);
[[nodiscard]] std::vector<std::uint8_t> process(std::vector<std::uint8_t> &&buffer,
                                                std::string_view searchString,
                                                std::string_view replacementString,
                                                bool lenientLittleEndianHandling,
                                                Console &console);

} // namespace engine
