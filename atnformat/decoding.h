// Text conversions for the reader and the rewriter of action files.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "actionfile.h"

namespace atnformat::detail {

// Sets `out` to the `units` UTF-16 units at `p`, in the byte order of `layout`.
void readUnits(const std::uint8_t *p, std::size_t units, Layout layout, std::u16string &out);

// A UTF-16 unit as the two bytes of `layout` read as one native number: the
// form in which the tests below compare units.
[[nodiscard]] constexpr std::uint16_t storedUnit(char16_t unit, Layout layout)
{
    const bool swapped = (layout == Layout::BigEndian) == (std::endian::native == std::endian::little);
    return swapped ? static_cast<std::uint16_t>(unit >> 8 | (unit & 0xFF) << 8) : static_cast<std::uint16_t>(unit);
}

// `text` with each unit in the stored form of `layout`, or back (the same swap).
[[nodiscard]] std::u16string storedUnits(std::u16string_view text, Layout layout);

// Whether `text`, in the stored form of `layout`, holds an unpaired surrogate.
[[nodiscard]] bool holdsUnpairedSurrogate(std::u16string_view text, Layout layout);

// The tests take sixteen units at a time, as two vectors in which lane i
// holds unit i in the stored form. The units past the end of a text are
// tested too, where the bytes may be read, and their lanes ignored: so a
// text of at most 16 units is tested without a loop, and its length sends no
// branch the wrong way.
using Units8 = std::uint16_t __attribute__((vector_size(16)));
using Lanes8 = std::int16_t __attribute__((vector_size(16)));

inline Units8 load8(const std::uint8_t *p)
{
    Units8 v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

inline bool anyLane(Lanes8 lanes)
{
#if defined(__SSE2__)
    return _mm_movemask_epi8(reinterpret_cast<__m128i>(lanes)) != 0;
#else
    std::uint64_t halves[2];
    std::memcpy(halves, &lanes, sizeof halves);
    return (halves[0] | halves[1]) != 0;
#endif
}

// The lanes of the first `n` (at most 16) units of two vectors.
struct Keep {
    Lanes8 low, high;
};
[[gnu::always_inline]] inline Keep keepFirst(std::size_t n)
{
    alignas(64) static constexpr std::uint8_t kOnes[64] = {
        0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
        0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    const std::uint8_t *from = kOnes + 32 - 2 * n;
    return {reinterpret_cast<Lanes8>(load8(from)), reinterpret_cast<Lanes8>(load8(from + 16))};
}

// Calls `test` (Lanes8(const std::uint8_t *), lanes set where a unit
// position is found) on the positions [0, n) of the text at `p`, sixteen at
// a time; `readable` bytes from `p` may be read, and `test` reads up to
// `reach` bytes from its argument. Whether any position was found.
template <typename Test>
[[gnu::always_inline]] inline bool anyPosition(const std::uint8_t *p, std::size_t n, std::size_t readable, std::size_t reach, Test test)
{
    // The last 1 to 16 positions are tested apart, masked: so a text of 16
    // units takes the same way as a shorter one, and only the empty text none.
    if (n == 0)
        return false;
    std::size_t i = 0;
    for (; i + 16 < n; i += 16) {
        if (anyLane(test(p + 2 * i) | test(p + 2 * i + 16)))
            return true;
    }
    const std::size_t rest = n - i;
    if (readable - 2 * i >= 16 + reach) [[likely]] {
        const Keep keep = keepFirst(rest);
        return anyLane((test(p + 2 * i) & keep.low) | (test(p + 2 * i + 16) & keep.high));
    }
    // Near the end of the bytes: the last 16 positions, overlapping those tested.
    if (n >= 16)
        return anyLane(test(p + 2 * n - 32) | test(p + 2 * n - 16));
    alignas(16) std::uint8_t copy[48] = {};
    std::memcpy(copy, p, readable < sizeof copy ? readable : sizeof copy);
    const Keep keep = keepFirst(rest);
    return anyLane((test(copy) & keep.low) | (test(copy + 16) & keep.high));
}

// Whether one of the `units` stored units at `p`, ANDed with `mask`, equals
// `value` (both in the stored form); `readable` bytes from `p` may be read.
[[gnu::always_inline]] inline bool holdsUnit(const std::uint8_t *p, std::size_t units, std::size_t readable,
                                             std::uint16_t mask, std::uint16_t value)
{
    const Units8 m = Units8{} + mask, v = Units8{} + value;
    return anyPosition(p, units, readable, 16, [&](const std::uint8_t *q) { return (load8(q) & m) == v; });
}

[[nodiscard]] std::optional<std::size_t> findUnpairedSurrogate(std::u16string_view text);

// Whether the `units` UTF-16 units at `p`, in the byte order of `layout`,
// hold a surrogate, and where the first unpaired one is, if any.
[[gnu::always_inline]] inline bool holdsSurrogate(const std::uint8_t *p, std::size_t units, std::size_t readable, Layout layout)
{
    return holdsUnit(p, units, readable, storedUnit(0xF800, layout), storedUnit(0xD800, layout));
}
[[nodiscard]] std::optional<std::size_t> findUnpairedSurrogate(const std::uint8_t *p, std::size_t units,
                                                               Layout layout);

// Valid UTF-16 as UTF-8, and valid UTF-8 as UTF-16.
[[nodiscard]] std::string utf8(std::u16string_view text);
[[nodiscard]] std::u16string utf16(std::string_view text);

// Byte strings and ids are Latin-1; returns them as UTF-8.
[[nodiscard]] std::string latin1(std::string_view bytes);

// A 4-byte code for messages: 'Lyr ', with other than printable ASCII as \xNN.
[[nodiscard]] std::string quotedCode(std::string_view bytes);

} // namespace atnformat::detail
