#include "actionfile.h"

#include <map>
#include <type_traits>

#include "decoding.h"

namespace atnformat {
namespace {

using detail::decodeUtf16;
using detail::latin1;
using detail::quotedCode;

// Counts and lengths beyond these are taken as damage rather than content.
constexpr std::uint32_t kMaxTextUnits = 0x100000;
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

std::uint32_t le32(const std::uint8_t *p)
{
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

class Walker {
public:
    Walker(std::span<const std::uint8_t> bytes, ActionFile *out) : m_bytes(bytes), m_out(out) {}

    void walk()
    {
        const std::uint32_t version = u32("a version number");
        if (m_out)
            m_out->version = version;
        if (version != kVersion)
            fail(0, "version 16", std::to_string(version));
        record(text("the set name"), Role::SetName, {});
        skip(1, "the set's expanded flag");
        const std::uint32_t actions = count("an action count", kMaxActions);
        for (std::uint32_t a = 0; a < actions; ++a) {
            skip(6, "an action's function key, modifiers and colour");
            m_event.clear();
            record(text("an action name"), Role::ActionName, {});
            skip(1, "the action's expanded flag");
            const std::uint32_t events = count("an event count", kMaxEvents);
            if (m_out)
                ++m_out->actionCount;
            for (std::uint32_t e = 0; e < events; ++e)
                event();
        }
        if (m_pos != m_bytes.size())
            fail(m_pos, "the end of the file", std::to_string(m_bytes.size() - m_pos) + " more bytes");
    }

private:
    struct Text {
        std::size_t offset;
        std::uint32_t units;
        std::string text;
    };

    [[noreturn]] static void fail(std::size_t offset, std::string expected, std::string found = {})
    {
        throw Failure{FormatError{offset, std::move(expected), std::move(found)}};
    }

    // `what` is a text, or a callable that makes one: it is only needed when
    // the bytes are missing.
    template <typename What>
    std::span<const std::uint8_t> take(std::uint64_t n, const What &what)
    {
        const std::size_t left = m_bytes.size() - m_pos;
        if (n > left) {
            std::string expected;
            if constexpr (std::is_invocable_v<What>)
                expected = what();
            else
                expected = what;
            fail(m_pos, std::move(expected),
                 left == 0 ? "the end of the file" : "only " + std::to_string(left) + " bytes before the end");
        }
        const auto part = m_bytes.subspan(m_pos, static_cast<std::size_t>(n));
        m_pos += static_cast<std::size_t>(n);
        return part;
    }

    void skip(std::uint64_t n, std::string_view what) { (void)take(n, what); }

    std::uint32_t u32(std::string_view what)
    {
        const auto b = take(4, what);
        return static_cast<std::uint32_t>(b[0]) << 24 | static_cast<std::uint32_t>(b[1]) << 16 |
               static_cast<std::uint32_t>(b[2]) << 8 | b[3];
    }

    std::uint32_t count(std::string_view what, std::uint32_t limit)
    {
        const std::size_t at = m_pos;
        const std::uint32_t n = u32(what);
        if (n > limit)
            fail(at, std::string(what) + " of at most " + std::to_string(limit), std::to_string(n));
        return n;
    }

    std::span<const std::uint8_t> code(std::string_view what) { return take(4, what); }

    std::string ident(std::string_view what)
    {
        const std::size_t at = m_pos;
        const std::uint32_t n = u32(what);
        if (n == 0)
            return latin1(code(what));
        if (n > kMaxIdLength)
            fail(at, std::string(what) + " of at most " + std::to_string(kMaxIdLength) + " bytes",
                 std::to_string(n) + " bytes");
        return latin1(take(n, what));
    }

    std::string byteString(std::string_view what)
    {
        const std::size_t at = m_pos;
        const std::uint32_t n = u32(what);
        if (n > kMaxByteStringLength)
            fail(at, std::string(what) + " of at most " + std::to_string(kMaxByteStringLength) + " bytes",
                 std::to_string(n) + " bytes");
        return latin1(take(n, what));
    }

    // A big-endian stored string. N = 0 (no ending null) occurs in some
    // writers for an empty text and is accepted.
    Text text(std::string_view what)
    {
        Text t{m_pos, 0, {}};
        t.units = u32(what);
        if (t.units > kMaxTextUnits)
            fail(t.offset, "a text length of at most " + std::to_string(kMaxTextUnits) + " units",
                 std::to_string(t.units));
        const auto units = take(2ULL * t.units, [&] { return "the " + std::to_string(t.units) + " units of " + std::string(what); });
        if (t.units == 0)
            return t;
        if (units[units.size() - 2] != 0 || units[units.size() - 1] != 0)
            fail(t.offset + 4 + units.size() - 2, "the ending null 00 00 of " + std::string(what));
        if (const auto bad = decodeUtf16(units.data(), t.units - 1, Layout::BigEndian, t.text))
            fail(t.offset + 4 + 2 * *bad, "UTF-16 text", "an unpaired surrogate");
        return t;
    }

    void record(Text t, Role role, std::string key, Layout layout = Layout::BigEndian)
    {
        if (!m_out)
            return;
        m_out->strings.push_back(
            StoredString{t.offset, layout, role, std::move(key), m_event, std::move(t.text), t.units});
    }

    void classId()
    {
        Text name = text("a class name");
        record(std::move(name), Role::ClassName, ident("a class id"));
    }

    void event()
    {
        skip(4, "an event's flags");
        const auto kind = code("'TEXT' or 'long' before the event id");
        const std::string_view k(reinterpret_cast<const char *>(kind.data()), 4);
        if (k == "TEXT")
            m_event = byteString("an event id");
        else if (k == "long")
            m_event = latin1(code("an event code"));
        else
            fail(m_pos - 4, "'TEXT' or 'long' before the event id", quotedCode(kind));
        (void)byteString("the event's display name");
        const std::size_t at = m_pos;
        const std::uint32_t has = u32("the descriptor flag");
        if (has == 0xFFFFFFFF)
            descriptor(0);
        else if (has != 0)
            fail(at, "the descriptor flag -1 or 0", std::to_string(static_cast<std::int32_t>(has)));
        if (m_out)
            ++m_out->eventCount;
    }

    void descriptor(int depth)
    {
        if (depth > kMaxDescriptorDepth)
            fail(m_pos, "a descriptor nested at most " + std::to_string(kMaxDescriptorDepth) + " deep");
        classId();
        const std::uint32_t items = count("an item count", kMaxItems);
        for (std::uint32_t i = 0; i < items; ++i) {
            const std::string key = ident("an item key");
            value(key, depth);
        }
    }

    // Reads a 4-character value type and the value after it.
    void value(const std::string &key, int depth)
    {
        const std::size_t at = m_pos;
        const auto typeBytes = code("a value type");
        const std::string_view type(reinterpret_cast<const char *>(typeBytes.data()), 4);
        if (type == "bool") {
            skip(1, "a bool");
        } else if (type == "long") {
            skip(4, "a long");
        } else if (type == "comp" || type == "doub") {
            skip(8, type == "comp" ? "a comp" : "a doub");
        } else if (type == "UntF") {
            skip(12, "a unit and a doub");
        } else if (type == "TEXT") {
            record(text("a text value"), Role::TextValue, key);
        } else if (type == "enum") {
            (void)ident("an enumeration type");
            (void)ident("an enumeration value");
        } else if (type == "type" || type == "GlbC") {
            classId();
        } else if (type == "Objc" || type == "GlbO") {
            descriptor(depth + 1);
        } else if (type == "VlLs") {
            if (depth >= kMaxListDepth)
                fail(at, "a list nested at most " + std::to_string(kMaxListDepth) + " deep");
            const std::uint32_t n = count("a list count", kMaxListItems);
            for (std::uint32_t i = 0; i < n; ++i)
                value(key, depth + 1);
        } else if (type == "obj ") {
            reference();
        } else if (type == "tdta" || type == "alis" || type == "Pth ") {
            blob(type, key);
        } else if (type == "ObAr") {
            objectArray();
        } else {
            fail(at, "a value type", quotedCode(typeBytes));
        }
    }

    void reference()
    {
        const std::uint32_t parts = count("a reference count", kMaxReferenceParts);
        for (std::uint32_t i = 0; i < parts; ++i) {
            const std::size_t at = m_pos;
            const auto formBytes = code("a reference form");
            const std::string_view form(reinterpret_cast<const char *>(formBytes.data()), 4);
            Text className = text("a class name");
            const std::string cls = ident("a class id");
            record(std::move(className), Role::ClassName, cls);
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
                fail(at, "a reference form", quotedCode(formBytes));
            }
        }
    }

    // 'tdta', 'alis', 'Pth ': a byte count B and B bytes. A path or alias whose
    // bytes begin with "txtu" must hold a consistent little-endian string.
    void blob(std::string_view type, const std::string &key)
    {
        const std::size_t at = m_pos;
        const std::uint32_t size = u32("a byte count");
        const auto content = take(size, [&] { return "the " + std::to_string(size) + " bytes of a '" + std::string(type) + "' value"; });
        if (type == "tdta" || size < 12 || std::string_view(reinterpret_cast<const char *>(content.data()), 4) != "txtu")
            return;
        const std::uint32_t repeated = le32(content.data() + 4);
        if (repeated != size)
            fail(at + 8, "the little-endian byte count " + std::to_string(size), std::to_string(repeated));
        const std::uint32_t units = le32(content.data() + 8);
        if (2ULL * units + 12 != size)
            fail(at + 12, "a unit count N with 2N + 12 = " + std::to_string(size), std::to_string(units));
        if (units == 0)
            fail(at + 12, "a unit count of at least 1 (the ending null)", "0");
        if (content[size - 2] != 0 || content[size - 1] != 0)
            fail(at + 4 + size - 2, "the ending null 00 00 of a little-endian text");
        Text t{at + 12, units, {}};
        if (const auto bad = decodeUtf16(content.data() + 12, units - 1, Layout::LittleEndian, t.text))
            fail(at + 16 + 2 * *bad, "UTF-16 text", "an unpaired surrogate");
        record(std::move(t), type == "Pth " ? Role::FilePath : Role::AliasPath, key, Layout::LittleEndian);
    }

    void objectArray()
    {
        skip(4, "an object array's count");
        classId();
        const std::uint32_t columns = u32("an object array's item count");
        for (std::uint32_t i = 0; i < columns; ++i) {
            (void)ident("an item key");
            const auto typeBytes = code("'UnFl'");
            if (std::string_view(reinterpret_cast<const char *>(typeBytes.data()), 4) != "UnFl")
                fail(m_pos - 4, "'UnFl'", quotedCode(typeBytes));
            skip(4, "a unit");
            const std::uint32_t n = u32("a number count");
            (void)take(8ULL * n, [&] { return "the " + std::to_string(n) + " numbers of an object array"; });
        }
    }

    std::span<const std::uint8_t> m_bytes;
    std::size_t m_pos = 0;
    ActionFile *m_out;
    std::string m_event;
};

} // namespace

std::string FormatError::message() const
{
    std::string text = "at offset " + std::to_string(offset) + ": expected " + expected;
    if (!found.empty())
        text += ", found " + found;
    return text;
}

ActionFile readActionFile(std::span<const std::uint8_t> bytes)
{
    ActionFile file;
    try {
        Walker(bytes, &file).walk();
    } catch (Failure &failure) {
        file.error = std::move(failure.error);
    }
    return file;
}

std::optional<FormatError> checkActionFile(std::span<const std::uint8_t> bytes)
{
    try {
        Walker(bytes, nullptr).walk();
    } catch (Failure &failure) {
        return std::move(failure.error);
    }
    return std::nullopt;
}

std::string roleLabel(const StoredString &string)
{
    switch (string.role) {
    case Role::SetName:
        return "set name";
    case Role::ActionName:
        return "action name";
    case Role::ClassName:
        return "class name";
    case Role::TextValue:
        return "text value";
    case Role::FilePath:
        return "file path";
    case Role::AliasPath:
        return "alias path";
    case Role::ReferenceName:
        break;
    }
    static const std::map<std::string, std::string, std::less<>> kNamed = {
        {"Lyr ", "layer name"},      {"Chnl", "channel name"},      {"Dcmn", "document name"},
        {"Actn", "action reference"}, {"ASet", "set reference"},
    };
    const auto it = kNamed.find(string.key);
    return it != kNamed.end() ? it->second : "name of '" + string.key + "'";
}

} // namespace atnformat
