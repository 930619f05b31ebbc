// The fields an action file is made of, read and checked one at a time by
// the walk (walker.h): numbers, codes, ids, byte strings and big-endian
// stored strings. Every read takes the position by reference and moves it on;
// a read that fails ends the walk by throwing a Failure with the FormatError.
//
// The position is a pointer that the walk keeps in a local variable and hands
// from field to field, never a member: so it stays in a register instead of
// going through memory at every field.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

#include "actionfile.h"
#include "decoding.h"

namespace atnformat::detail {

// Longer texts are taken as damage rather than content (N, the null included).
inline constexpr std::uint32_t kMaxTextUnits = 0x100000;

// Thrown by the reads; caught where the walk starts.
struct Failure {
    FormatError error;
};

inline std::uint32_t be32(const std::uint8_t *p)
{
    return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3];
}

inline std::uint32_t le32(const std::uint8_t *p)
{
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}

class FieldReader {
public:
    using Pos = const std::uint8_t *;

    explicit FieldReader(std::span<const std::uint8_t> bytes)
        : m_begin(bytes.data()), m_end(bytes.data() + bytes.size()) {}

protected:
    // A checked big-endian stored string.
    struct Text {
        std::size_t offset;
        std::uint32_t units;
        const std::uint8_t *text;
    };

    [[nodiscard]] Pos begin() const { return m_begin; }
    [[nodiscard]] std::size_t offset(Pos p) const { return static_cast<std::size_t>(p - m_begin); }
    [[nodiscard]] std::size_t left(Pos p) const { return static_cast<std::size_t>(m_end - p); }

    // Ends the walk with the FormatError that `make` gives. Out of line, so
    // that no message is built, and no room made for one, on the way through.
    template <typename Make>
    [[noreturn, gnu::cold, gnu::noinline]] static void fail(const Make &make)
    {
        throw Failure{make()};
    }

    // `what` is a text, or a callable that makes one: it is only needed when
    // the bytes are missing.
    template <typename What>
    [[noreturn, gnu::cold, gnu::noinline]] void missing(Pos p, What what) const
    {
        if constexpr (std::is_invocable_v<What>)
            missingBytes(p, what());
        else
            missingBytes(p, what);
    }
    [[noreturn]] void missingBytes(Pos p, std::string expected) const;

    template <typename What>
    Pos take(Pos &p, std::uint64_t n, What what) const
    {
        if (n > left(p)) [[unlikely]]
            missing(p, what);
        const Pos part = p;
        p += n;
        return part;
    }

    void skip(Pos &p, std::uint64_t n, const char *what) const { (void)take(p, n, what); }
    std::uint32_t u32(Pos &p, const char *what) const { return be32(take(p, 4, what)); }

    static std::string_view chars(const std::uint8_t *p, std::size_t n)
    {
        return {reinterpret_cast<const char *>(p), n};
    }
    std::string_view code(Pos &p, const char *what) const { return chars(take(p, 4, what), 4); }

    std::uint32_t count(Pos &p, const char *what, std::uint32_t limit) const
    {
        const Pos at = p;
        const std::uint32_t n = u32(p, what);
        if (n > limit) [[unlikely]]
            tooMany(at, what, limit, n);
        return n;
    }

    // A string of at most `limit` bytes after its u32 length; for an id, a
    // length of 0 stands for a 4-character code instead.
    std::string_view sized(Pos &p, const char *what, std::uint32_t limit, bool codeIfEmpty = false) const
    {
        const Pos at = p;
        const std::uint32_t n = u32(p, what);
        if (n == 0 && codeIfEmpty)
            return code(p, what);
        if (n > limit) [[unlikely]]
            tooLong(at, what, limit, n);
        return chars(take(p, n, what), n);
    }

    [[gnu::always_inline]] std::string_view ident(Pos &p, const char *what) const
    {
        // Most ids are 4-character codes: one test of the bytes left for both parts.
        if (left(p) >= 8 && be32(p) == 0) [[likely]] {
            p += 8;
            return chars(p - 4, 4);
        }
        return sized(p, what, kMaxIdLength, true);
    }
    std::string_view byteString(Pos &p, const char *what) const { return sized(p, what, kMaxByteStringLength); }

    // A big-endian stored string. N = 0 (no ending null) occurs in some
    // writers for an empty text and is accepted.
    [[gnu::always_inline]] Text text(Pos &p, const char *what) const
    {
        const Pos at = p;
        const std::uint32_t units = u32(p, what);
        if (units > kMaxTextUnits) [[unlikely]]
            tooLongText(at, units);
        const Pos t = take(p, 2ULL * units,
                           [=] { return "the " + std::to_string(units) + " units of " + std::string(what); });
        if (units == 0)
            return Text{offset(at), 0, t};
        if ((t[2 * units - 2] | t[2 * units - 1]) != 0) [[unlikely]]
            noNull(offset(p) - 2, what);
        if (holdsSurrogate(t, units - 1, left(t), Layout::BigEndian)) [[unlikely]]
            unpaired(t, units - 1, Layout::BigEndian, offset(at) + 4);
        return Text{offset(at), units, t};
    }

    // Fails if the text at `p`, which holds surrogates, has an unpaired one.
    [[gnu::cold]] static void unpaired(const std::uint8_t *p, std::size_t units, Layout layout, std::size_t offset);

private:
    // Counts and lengths beyond these are taken as damage rather than content.
    static constexpr std::uint32_t kMaxByteStringLength = 0x100000;
    static constexpr std::uint32_t kMaxIdLength = 0x10000;

    [[noreturn, gnu::cold]] void tooMany(Pos at, const char *what, std::uint32_t limit, std::uint32_t n) const;
    [[noreturn, gnu::cold]] void tooLong(Pos at, const char *what, std::uint32_t limit, std::uint32_t n) const;
    [[noreturn, gnu::cold]] void tooLongText(Pos at, std::uint32_t units) const;
    [[noreturn, gnu::cold]] static void noNull(std::size_t offset, const char *what);

    const std::uint8_t *m_begin;
    const std::uint8_t *m_end;
};

} // namespace atnformat::detail
