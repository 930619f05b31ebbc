#include "rewriteplan.h"

#include <cstring>

namespace atnformat::detail {

std::uint8_t *RewritePlan::add(std::size_t start, std::size_t end, std::size_t size)
{
    m_changes.push_back(Change{start, end, size});
    m_growth += static_cast<std::ptrdiff_t>(size) - static_cast<std::ptrdiff_t>(end - start);
    m_store.resize(m_store.size() + size);
    return m_store.data() + m_store.size() - size;
}

std::size_t RewritePlan::memory() const
{
    return m_changes.capacity() * sizeof(Change) + m_store.capacity();
}

std::size_t RewritePlan::resultSize(std::size_t inputSize) const
{
    return static_cast<std::size_t>(static_cast<std::ptrdiff_t>(inputSize) + m_growth);
}

// The input between two changes moves by the growth of the changes before it.
// Whatever moves towards the start is moved first, from the start on, then
// whatever moves towards the end, from the end on: so no stretch is written
// over before it has moved, and each byte moves once. The changed strings go
// into the gaps that are left.
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
    for (auto c = m_changes.rbegin(); c != m_changes.rend(); ++c) {
        if (shift > 0)
            std::memmove(data + c->end + shift, data + c->end, to - c->end);
        shift -= change(*c);
        to = c->start;
    }
    const std::uint8_t *bytes = m_store.data();
    for (const Change &c : m_changes) {
        std::memcpy(data + c.start + shift, bytes, c.size);
        bytes += c.size;
        shift += change(c);
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
