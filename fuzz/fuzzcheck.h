// Helpers shared by the fuzz targets: reading the parts of a fuzz input and
// failing loudly when an invariant breaks (libFuzzer then keeps the input).
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "engine/utf16.h"

namespace fuzz {

// Takes a fuzz input apart from the front; past the end every part is empty.
class InputReader {
public:
    InputReader(const std::uint8_t *data, std::size_t size) : m_data(data), m_size(size) {}

    std::uint8_t byte()
    {
        return m_at < m_size ? m_data[m_at++] : 0;
    }
    std::uint16_t twoBytes()
    {
        const std::uint16_t high = byte();
        return std::uint16_t(high << 8 | byte());
    }
    std::string text(std::size_t length)
    {
        length = std::min(length, m_size - m_at);
        std::string taken(reinterpret_cast<const char *>(m_data + m_at), length);
        m_at += length;
        return taken;
    }
    std::vector<std::uint8_t> rest()
    {
        std::vector<std::uint8_t> taken(m_data + m_at, m_data + m_size);
        m_at = m_size;
        return taken;
    }
    [[nodiscard]] std::string restAsText() { return text(m_size - m_at); }

private:
    const std::uint8_t *m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
};

// `text` with every byte that is not part of valid UTF-8 replaced by '?'.
inline std::string repairedUtf8(std::string text)
{
    while (const auto bad = engine::findInvalidUtf8(text))
        text[bad->offset] = '?';
    return text;
}

inline void check(bool holds, const char *what, const std::string &detail = {})
{
    if (holds)
        return;
    std::fprintf(stderr, "invariant broken: %s%s%s\n", what, detail.empty() ? "" : ": ", detail.c_str());
    std::abort();
}

} // namespace fuzz
