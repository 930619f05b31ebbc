// The ending-null search of every match, in input positions. Searches start in
// increasing order over the scan, and the first null unit on a unit grid found
// from one start is also the first from any later start on the same grid up
// to it; remembering the last answer per grid keeps the total cost linear even
// when many matches have their ending null far away, or none.
#pragma once

#include <cstdint>

#include "bytescan.h"
#include "encodedtext.h"

namespace engine::detail {

class NullUnits {
public:
    explicit NullUnits(Input input) : m_input(input) {}

    // The position of the first 00 00 unit at from, from + 2, ...; -1 if none.
    [[nodiscard]] std::int64_t find(std::int64_t from)
    {
        Memo &memo = m_memo[from & 1];
        if (memo.from < 0 || from < memo.from || (memo.found >= 0 && from > memo.found)) {
            memo.from = from;
            const std::size_t found = findNullUnit(m_input.data(), std::size_t(from), m_input.size());
            memo.found = found == kNotFound ? -1 : std::int64_t(found);
        }
        return memo.found;
    }

private:
    struct Memo {
        std::int64_t from = -1;
        std::int64_t found = -1;
    };
    Input m_input;
    Memo m_memo[2];
};

} // namespace engine::detail
