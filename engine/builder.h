// The result being built in new memory, once the input can no longer be
// left untouched until the end of the scan. Content positions below `done()`
// are in the result, which holds every rewrite made so far; from `done()` on
// the content is the untouched input, shifted by `shift()` (the sum of the
// length changes so far). The scan position never falls below `done()`, so
// only the walk back to a length field and the header fixes read the result,
// and only the length field and the header fixes change bytes already in it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "encodedtext.h"
#include "plan.h"

namespace engine::detail {

// A large result is written once from start to end into fresh memory; with
// huge pages that costs one page fault per 2 MiB instead of one per 4 KiB,
// which otherwise takes as long as the scan itself.
void adviseHugePages(std::uint8_t *data, std::size_t size);

class Builder {
public:
    // Starts with the planned rewrites made; `inputAt` is where the scan
    // stands.
    Builder(Input input, const Plan &plan, std::int64_t inputAt);

    [[nodiscard]] std::int64_t shift() const noexcept { return m_shift; }
    [[nodiscard]] std::int64_t done() const noexcept { return static_cast<std::int64_t>(m_result.size()); }

    // The `count` content bytes from `at`, where they stand when they lie on
    // one side of done(), else copied into `scratch`; at + count must not
    // reach beyond the scan position + 2.
    [[nodiscard]] const std::uint8_t *bytes(std::int64_t at, std::int64_t count, std::uint8_t *scratch) const
    {
        const std::int64_t split = done();
        if (at >= split)
            return m_input.data() + (at - m_shift);
        if (at + count <= split)
            return m_result.data() + at;
        for (std::int64_t i = 0; i < count; ++i)
            scratch[i] = at + i < split ? m_result[std::size_t(at + i)] : m_input[std::size_t(at + i - m_shift)];
        return scratch;
    }

    // Replaces the n content bytes at q by `with`; `fieldAt` (below q) gets the
    // new length field, and for little-endian strings both byte counts of the
    // header are shifted by the change in length.
    void rewrite(std::int64_t q, std::int64_t n, const Bytes &with, std::int64_t fieldAt, Order order,
                 std::int64_t field);

    // Copies the input before `inputAt` (not beyond the scan position) into
    // the result unchanged.
    void copyUpTo(std::int64_t inputAt)
    {
        const std::int64_t consumed = done() - m_shift;
        m_result.insert(m_result.end(), m_input.begin() + consumed, m_input.begin() + inputAt);
    }

    [[nodiscard]] Bytes finish() &&
    {
        copyUpTo(std::int64_t(m_input.size()));
        return std::move(m_result);
    }

private:
    void reserveFor(std::int64_t inputAt, std::int64_t n, std::int64_t d);

    Input m_input;
    Bytes m_result;
    std::int64_t m_shift = 0;
};

} // namespace engine::detail
