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

// The tests take four units at a time: lane i of a 64-bit number holds unit i.
inline constexpr std::uint64_t kLanes = 0x0001000100010001;

inline std::uint64_t load64(const std::uint8_t *p)
{
    std::uint64_t v;
    std::memcpy(&v, p, 8);
    return v;
}

inline std::uint16_t load16(const std::uint8_t *p)
{
    std::uint16_t v;
    std::memcpy(&v, p, 2);
    return v;
}

inline bool hasZeroLane(std::uint64_t v) { return ((v - kLanes) & ~v & 0x8000800080008000) != 0; }

// Whether one of the `units` stored units at `p`, ANDed with `mask`, equals
// `value` (both in the stored form).
inline bool holdsUnit(const std::uint8_t *p, std::size_t units, std::uint16_t mask, std::uint16_t value)
{
    const std::uint64_t m = mask * kLanes, v = value * kLanes;
    if (units < 4) {
        for (std::size_t i = 0; i < units; ++i) {
            if ((load16(p + 2 * i) & mask) == value)
                return true;
        }
        return false;
    }
    std::size_t i = 0;
    for (; i + 4 <= units; i += 4) {
        if (hasZeroLane((load64(p + 2 * i) & m) ^ v))
            return true;
    }
    // The last four units, overlapping the ones already tested.
    return i < units && hasZeroLane((load64(p + 2 * units - 8) & m) ^ v);
}

// Whether unit `first` is followed by unit `second` somewhere among the
// `units` stored units at `p`.
inline bool holdsUnitPair(const std::uint8_t *p, std::size_t units, std::uint16_t first, std::uint16_t second)
{
    const std::uint64_t a = first * kLanes, b = second * kLanes;
    if (units < 5) {
        for (std::size_t i = 0; i + 1 < units; ++i) {
            if (load16(p + 2 * i) == first && load16(p + 2 * i + 2) == second)
                return true;
        }
        return false;
    }
    std::size_t i = 0;
    for (; i + 5 <= units; i += 4) {
        if (hasZeroLane((load64(p + 2 * i) ^ a) | (load64(p + 2 * i + 2) ^ b)))
            return true;
    }
    const std::size_t last = units - 5;
    return i <= last + 3 && hasZeroLane((load64(p + 2 * last) ^ a) | (load64(p + 2 * last + 2) ^ b));
}

[[nodiscard]] std::optional<std::size_t> findUnpairedSurrogate(std::u16string_view text);

// Whether the `units` UTF-16 units at `p`, in the byte order of `layout`,
// hold a surrogate, and where the first unpaired one is, if any.
inline bool holdsSurrogate(const std::uint8_t *p, std::size_t units, Layout layout)
{
    return holdsUnit(p, units, storedUnit(0xF800, layout), storedUnit(0xD800, layout));
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
