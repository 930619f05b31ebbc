// The rewrites a plan has decided on, packed: a few bytes each, so that a
// plan of one rewrite per stored string of a large buffer stays small. Per
// rewrite it keeps the input passed over since the previous match and the
// distance from the length field up to the replacement, with the string's
// byte order in the lowest bit, each as a number of 7 bits a byte (the high
// bit set on all bytes but the last). The values written there are not kept:
// they follow from the bytes they replace, so the log is read both ways.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "encodedtext.h"

namespace engine::detail {

struct Planned {
    std::int64_t inputAt; // the match, in input positions
    std::int64_t fieldAt; // its length field, in content positions
    Order order;
};

class RewriteLog {
public:
    // Where reading stands: before rewrite `index`, at `offset` in the log;
    // `end` is where the previous match ends in the input (0 for the first).
    struct Cursor {
        std::size_t index = 0;
        std::size_t offset = 0;
        std::int64_t end = 0;
    };

    // `n`: the search text's size; `d`: the change in length of a rewrite.
    RewriteLog(std::int64_t n, std::int64_t d) : m_n(n), m_d(d) {}

    [[nodiscard]] std::size_t size() const noexcept { return m_last.index; }
    [[nodiscard]] std::size_t bytes() const noexcept { return m_bytes.size(); }
    [[nodiscard]] Cursor begin() const noexcept { return {}; }
    [[nodiscard]] Cursor end() const noexcept { return m_last; }

    // `r.inputAt` lies at or after the end of the last match, and
    // `r.fieldAt` below the content position of the replacement.
    void append(const Planned &r)
    {
        put(std::uint64_t(r.inputAt - m_last.end));
        put(std::uint64_t(contentAt(r.inputAt, m_last.index) - r.fieldAt) << 1 | std::uint64_t(r.order));
        m_last = {m_last.index + 1, m_bytes.size(), r.inputAt + m_n};
    }

    // The rewrite at `c`, moving `c` past it.
    [[nodiscard]] Planned next(Cursor &c) const noexcept
    {
        const auto skipped = std::int64_t(get(c.offset));
        const std::uint64_t field = get(c.offset);
        Planned r{c.end + skipped, 0, Order(field & 1)};
        r.fieldAt = contentAt(r.inputAt, c.index) - std::int64_t(field >> 1);
        ++c.index;
        c.end = r.inputAt + m_n;
        return r;
    }

    // The rewrite before `c`, moving `c` back to it.
    [[nodiscard]] Planned previous(Cursor &c) const noexcept
    {
        std::size_t offset = startBefore(startBefore(c.offset));
        c.offset = offset;
        const auto skipped = std::int64_t(get(offset));
        const std::uint64_t field = get(offset);
        --c.index;
        Planned r{c.end - m_n, 0, Order(field & 1)};
        r.fieldAt = contentAt(r.inputAt, c.index) - std::int64_t(field >> 1);
        c.end = r.inputAt - skipped;
        return r;
    }

private:
    // Where the match at `inputAt` stands after `before` rewrites.
    [[nodiscard]] std::int64_t contentAt(std::int64_t inputAt, std::size_t before) const noexcept
    {
        return inputAt + std::int64_t(before) * m_d;
    }

    void put(std::uint64_t value)
    {
        for (; value >= 0x80; value >>= 7)
            m_bytes.push_back(std::uint8_t(value | 0x80));
        m_bytes.push_back(std::uint8_t(value));
    }

    [[nodiscard]] std::uint64_t get(std::size_t &offset) const noexcept
    {
        std::uint64_t value = 0;
        for (int shift = 0;; shift += 7) {
            const std::uint8_t byte = m_bytes[offset++];
            value |= std::uint64_t(byte & 0x7F) << shift;
            if (byte < 0x80)
                return value;
        }
    }

    // The start of the number that ends just before `offset`.
    [[nodiscard]] std::size_t startBefore(std::size_t offset) const noexcept
    {
        --offset;
        while (offset > 0 && m_bytes[offset - 1] >= 0x80)
            --offset;
        return offset;
    }

    std::int64_t m_n;
    std::int64_t m_d;
    std::vector<std::uint8_t> m_bytes;
    Cursor m_last; // after the last rewrite
};

} // namespace engine::detail
