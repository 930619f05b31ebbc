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

void Plan::add(std::int64_t inputAt, std::int64_t fieldAt, Order order, std::int64_t field)
{
    Planned planned{inputAt, fieldAt, static_cast<std::uint32_t>(field), 0, 0, order};
    if (order == LE) {
        const std::uint8_t *header = m_input.data() + (fieldAt - shift());
        planned.littleEndianCount = static_cast<std::uint32_t>(std::int64_t(decode32(header - 4, LE)) + m_d);
        planned.bigEndianCount = static_cast<std::uint32_t>(std::int64_t(decode32(header - 12, BE)) + m_d);
    }
    if (m_storage != nullptr && m_d > 0 && shift() + m_d <= m_room)
        m_carry.reserve(carryRoom(1));
    m_rewrites.push_back(planned);
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
    for (std::size_t k = m_made; k < m_rewrites.size(); ++k) {
        const Planned &r = m_rewrites[k];
        appendInput(out, from, r.inputAt);
        const Bytes &with = m_replacement.in(r.order);
        out.insert(out.end(), with.begin(), with.end());
        from = r.inputAt + m_n;
    }
    appendInput(out, from, upTo);
    for (std::size_t k = m_made; k < m_rewrites.size(); ++k)
        writeFields(m_rewrites[k], out.data());
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
    for (std::size_t k = 0; k < m_made; ++k) {
        const Planned &r = m_rewrites[k];
        encode32(m_storage + r.fieldAt, r.order, std::int64_t(r.field) - m_d / 2);
        if (r.order == LE) {
            encode32(m_storage + r.fieldAt - 4, LE, std::int64_t(r.littleEndianCount) - m_d);
            encode32(m_storage + r.fieldAt - 12, BE, std::int64_t(r.bigEndianCount) - m_d);
        }
    }
    // Every stretch of input between two matches goes back where it
    // was: back to front when the content is shorter than the input,
    // front to back when it is longer, so that none is overwritten
    // before it has moved.
    const std::int64_t m = m_n + m_d;
    const auto restore = [&](std::size_t k) {
        const Planned &r = m_rewrites[k];
        const std::int64_t end = k + 1 < m_made ? m_rewrites[k + 1].inputAt : m_taken;
        const std::int64_t from = r.inputAt + std::int64_t(k) * m_d + m;
        std::memmove(m_storage + r.inputAt + m_n, m_storage + from, std::size_t(end - (r.inputAt + m_n)));
        copy(m_search.in(r.order), m_storage + r.inputAt);
    };
    if (m_d <= 0) {
        for (std::size_t k = m_made; k-- > 0;)
            restore(k);
        return;
    }
    // Front to back, each stretch before its match, then the carried input.
    std::int64_t from = 0;
    for (std::size_t k = 0; k < m_made; ++k) {
        const Planned &r = m_rewrites[k];
        const std::int64_t at = r.inputAt + std::int64_t(k) * m_d; // its replacement
        const std::int64_t start = k == 0 ? 0 : m_rewrites[k - 1].inputAt + m_n;
        std::memmove(m_storage + start, m_storage + from, std::size_t(r.inputAt - start));
        copy(m_search.in(r.order), m_storage + r.inputAt);
        from = at + m;
    }
    const std::int64_t start = m_made == 0 ? 0 : m_rewrites[m_made - 1].inputAt + m_n;
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

void Plan::writeFields(const Planned &r, std::uint8_t *data) noexcept
{
    encode32(data + r.fieldAt, r.order, r.field);
    if (r.order == LE) {
        encode32(data + r.fieldAt - 4, LE, r.littleEndianCount);
        encode32(data + r.fieldAt - 12, BE, r.bigEndianCount);
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
    for (; m_made < m_rewrites.size(); ++m_made) {
        const Planned &r = m_rewrites[m_made];
        const std::int64_t growth = std::int64_t(m_made + 1) * m_d;
        if (!all && (r.inputAt + m_n + growth > limit || growth > m_room))
            return;
        emitInput(r.inputAt);
        emitReplacement(r);
        writeFields(r, m_storage);
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
