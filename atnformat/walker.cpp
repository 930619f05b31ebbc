#include "walker.h"

#include <string>
#include <type_traits>

#include "decoding.h"

namespace atnformat::detail {
namespace {

// Counts and lengths beyond these are taken as damage rather than content.
constexpr std::uint32_t kMaxByteStringLength = 0x100000;
constexpr std::uint32_t kMaxIdLength = 0x10000;
constexpr std::uint32_t kMaxActions = 100000;
constexpr std::uint32_t kMaxEvents = 100000;
constexpr std::uint32_t kMaxItems = 100000;
constexpr std::uint32_t kMaxListItems = 1000000;
constexpr std::uint32_t kMaxReferenceParts = 1000;
// Depth grows by one per nested descriptor and per nested list; a descriptor
// deeper than kMaxDescriptorDepth, or a list deeper than kMaxListDepth, ends the walk.
constexpr int kMaxDescriptorDepth = 64;
constexpr int kMaxListDepth = 512;

struct Failure {
    FormatError error;
};

// A 4-character code as the number its bytes make big-endian, for switching on.
constexpr std::uint32_t fourcc(const char (&c)[5])
{
    return std::uint32_t(std::uint8_t(c[0])) << 24 | std::uint32_t(std::uint8_t(c[1])) << 16 |
           std::uint32_t(std::uint8_t(c[2])) << 8 | std::uint8_t(c[3]);
}

std::uint32_t be32(const std::uint8_t *p)
{
    return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3];
}

std::uint32_t le32(const std::uint8_t *p)
{
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}

class Walker {
public:
    Walker(std::span<const std::uint8_t> bytes, WalkVisitor *visitor)
        : m_data(bytes.data()), m_size(bytes.size()), m_visitor(visitor) {}

    void walk()
    {
        const std::uint32_t version = u32("a version number");
        if (m_visitor)
            m_visitor->version(version);
        if (version != kVersion)
            fail([=] { return FormatError{0, "version 16", std::to_string(version)}; });
        record(text("the set name"), Role::SetName, {});
        skip(1, "the set's expanded flag");
        const std::uint32_t actions = count("an action count", kMaxActions);
        for (std::uint32_t a = 0; a < actions; ++a) {
            skip(6, "an action's function key, modifiers and colour");
            m_event = {};
            record(text("an action name"), Role::ActionName, {});
            skip(1, "the action's expanded flag");
            const std::uint32_t events = count("an event count", kMaxEvents);
            if (m_visitor)
                m_visitor->action();
            for (std::uint32_t e = 0; e < events; ++e)
                event();
        }
        if (m_pos != m_size)
            fail([=, this] {
                return FormatError{m_pos, "the end of the file", std::to_string(m_size - m_pos) + " more bytes"};
            });
    }

private:
    // A checked big-endian stored string.
    struct Text {
        std::size_t offset;
        std::uint32_t units;
        const std::uint8_t *text;
    };

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
    [[noreturn, gnu::cold, gnu::noinline]] void missing(What what) const
    {
        const std::size_t left = m_size - m_pos;
        std::string expected;
        if constexpr (std::is_invocable_v<What>)
            expected = what();
        else
            expected = what;
        fail([&] {
            return FormatError{m_pos, std::move(expected),
                               left == 0 ? "the end of the file"
                                         : "only " + std::to_string(left) + " bytes before the end"};
        });
    }

    template <typename What>
    const std::uint8_t *take(std::uint64_t n, What what)
    {
        if (n > m_size - m_pos) [[unlikely]]
            missing(what);
        const std::uint8_t *part = m_data + m_pos;
        m_pos += static_cast<std::size_t>(n);
        return part;
    }

    void skip(std::uint64_t n, const char *what) { (void)take(n, what); }
    std::uint32_t u32(const char *what) { return be32(take(4, what)); }

    static std::string_view chars(const std::uint8_t *p, std::size_t n)
    {
        return {reinterpret_cast<const char *>(p), n};
    }
    std::string_view code(const char *what) { return chars(take(4, what), 4); }

    std::uint32_t count(const char *what, std::uint32_t limit)
    {
        const std::size_t at = m_pos;
        const std::uint32_t n = u32(what);
        if (n > limit)
            fail([=] {
                return FormatError{at, std::string(what) + " of at most " + std::to_string(limit), std::to_string(n)};
            });
        return n;
    }

    // A string of at most `limit` bytes after its u32 length; for an id, a
    // length of 0 stands for a 4-character code instead.
    std::string_view sized(const char *what, std::uint32_t limit, bool codeIfEmpty = false)
    {
        const std::size_t at = m_pos;
        const std::uint32_t n = u32(what);
        if (n == 0 && codeIfEmpty)
            return code(what);
        if (n > limit)
            fail([=] {
                return FormatError{at, std::string(what) + " of at most " + std::to_string(limit) + " bytes",
                                   std::to_string(n) + " bytes"};
            });
        return chars(take(n, what), n);
    }

    std::string_view ident(const char *what)
    {
        // Most ids are 4-character codes: one test of the bytes left for both parts.
        if (m_size - m_pos >= 8 && be32(m_data + m_pos) == 0) [[likely]] {
            m_pos += 8;
            return chars(m_data + m_pos - 4, 4);
        }
        return sized(what, kMaxIdLength, true);
    }
    std::string_view byteString(const char *what) { return sized(what, kMaxByteStringLength); }

    // A big-endian stored string. N = 0 (no ending null) occurs in some
    // writers for an empty text and is accepted.
    Text text(const char *what)
    {
        Text t{m_pos, u32(what), nullptr};
        if (t.units > kMaxTextUnits) [[unlikely]]
            fail([=] {
                return FormatError{t.offset, "a text length of at most " + std::to_string(kMaxTextUnits) + " units",
                                   std::to_string(t.units)};
            });
        t.text = take(2ULL * t.units,
                      [=] { return "the " + std::to_string(t.units) + " units of " + std::string(what); });
        if (t.units == 0)
            return t;
        if (t.text[2 * t.units - 2] != 0 || t.text[2 * t.units - 1] != 0) [[unlikely]]
            fail([=] {
                return FormatError{t.offset + 2 * t.units + 2, "the ending null 00 00 of " + std::string(what), {}};
            });
        if (holdsSurrogate(t.text, t.units - 1, Layout::BigEndian)) [[unlikely]]
            unpaired(t.text, t.units - 1, Layout::BigEndian, t.offset + 4);
        return t;
    }

    // Fails if the text at `p`, which holds surrogates, has an unpaired one.
    [[gnu::cold, gnu::noinline]] static void unpaired(const std::uint8_t *p, std::size_t units, Layout layout,
                                                      std::size_t offset)
    {
        if (const auto bad = findUnpairedSurrogate(p, units, layout))
            fail([=] { return FormatError{offset + 2 * *bad, "UTF-16 text", "an unpaired surrogate"}; });
    }

    void record(Text t, Role role, std::string_view key)
    {
        if (m_visitor)
            m_visitor->string(WalkedString{t.offset, t.offset, t.offset + 4 + 2ULL * t.units, Layout::BigEndian, role,
                                           key, m_event, t.units, t.text});
    }

    void classId()
    {
        const Text name = text("a class name");
        record(name, Role::ClassName, ident("a class id"));
    }

    void event()
    {
        skip(4, "an event's flags");
        const std::string_view kind = code("'TEXT' or 'long' before the event id");
        if (kind == "TEXT")
            m_event = byteString("an event id");
        else if (kind == "long")
            m_event = code("an event code");
        else
            fail([=, this] {
                return FormatError{m_pos - 4, "'TEXT' or 'long' before the event id", quotedCode(kind)};
            });
        (void)byteString("the event's display name");
        const std::size_t at = m_pos;
        const std::uint32_t has = u32("the descriptor flag");
        if (has == 0xFFFFFFFF)
            descriptor(0);
        else if (has != 0)
            fail([=] {
                return FormatError{at, "the descriptor flag -1 or 0", std::to_string(static_cast<std::int32_t>(has))};
            });
        if (m_visitor)
            m_visitor->event();
    }

    void descriptor(int depth)
    {
        if (depth > kMaxDescriptorDepth)
            fail([=, this] {
                const std::string most = std::to_string(kMaxDescriptorDepth);
                return FormatError{m_pos, "a descriptor nested at most " + most + " deep", {}};
            });
        classId();
        const std::uint32_t items = count("an item count", kMaxItems);
        for (std::uint32_t i = 0; i < items; ++i) {
            const std::string_view key = ident("an item key");
            value(key, depth);
        }
    }

    // Reads a 4-character value type and the value after it.
    void value(std::string_view key, int depth)
    {
        const std::size_t at = m_pos;
        const std::string_view type = code("a value type");
        switch (be32(reinterpret_cast<const std::uint8_t *>(type.data()))) {
        case fourcc("bool"):
            return skip(1, "a bool");
        case fourcc("long"):
            return skip(4, "a long");
        case fourcc("comp"):
            return skip(8, "a comp");
        case fourcc("doub"):
            return skip(8, "a doub");
        case fourcc("UntF"):
            return skip(12, "a unit and a doub");
        case fourcc("TEXT"):
            return record(text("a text value"), Role::TextValue, key);
        case fourcc("enum"):
            (void)ident("an enumeration type");
            (void)ident("an enumeration value");
            return;
        case fourcc("type"):
        case fourcc("GlbC"):
            return classId();
        case fourcc("Objc"):
        case fourcc("GlbO"):
            return descriptor(depth + 1);
        case fourcc("VlLs"): {
            if (depth >= kMaxListDepth)
                fail([=] {
                    return FormatError{at, "a list nested at most " + std::to_string(kMaxListDepth) + " deep", {}};
                });
            const std::uint32_t n = count("a list count", kMaxListItems);
            for (std::uint32_t i = 0; i < n; ++i)
                value(key, depth + 1);
            return;
        }
        case fourcc("obj "):
            return reference();
        case fourcc("tdta"):
        case fourcc("alis"):
        case fourcc("Pth "):
            return blob(type, key);
        case fourcc("ObAr"):
            return objectArray();
        default:
            fail([=] { return FormatError{at, "a value type", quotedCode(type)}; });
        }
    }

    void reference()
    {
        const std::uint32_t parts = count("a reference count", kMaxReferenceParts);
        for (std::uint32_t i = 0; i < parts; ++i) {
            const std::size_t at = m_pos;
            const std::string_view form = code("a reference form");
            const Text className = text("a class name");
            const std::string_view cls = ident("a class id");
            record(className, Role::ClassName, cls);
            if (form == "Clss") {
            } else if (form == "Enmr") {
                (void)ident("an enumeration type");
                (void)ident("an enumeration value");
            } else if (form == "Idnt" || form == "indx" || form == "rele") {
                skip(4, "a reference number");
            } else if (form == "name") {
                record(text("a name"), Role::ReferenceName, cls);
            } else if (form == "prop") {
                (void)ident("a property key");
            } else {
                fail([=] { return FormatError{at, "a reference form", quotedCode(form)}; });
            }
        }
    }

    // 'tdta', 'alis', 'Pth ': a byte count B and B bytes. A path or alias whose
    // bytes begin with "txtu" must hold a consistent little-endian string.
    void blob(std::string_view type, std::string_view key)
    {
        const std::size_t at = m_pos;
        const std::uint32_t size = u32("a byte count");
        const std::uint8_t *content =
            take(size, [=] { return "the " + std::to_string(size) + " bytes of a '" + std::string(type) + "' value"; });
        if (type == "tdta" || size < 12 || chars(content, 4) != "txtu")
            return;
        const std::uint32_t repeated = le32(content + 4);
        if (repeated != size)
            fail([=] {
                return FormatError{at + 8, "the little-endian byte count " + std::to_string(size),
                                   std::to_string(repeated)};
            });
        const std::uint32_t units = le32(content + 8);
        if (2ULL * units + 12 != size)
            fail([=] {
                return FormatError{at + 12, "a unit count N with 2N + 12 = " + std::to_string(size),
                                   std::to_string(units)};
            });
        if (units == 0)
            fail([=] { return FormatError{at + 12, "a unit count of at least 1 (the ending null)", "0"}; });
        if (content[size - 2] != 0 || content[size - 1] != 0)
            fail([=] { return FormatError{at + 4 + size - 2, "the ending null 00 00 of a little-endian text", {}}; });
        if (holdsSurrogate(content + 12, units - 1, Layout::LittleEndian)) [[unlikely]]
            unpaired(content + 12, units - 1, Layout::LittleEndian, at + 16);
        if (m_visitor)
            m_visitor->string(WalkedString{at + 12, at, at + 4 + size, Layout::LittleEndian,
                                           type == "Pth " ? Role::FilePath : Role::AliasPath, key, m_event, units,
                                           content + 12});
    }

    void objectArray()
    {
        skip(4, "an object array's count");
        classId();
        const std::uint32_t columns = u32("an object array's item count");
        for (std::uint32_t i = 0; i < columns; ++i) {
            (void)ident("an item key");
            const std::string_view type = code("'UnFl'");
            if (type != "UnFl")
                fail([=, this] { return FormatError{m_pos - 4, "'UnFl'", quotedCode(type)}; });
            skip(4, "a unit");
            const std::uint32_t n = u32("a number count");
            (void)take(8ULL * n, [=] { return "the " + std::to_string(n) + " numbers of an object array"; });
        }
    }

    const std::uint8_t *m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
    WalkVisitor *m_visitor;
    std::string_view m_event;
};

} // namespace

std::optional<FormatError> walk(std::span<const std::uint8_t> bytes, WalkVisitor *visitor)
{
    try {
        Walker(bytes, visitor).walk();
    } catch (Failure &failure) {
        return std::move(failure.error);
    }
    return std::nullopt;
}

} // namespace atnformat::detail
