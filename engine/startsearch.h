// The walk back from a match to the length field of its stored string: the
// candidates run from p - 4 down to 0, in the byte order of the first reading
// until its start is found, then in the other order until its first mismatch.
// Little-endian starts are checked against their header, unless lenient.
//
// Until a start is found the walk only looks for the first candidate that
// stops it: one whose 4 bytes in the first order give the length for the
// match's end, or (when the other order has no end) one with 00 00 at s + 4.
// Matches in one long string walk back over the same candidates again and
// again, so the search remembers, per order, what it read for one end: the
// candidates of a stretch, the highest with 00 00 at s + 4, and those whose
// length would fit the end after some number of rewrites. A later walk for
// the same end skips the stretch up to the next of them, while no rewrite
// has written into it; everything that stops a walk is read again, so the
// console lines and starts are those of the walk made candidate by candidate.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

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

class StartSearch {
public:
    // `n`, `d`: the search text's size and the change in length of a rewrite.
    StartSearch(std::int64_t n, std::int64_t d, bool lenient) : m_n(n), m_d(d), m_lenient(lenient) {}

    // Writes the header check messages to `console`, not the no-start message.
    [[nodiscard]] Starts find(Content &content, const Match &match, Console &console);

    // To be told of every rewrite: the string's start and order, and where
    // the replacement went, in content positions.
    void rewritten(std::int64_t start, Order order, std::int64_t at) noexcept;

private:
    // A candidate whose length may fit a later end: it does when the shift
    // (the sum of the length changes so far) is `shift` or `shift` + 1.
    struct Fit {
        std::int64_t at;
        std::int64_t shift;
    };

    // What was read for one end (in input positions, so that it stays the
    // same through rewrites before it) of one order: candidates lo to hi.
    struct Stretch {
        std::int64_t end = -1;
        std::int64_t lo = 0;
        std::int64_t hi = -1;
        std::int64_t zero = -1; // the highest candidate with 00 00 at s + 4, if at least lo
        std::vector<Fit> fits;  // from `first` on, in increasing order
        std::size_t first = 0;

        [[nodiscard]] bool covers(std::int64_t s) const noexcept { return lo <= s && s <= hi; }
        // The highest candidate at or below `s` that may stop a walk at
        // `shift`; -1 if none.
        [[nodiscard]] std::int64_t stop(std::int64_t s, std::int64_t shift, bool zeroStops) const noexcept;
        void raiseLo(std::int64_t to) noexcept;
    };

    // Whether candidate `s` with `value` in its 4 bytes may fit the end
    // `endIn` at a later walk, given where this walk stands.
    [[nodiscard]] bool mayFit(std::int64_t s, std::uint32_t value, std::int64_t endIn, std::int64_t shift,
                              std::int64_t inputAt, std::int64_t &fitShift) const noexcept;
    // The checks of a little-endian start at `s`, each with its message.
    [[nodiscard]] bool headerHolds(Content &content, std::int64_t s, std::int64_t e, const Match &match,
                                   Console &console) const;
    void keep(Order first, bool usable);

    std::int64_t m_n;
    std::int64_t m_d;
    bool m_lenient;
    Stretch m_stretch[2]; // per first order
    Stretch m_run;        // what this walk reads, kept as the next stretch
};

} // namespace engine::detail
