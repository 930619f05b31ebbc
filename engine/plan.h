// Rewrites decided during the scan, which never has to read what they
// change. Every one replaces n bytes by m = n + d, so the content after k of
// them is the input shifted by k * d; the length field and header of each
// lie between the previous replacement and its own match.
//
// Given the input's storage, the plan makes the rewrites there while the
// scan goes on, never over input the scan may still read (from the end of the
// last planned match on): the content made so far, up to `written`, stands in
// the storage, holding the input up to `taken`. When rewrites shorten the
// text the content never reaches past the input it was made from, and each
// rewrite is made at once. When they lengthen it, the content reaches into
// input not yet taken, which waits in a carry queue; a rewrite is made only
// once the content it ends does not reach the end of the last planned match,
// and only while the result fits the storage's capacity. `undo` takes the
// storage back to the input. Without storage, or for what is not made yet,
// appendTo builds the content in new memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "carry.h"
#include "encodedtext.h"
#include "rewritelog.h"

namespace engine::detail {

class Plan {
public:
    // `room`: how far the storage may grow beyond the input.
    Plan(Input input, const EncodedText &search, const EncodedText &replacement, std::uint8_t *storage,
         std::size_t room)
        : m_input(input),
          m_search(search),
          m_replacement(replacement),
          m_n(std::int64_t(search.be.size())),
          m_d(std::int64_t(replacement.be.size()) - m_n),
          m_storage(storage),
          m_room(std::int64_t(room)),
          m_log(m_n, m_d)
    {
    }

    [[nodiscard]] std::int64_t searchSize() const noexcept { return m_n; }
    [[nodiscard]] std::int64_t change() const noexcept { return m_d; } // d
    [[nodiscard]] bool empty() const noexcept { return m_log.size() == 0; }
    [[nodiscard]] std::size_t size() const noexcept { return m_log.size(); }
    [[nodiscard]] std::size_t bytes() const noexcept { return m_log.bytes(); } // what it takes
    [[nodiscard]] std::int64_t shift() const noexcept { return std::int64_t(m_log.size()) * m_d; }

    // The input consumed by the rewrites: everything up to the end of the
    // last match.
    [[nodiscard]] std::int64_t consumed() const noexcept { return m_log.end().end; }

    // From this content position on, the content is the input shifted.
    [[nodiscard]] std::int64_t untouchedFrom() const noexcept { return consumed() + shift(); }

    // Plans the rewrite of the match at input position `inputAt`; the length
    // field at content position `fieldAt`, and the header before it, must lie
    // at or after untouchedFrom(), and the field must hold the length for the
    // string as it is (the new one is that plus d / 2).
    void add(std::int64_t inputAt, std::int64_t fieldAt, Order order);

    [[nodiscard]] std::size_t resultSize() const noexcept { return std::size_t(std::int64_t(m_input.size()) + shift()); }

    // Appends the content up to input position `upTo` (at least consumed())
    // to the empty `out`.
    void appendTo(Bytes &out, std::int64_t upTo) const;

    // Makes ready for applyTo: the one step of it that may fail.
    void prepareToApply();

    // Completes the rewrites in `buffer`, whose storage the plan was given,
    // so that it holds the whole result. When they lengthen it, resultSize()
    // must not exceed its capacity: nothing is allocated and nothing fails
    // (after prepareToApply).
    void applyTo(Bytes &buffer) noexcept;

    // Takes the storage back to the input after rewrites made in it.
    void undo() const noexcept;

private:
    [[nodiscard]] std::size_t carryRoom(std::size_t more) const noexcept;
    // Changes the length field and header of `r` in `data` by d; by -d
    // when `back`.
    void writeFields(const Planned &r, std::uint8_t *data, bool back = false) const noexcept;
    void appendInput(Bytes &out, std::int64_t from, std::int64_t to) const;
    void makePlanned(bool all) noexcept;
    void emitInput(std::int64_t to) noexcept;
    void emitReplacement(const Planned &r) noexcept;

    Input m_input;
    const EncodedText &m_search;
    const EncodedText &m_replacement;
    std::int64_t m_n;
    std::int64_t m_d;
    std::uint8_t *m_storage;
    std::int64_t m_room;
    RewriteLog m_log;
    RewriteLog::Cursor m_made;   // after the rewrites made in the storage
    std::int64_t m_taken = 0;    // input made into content
    std::int64_t m_written = 0;  // content in the storage
    Carry m_carry;               // the input from taken to written, when d > 0
};

} // namespace engine::detail
