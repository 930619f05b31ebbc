// The walk back from a match to the length field of its stored string: the
// candidates run from p - 4 down to 0, in the byte order of the first reading
// until its start is found, then in the other order until its first mismatch.
// Little-endian starts are checked against their header, unless lenient.
#pragma once

#include <cstdint>

#include "console.h"
#include "content.h"
#include "encodedtext.h"

namespace engine::detail {

struct Match {
    std::int64_t p = 0;       // the match index, in content positions
    std::int64_t inputAt = 0; // the same, in input positions: where the scan stands
    Order first = BE;         // the order of the reading at p
    std::int64_t end[2] = {-1, -1}; // just after the ending null, per order; -1 for none
};

struct Starts {
    std::int64_t at[2] = {-1, -1}; // per order; -1 for none
};

// Writes the header check messages to `console`, not the no-start message.
[[nodiscard]] Starts findStart(Content &content, const Match &match, bool lenient, Console &console);

} // namespace engine::detail
