// A first-in first-out queue of bytes, kept in a ring: the input that
// lengthening rewrites made in the buffer's own storage have not yet taken,
// but would otherwise overwrite.
#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace engine::detail {

class Carry {
public:
    [[nodiscard]] std::size_t size() const noexcept { return m_size; }
    [[nodiscard]] std::size_t capacity() const noexcept { return m_ring.size(); }

    // Room for `bytes` in all; the only call that allocates.
    void reserve(std::size_t bytes)
    {
        if (bytes <= m_ring.size())
            return;
        std::vector<std::uint8_t> grown(std::bit_ceil(bytes));
        peek(0, m_size, grown.data());
        m_ring.swap(grown);
        m_head = 0;
    }

    void push(const std::uint8_t *from, std::size_t n) noexcept
    {
        const std::size_t tail = (m_head + m_size) & mask();
        const std::size_t first = std::min(n, m_ring.size() - tail);
        copy(from, m_ring.data() + tail, first);
        copy(from + first, m_ring.data(), n - first);
        m_size += n;
    }

    // Copies `n` bytes from `offset` on, leaving them queued.
    void peek(std::size_t offset, std::size_t n, std::uint8_t *to) const noexcept
    {
        const std::size_t at = (m_head + offset) & mask();
        const std::size_t first = std::min(n, m_ring.size() - at);
        copy(m_ring.data() + at, to, first);
        copy(m_ring.data(), to + first, n - first);
    }

    void drop(std::size_t n) noexcept
    {
        m_head = (m_head + n) & mask();
        m_size -= n;
    }

private:
    static void copy(const std::uint8_t *from, std::uint8_t *to, std::size_t n) noexcept
    {
        if (n > 0)
            std::memcpy(to, from, n);
    }
    [[nodiscard]] std::size_t mask() const noexcept { return m_ring.empty() ? 0 : m_ring.size() - 1; }

    std::vector<std::uint8_t> m_ring;
    std::size_t m_head = 0;
    std::size_t m_size = 0;
};

} // namespace engine::detail
