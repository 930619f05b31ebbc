#include "rewriteplan.h"

#include <cstring>

namespace atnformat::detail {

RewritePlan::RewritePlan(std::size_t room) : m_changesRoom(room / 4 / sizeof(Change)), m_storeRoom(room / 4 * 3) {}

bool RewritePlan::add(std::size_t start, std::size_t end, std::span<const std::uint8_t> bytes)
{
    if (m_changes.capacity() == 0) {
        m_changes.reserve(m_changesRoom);
        m_store.reserve(m_storeRoom);
    }
    if (m_changes.size() == m_changesRoom || bytes.size() > m_storeRoom - m_store.size())
        return false;
    m_changes.push_back(Change{start, end, bytes.size()});
    m_growth += static_cast<std::ptrdiff_t>(bytes.size()) - static_cast<std::ptrdiff_t>(end - start);
    m_store.insert(m_store.end(), bytes.begin(), bytes.end());
    return true;
}

std::size_t RewritePlan::resultSize(std::size_t inputSize) const
{
    return static_cast<std::size_t>(static_cast<std::ptrdiff_t>(inputSize) + m_growth);
}

// The input between two changes moves by the growth of the changes before it.
// Whatever moves towards the start is moved first, from the start on, then
// whatever moves towards the end, from the end on, each changed string
// written into its gap as soon as the stretch after it has moved: so no
// stretch is written over before it has moved, and each byte moves once.
void RewritePlan::applyInPlace(std::vector<std::uint8_t> &buffer) const
{
    const std::size_t inputSize = buffer.size(), size = resultSize(inputSize);
    if (size > inputSize)
        buffer.resize(size);
    std::uint8_t *data = buffer.data();
    const auto change = [](const Change &c) {
        return static_cast<std::ptrdiff_t>(c.size) - static_cast<std::ptrdiff_t>(c.end - c.start);
    };
    std::ptrdiff_t shift = 0;
    std::size_t from = 0;
    for (const Change &c : m_changes) {
        if (shift < 0)
            std::memmove(data + from + shift, data + from, c.start - from);
        shift += change(c);
        from = c.end;
    }
    if (shift < 0)
        std::memmove(data + from + shift, data + from, inputSize - from);
    std::size_t to = inputSize;
    const std::uint8_t *bytes = m_store.data() + m_store.size();
    // Going down through memory in short stretches leaves the processor no
    // stream to follow: the input below is asked for before it is needed.
    constexpr std::size_t kAhead = 12 << 10;
    std::size_t fetched = inputSize;
    for (auto c = m_changes.rbegin(); c != m_changes.rend(); ++c) {
        for (; fetched >= 64 && fetched + kAhead > c->start; fetched -= 64)
            __builtin_prefetch(data + fetched - 64);
        if (shift > 0)
            std::memmove(data + c->end + shift, data + c->end, to - c->end);
        shift -= change(*c);
        bytes -= c->size;
        std::memcpy(data + c->start + shift, bytes, c->size);
        to = c->start;
    }
    if (size < inputSize)
        buffer.resize(size);
}

std::size_t RewritePlan::appendTo(std::vector<std::uint8_t> &out, std::span<const std::uint8_t> input) const
{
    std::size_t from = 0;
    const std::uint8_t *bytes = m_store.data();
    for (const Change &c : m_changes) {
        out.insert(out.end(), input.data() + from, input.data() + c.start);
        out.insert(out.end(), bytes, bytes + c.size);
        bytes += c.size;
        from = c.end;
    }
    return from;
}

void RewritePlan::clear()
{
    m_changes = {};
    m_store = {};
    m_growth = 0;
}

} // namespace atnformat::detail
