// The search and replacement texts as the scan compares and writes them, in
// both byte orders, and the four-byte numbers of stored strings.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace engine::detail {

using Bytes = std::vector<std::uint8_t>;
using Input = std::span<const std::uint8_t>; // the buffer given to `process`

enum Order { BE = 0, LE = 1 };

constexpr Order other(Order order)
{
    return order == BE ? LE : BE;
}

struct EncodedText {
    Bytes be;
    Bytes le;

    [[nodiscard]] const Bytes &in(Order order) const { return order == BE ? be : le; }
};

struct Texts {
    EncodedText search;
    EncodedText replacement;
};

// Checks both texts and encodes them; throws RuntimeError with the message
// of the first check that fails.
[[nodiscard]] Texts checkedTexts(std::string_view searchString, std::string_view replacementString);

inline std::uint32_t decode32(const std::uint8_t *p, Order order)
{
    if (order == BE)
        return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3];
    return std::uint32_t(p[3]) << 24 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[1]) << 8 | p[0];
}

// Writes the low 32 bits of `value`.
inline void encode32(std::uint8_t *p, Order order, std::int64_t value)
{
    const auto v = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) {
        const int shift = order == BE ? 24 - 8 * i : 8 * i;
        p[i] = static_cast<std::uint8_t>(v >> shift);
    }
}

} // namespace engine::detail
