// The one description of the structure of an action file (version 16): the
// walk that the reader and the rewriter share. It checks everything that makes
// a file well-formed and tells a visitor, in file order, about each stored
// string it has checked, each action and each event.
//
// The walk is a template on its visitor, so that telling it costs no call
// through a pointer: the reader, the check and the rewriter each get a walk
// of their own, made from this one text.
#pragma once

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "actionfile.h"
#include "fieldreader.h"

namespace atnformat::detail {

struct WalkedString {
    std::size_t offset = 0; // as StoredString::offset
    // The bytes of the string and its length fields, [start, end): from the
    // unit count of a big-endian string, from the byte count of the value
    // that holds a little-endian one, to the ending null.
    std::size_t start = 0;
    std::size_t end = 0;
    Layout layout = Layout::BigEndian;
    Role role = Role::TextValue;
    std::string_view key;   // as StoredString::key, in the file's bytes (Latin-1)
    std::string_view event; // as StoredString::event, likewise
    std::uint32_t units = 0; // N as stored
    // The text: the N - 1 units before the ending null (none when N = 0),
    // valid UTF-16, in the byte order of `layout`; see readUnits.
    const std::uint8_t *text = nullptr;
    // The bytes from `text` to the end of the walked bytes: how far the tests
    // of decoding.h may read.
    std::size_t readable = 0;
    [[nodiscard]] std::size_t length() const { return units == 0 ? 0 : units - 1; }
};

// What a walk tells; each view is valid only during the call. A visitor may
// end the walk by throwing, which the walk lets through. Before each string
// it is asked whether it `wants` it: the string it is then told is made
// anew, so a quick answer for most strings (inlined) leaves the walk nothing
// to build for them.
template <typename V>
concept WalkVisitor = requires(V v, std::uint32_t version, const WalkedString &s) {
    { v.wants(s) } -> std::convertible_to<bool>;
    v.version(version);
    v.string(s);
    v.action();
    v.event();
};

// A visitor that is told nothing: the walk as a check.
struct NoVisitor {
    static bool wants(const WalkedString &) { return false; }
    void version(std::uint32_t) {}
    void string(const WalkedString &) {}
    void action() {}
    void event() {}
};

template <WalkVisitor Visitor>
class Walker : private FieldReader {
public:
    Walker(std::span<const std::uint8_t> bytes, Visitor &visitor) : FieldReader(bytes), m_visitor(visitor) {}

    // Walks the whole file; throws Failure where it is not well-formed.
    void walk()
    {
        Pos p = begin();
        const std::uint32_t version = u32(p, "a version number");
        m_visitor.version(version);
        if (version != kVersion)
            fail([=] { return FormatError{0, "version 16", std::to_string(version)}; });
        record(text(p, "the set name"), Role::SetName, {});
        skip(p, 1, "the set's expanded flag");
        const std::uint32_t actions = count(p, "an action count", kMaxActions);
        for (std::uint32_t a = 0; a < actions; ++a) {
            skip(p, 6, "an action's function key, modifiers and colour");
            m_event = {};
            record(text(p, "an action name"), Role::ActionName, {});
            skip(p, 1, "the action's expanded flag");
            const std::uint32_t events = count(p, "an event count", kMaxEvents);
            m_visitor.action();
            for (std::uint32_t e = 0; e < events; ++e)
                p = event(p);
        }
        if (left(p) != 0)
            fail([=, this] {
                return FormatError{offset(p), "the end of the file", std::to_string(left(p)) + " more bytes"};
            });
    }

private:
    static constexpr std::uint32_t kMaxActions = 100000;
    static constexpr std::uint32_t kMaxEvents = 100000;
    static constexpr std::uint32_t kMaxItems = 100000;
    static constexpr std::uint32_t kMaxListItems = 1000000;
    static constexpr std::uint32_t kMaxReferenceParts = 1000;
    // Depth grows by one per nested descriptor and per nested list; a descriptor
    // deeper than kMaxDescriptorDepth, or a list deeper than kMaxListDepth, ends the walk.
    static constexpr int kMaxDescriptorDepth = 64;
    static constexpr int kMaxListDepth = 512;

    // `make` gives the WalkedString, once for each question to the visitor.
    template <typename Make>
    [[gnu::always_inline]] void tell(const Make &make)
    {
        if (m_visitor.wants(make()))
            m_visitor.string(make());
    }

    [[gnu::always_inline]] void record(Text t, Role role, std::string_view key)
    {
        tell([&] {
            return WalkedString{t.offset, t.offset, t.offset + 4 + 2ULL * t.units, Layout::BigEndian, role,
                                key, m_event, t.units, t.text, left(t.text)};
        });
    }

    [[gnu::always_inline]] void classId(Pos &p)
    {
        const Text name = text(p, "a class name");
        record(name, Role::ClassName, ident(p, "a class id"));
    }

    Pos event(Pos p)
    {
        skip(p, 4, "an event's flags");
        const std::string_view kind = code(p, "'TEXT' or 'long' before the event id");
        if (kind == "TEXT")
            m_event = byteString(p, "an event id");
        else if (kind == "long")
            m_event = code(p, "an event code");
        else
            fail([=, this] {
                return FormatError{offset(p) - 4, "'TEXT' or 'long' before the event id", quotedCode(kind)};
            });
        (void)byteString(p, "the event's display name");
        const Pos at = p;
        const std::uint32_t has = u32(p, "the descriptor flag");
        if (has == 0xFFFFFFFF)
            p = descriptor(p, 0);
        else if (has != 0)
            fail([=, this] {
                return FormatError{offset(at), "the descriptor flag -1 or 0",
                                   std::to_string(static_cast<std::int32_t>(has))};
            });
        m_visitor.event();
        return p;
    }

    Pos descriptor(Pos p, int depth)
    {
        if (depth > kMaxDescriptorDepth)
            fail([=, this] {
                const std::string most = std::to_string(kMaxDescriptorDepth);
                return FormatError{offset(p), "a descriptor nested at most " + most + " deep", {}};
            });
        classId(p);
        const std::uint32_t items = count(p, "an item count", kMaxItems);
        for (std::uint32_t i = 0; i < items; ++i) {
            const std::string_view key = ident(p, "an item key");
            p = value(p, key, depth);
        }
        return p;
    }

    // The value types, numbered by a perfect hash of their codes (read
    // little-endian, as most machines load them; the shifts were found by
    // trying): the switch on the number is one jump through a table, where
    // a switch on the codes themselves is a tree of tests, several of which
    // an order of items that follows no pattern sends the wrong way. The jump
    // waits for the hash, so it takes two shifts that run side by side.
    static constexpr std::uint32_t slot(std::uint32_t code) { return ((code >> 17) ^ (code >> 22)) & 31; }
    static constexpr std::uint32_t slot(const char *c) { return slot(fourcc(c)); }
    static constexpr std::uint32_t fourcc(const char *c)
    {
        return std::uint32_t(std::uint8_t(c[0])) | std::uint32_t(std::uint8_t(c[1])) << 8 |
               std::uint32_t(std::uint8_t(c[2])) << 16 | std::uint32_t(std::uint8_t(c[3])) << 24;
    }
    static constexpr const char *kValueTypes[] = {"bool", "long", "comp", "doub", "UntF", "TEXT",
                                                  "enum", "type", "GlbC", "Objc", "GlbO", "VlLs",
                                                  "obj ", "tdta", "alis", "Pth ", "ObAr"};
    struct TypeTable {
        std::uint32_t codes[32] = {};
        bool distinct = true;
        constexpr TypeTable()
        {
            bool taken[32] = {};
            for (const char *type : kValueTypes) {
                const std::uint32_t code = fourcc(type);
                distinct = distinct && !taken[slot(code)];
                taken[slot(code)] = true;
                codes[slot(code)] = code;
            }
            // A slot that no type takes holds a code that leads elsewhere: no number passes for it.
            for (std::size_t i = 0; i < 32; ++i) {
                if (!taken[i])
                    codes[i] = fourcc(kValueTypes[0]);
            }
        }
    };
    static constexpr TypeTable kTypes{};
    static_assert(kTypes.distinct);

    // Reads a 4-character value type and the value after it.
    [[gnu::always_inline]] Pos value(Pos p, std::string_view key, int depth)
    {
        const Pos at = p;
        const std::string_view type = code(p, "a value type");
        const std::uint32_t number = le32(at);
        if (kTypes.codes[slot(number)] != number) [[unlikely]]
            fail([=, this] { return FormatError{offset(at), "a value type", quotedCode(type)}; });
        switch (slot(number)) {
        case slot("bool"):
            skip(p, 1, "a bool");
            return p;
        case slot("long"):
            skip(p, 4, "a long");
            return p;
        case slot("comp"):
            skip(p, 8, "a comp");
            return p;
        case slot("doub"):
            skip(p, 8, "a doub");
            return p;
        case slot("UntF"):
            skip(p, 12, "a unit and a doub");
            return p;
        case slot("TEXT"):
            record(text(p, "a text value"), Role::TextValue, key);
            return p;
        case slot("enum"):
            (void)ident(p, "an enumeration type");
            (void)ident(p, "an enumeration value");
            return p;
        case slot("type"):
        case slot("GlbC"):
            classId(p);
            return p;
        case slot("Objc"):
        case slot("GlbO"):
            return descriptor(p, depth + 1);
        case slot("VlLs"):
            return list(at, depth, key);
        case slot("obj "):
            return reference(p);
        case slot("tdta"):
        case slot("alis"):
        case slot("Pth "):
            return blob(p, type, key);
        case slot("ObAr"):
            return objectArray(p);
        default:
            __builtin_unreachable();
        }
    }

    // A list value, from its type on.
    Pos list(Pos at, int depth, std::string_view key)
    {
        if (depth >= kMaxListDepth)
            fail([=, this] {
                return FormatError{offset(at), "a list nested at most " + std::to_string(kMaxListDepth) + " deep", {}};
            });
        Pos p = at + 4;
        const std::uint32_t n = count(p, "a list count", kMaxListItems);
        for (std::uint32_t i = 0; i < n; ++i)
            p = value(p, key, depth + 1);
        return p;
    }

    Pos reference(Pos p)
    {
        const std::uint32_t parts = count(p, "a reference count", kMaxReferenceParts);
        for (std::uint32_t i = 0; i < parts; ++i) {
            const Pos at = p;
            const std::string_view form = code(p, "a reference form");
            const Text className = text(p, "a class name");
            const std::string_view cls = ident(p, "a class id");
            record(className, Role::ClassName, cls);
            if (form == "Clss") {
            } else if (form == "Enmr") {
                (void)ident(p, "an enumeration type");
                (void)ident(p, "an enumeration value");
            } else if (form == "Idnt" || form == "indx" || form == "rele") {
                skip(p, 4, "a reference number");
            } else if (form == "name") {
                record(text(p, "a name"), Role::ReferenceName, cls);
            } else if (form == "prop") {
                (void)ident(p, "a property key");
            } else {
                fail([=, this] { return FormatError{offset(at), "a reference form", quotedCode(form)}; });
            }
        }
        return p;
    }

    // 'tdta', 'alis', 'Pth ': a byte count B and B bytes. A path or alias whose
    // bytes begin with "txtu" must hold a consistent little-endian string.
    Pos blob(Pos p, std::string_view type, std::string_view key)
    {
        const std::size_t at = offset(p);
        const std::uint32_t size = u32(p, "a byte count");
        const std::uint8_t *content = take(
            p, size, [=] { return "the " + std::to_string(size) + " bytes of a '" + std::string(type) + "' value"; });
        if (type == "tdta" || size < 12 || chars(content, 4) != "txtu")
            return p;
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
        if ((content[size - 2] | content[size - 1]) != 0)
            fail([=] { return FormatError{at + 4 + size - 2, "the ending null 00 00 of a little-endian text", {}}; });
        if (holdsSurrogate(content + 12, units - 1, left(content + 12), Layout::LittleEndian)) [[unlikely]]
            unpaired(content + 12, units - 1, Layout::LittleEndian, at + 16);
        tell([&] {
            return WalkedString{at + 12, at, at + 4 + size, Layout::LittleEndian,
                                type == "Pth " ? Role::FilePath : Role::AliasPath, key, m_event, units,
                                content + 12, left(content + 12)};
        });
        return p;
    }

    Pos objectArray(Pos p)
    {
        skip(p, 4, "an object array's count");
        classId(p);
        const std::uint32_t columns = u32(p, "an object array's item count");
        for (std::uint32_t i = 0; i < columns; ++i) {
            (void)ident(p, "an item key");
            const std::string_view type = code(p, "'UnFl'");
            if (type != "UnFl")
                fail([=, this] { return FormatError{offset(p) - 4, "'UnFl'", quotedCode(type)}; });
            skip(p, 4, "a unit");
            const std::uint32_t n = u32(p, "a number count");
            (void)take(p, 8ULL * n, [=] { return "the " + std::to_string(n) + " numbers of an object array"; });
        }
        return p;
    }

    Visitor &m_visitor;
    std::string_view m_event;
};

// Nothing when `bytes` is a well-formed action file, otherwise the first
// problem; `visitor` has then been told what came before it.
template <WalkVisitor Visitor>
[[nodiscard]] std::optional<FormatError> walk(std::span<const std::uint8_t> bytes, Visitor &visitor)
{
    try {
        Walker<Visitor>(bytes, visitor).walk();
    } catch (Failure &failure) {
        return std::move(failure.error);
    }
    return std::nullopt;
}

} // namespace atnformat::detail
