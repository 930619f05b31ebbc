#include "plan.h"

#include <algorithm>
#include <cstring>

namespace engine::detail {
namespace {

constexpr std::size_t kChunk = 64 << 10;

void copy(const Bytes &text, std::uint8_t *to) noexcept
{
    if (!text.empty()) // an empty text has no storage to copy from
        std::memcpy(to, text.data(), text.size());
}

} // namespace

void Plan::add(std::int64_t inputAt, std::int64_t fieldAt, Order order)
{
    if (m_storage != nullptr && m_d > 0 && shift() + m_d <= m_room)
        m_carry.reserve(carryRoom(1));
    m_log.append({inputAt, fieldAt, order});
    if (m_storage != nullptr)
        makePlanned(false);
}

void Plan::appendTo(Bytes &out, std::int64_t upTo) const
{
    std::int64_t from = 0;
    if (m_storage != nullptr) {
        out.insert(out.end(), m_storage, m_storage + m_written);
        from = m_taken;
    }
    for (RewriteLog::Cursor c = m_made; c.index < m_log.size();) {
        const Planned r = m_log.next(c);
        appendInput(out, from, r.inputAt);
        const Bytes &with = m_replacement.in(r.order);
        out.insert(out.end(), with.begin(), with.end());
        from = r.inputAt + m_n;
    }
    appendInput(out, from, upTo);
    for (RewriteLog::Cursor c = m_made; c.index < m_log.size();)
        writeFields(m_log.next(c), out.data());
}

void Plan::prepareToApply()
{
    if (m_storage != nullptr && m_d > 0)
        m_carry.reserve(carryRoom(0));
}

void Plan::applyTo(Bytes &buffer) noexcept
{
    if (m_d > 0)
        buffer.resize(resultSize()); // room for the carried input to go into
    makePlanned(true);
    emitInput(std::int64_t(m_input.size()));
    buffer.resize(resultSize());
}

// The fields and headers lie apart from each other and from every
// replacement, so their old values can go back in any order.
void Plan::undo() const noexcept
{
    if (m_storage == nullptr)
        return;
    for (RewriteLog::Cursor c = m_log.begin(); c.index < m_made.index;)
        writeFields(m_log.next(c), m_storage, true);
    // Every stretch of input between two matches goes back where it
    // was: back to front when the content is shorter than the input,
    // front to back when it is longer, so that none is overwritten
    // before it has moved.
    const std::int64_t m = m_n + m_d;
    if (m_d <= 0) {
        std::int64_t end = m_taken; // of the stretch after the match
        for (RewriteLog::Cursor c = m_made; c.index > 0;) {
            const Planned r = m_log.previous(c);
            const std::int64_t from = r.inputAt + std::int64_t(c.index) * m_d + m;
            std::memmove(m_storage + r.inputAt + m_n, m_storage + from, std::size_t(end - (r.inputAt + m_n)));
            copy(m_search.in(r.order), m_storage + r.inputAt);
            end = r.inputAt;
        }
        return;
    }
    // Front to back, each stretch before its match, then the carried input.
    std::int64_t from = 0;
    std::int64_t start = 0; // of the stretch before the match
    for (RewriteLog::Cursor c = m_log.begin(); c.index < m_made.index;) {
        const std::int64_t before = std::int64_t(c.index);
        const Planned r = m_log.next(c);
        std::memmove(m_storage + start, m_storage + from, std::size_t(r.inputAt - start));
        copy(m_search.in(r.order), m_storage + r.inputAt);
        from = r.inputAt + before * m_d + m; // after its replacement
        start = r.inputAt + m_n;
    }
    std::memmove(m_storage + start, m_storage + from, std::size_t(m_taken - start));
    m_carry.peek(0, m_carry.size(), m_storage + m_taken);
}

// What the carry holds at most while the planned rewrites and `more`
// besides are made: what it carries between them, and a chunk or a
// replacement on top.
std::size_t Plan::carryRoom(std::size_t more) const noexcept
{
    return std::size_t(shift() + std::int64_t(more) * m_d) + std::max<std::size_t>(kChunk, std::size_t(m_n + m_d));
}

void Plan::writeFields(const Planned &r, std::uint8_t *data, bool back) const noexcept
{
    const std::int64_t d = back ? -m_d : m_d;
    const auto change = [&](std::int64_t at, Order order, std::int64_t by) {
        encode32(data + at, order, std::int64_t(decode32(data + at, order)) + by);
    };
    change(r.fieldAt, r.order, d / 2);
    if (r.order == LE) {
        change(r.fieldAt - 4, LE, d);
        change(r.fieldAt - 12, BE, d);
    }
}

// Appends the input from `from` to `to` (not before taken) to `out`.
void Plan::appendInput(Bytes &out, std::int64_t from, std::int64_t to) const
{
    const std::uint8_t *in = m_input.data();
    if (m_storage != nullptr && m_d > 0 && from < m_written) {
        const std::int64_t carried = std::min(to, m_written) - from;
        const std::size_t at = out.size();
        out.resize(at + std::size_t(carried));
        m_carry.peek(std::size_t(from - m_taken), std::size_t(carried), out.data() + at);
        from += carried;
    }
    out.insert(out.end(), in + from, in + to);
}

// Makes the planned rewrites not made yet in the storage, as far as they
// may be made before the scan is over; all of them when `all`.
void Plan::makePlanned(bool all) noexcept
{
    const std::int64_t limit = consumed();
    while (m_made.index < m_log.size()) {
        RewriteLog::Cursor after = m_made;
        const Planned r = m_log.next(after);
        const std::int64_t growth = std::int64_t(after.index) * m_d;
        if (!all && (r.inputAt + m_n + growth > limit || growth > m_room))
            return;
        emitInput(r.inputAt);
        emitReplacement(r);
        writeFields(r, m_storage);
        m_made = after;
    }
}

// Moves the input from taken up to `to` into the content.
void Plan::emitInput(std::int64_t to) noexcept
{
    if (m_d <= 0) {
        if (m_written != m_taken)
            std::memmove(m_storage + m_written, m_storage + m_taken, std::size_t(to - m_taken));
        m_written += to - m_taken;
        m_taken = to;
        return;
    }
    const std::int64_t carried = m_written - m_taken;
    if (carried == 0) { // the content is the input where it stands
        m_written = m_taken = to;
        return;
    }
    if (to - m_taken > carried + std::int64_t(kChunk) && m_carry.capacity() >= 2 * std::size_t(carried)) {
        // A long stretch moves in one go: what it will cover goes into
        // the carry, the rest moves up by what is carried, and what was
        // carried comes first.
        const std::int64_t end = m_written + (to - m_taken);
        m_carry.push(m_storage + end - carried, std::size_t(carried));
        std::memmove(m_storage + m_written + carried, m_storage + m_written, std::size_t(end - carried - m_written));
        m_carry.peek(0, std::size_t(carried), m_storage + m_written);
        m_carry.drop(std::size_t(carried));
        m_written = end;
        m_taken = to;
        return;
    }
    // The storage at `written` holds the input just after the carried
    // part: into the carry with it, and out comes the input to write.
    while (m_taken < to) {
        const auto n = std::size_t(std::min<std::int64_t>(to - m_taken, kChunk));
        m_carry.push(m_storage + m_written, n);
        m_carry.peek(0, n, m_storage + m_written);
        m_carry.drop(n);
        m_written += std::int64_t(n);
        m_taken += std::int64_t(n);
    }
}

// Puts the replacement of the match at taken into the content.
void Plan::emitReplacement(const Planned &r) noexcept
{
    const std::int64_t m = m_n + m_d;
    if (m_d > 0) {
        m_carry.push(m_storage + m_written, std::size_t(m));
        m_carry.drop(std::size_t(m_n));
    }
    copy(m_replacement.in(r.order), m_storage + m_written);
    m_written += m;
    m_taken += m_n;
}

} // namespace engine::detail
