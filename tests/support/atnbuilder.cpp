#include "atnbuilder.h"

#include <bit>
#include <cassert>

#include "engine/utf16.h"

namespace atnbuild {

Bytes operator+(Bytes a, const Bytes &b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes be32(std::uint32_t v)
{
    return {static_cast<std::uint8_t>(v >> 24), static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 8),
            static_cast<std::uint8_t>(v)};
}

Bytes le32(std::uint32_t v)
{
    return {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v >> 16),
            static_cast<std::uint8_t>(v >> 24)};
}

static Bytes raw(std::string_view s)
{
    return Bytes(s.begin(), s.end());
}

static Bytes be64(std::uint64_t v)
{
    return be32(static_cast<std::uint32_t>(v >> 32)) + be32(static_cast<std::uint32_t>(v));
}

Bytes code(std::string_view four)
{
    assert(four.size() == 4);
    return raw(four);
}

Bytes ident(std::string_view id)
{
    if (id.size() == 4)
        return be32(0) + code(id);
    return be32(static_cast<std::uint32_t>(id.size())) + raw(id);
}

Bytes byteString(std::string_view text)
{
    return be32(static_cast<std::uint32_t>(text.size())) + raw(text);
}

Bytes text(std::string_view utf8)
{
    const Bytes units = engine::encodeUtf16(utf8, engine::ByteOrder::BigEndian) + Bytes{0, 0};
    return be32(static_cast<std::uint32_t>(units.size() / 2)) + units;
}

Bytes txtu(std::string_view utf8)
{
    const Bytes units = engine::encodeUtf16(utf8, engine::ByteOrder::LittleEndian) + Bytes{0, 0};
    const auto count = static_cast<std::uint32_t>(units.size() / 2);
    const std::uint32_t size = 2 * count + 12;
    return be32(size) + raw("txtu") + le32(size) + le32(count) + units;
}

Bytes descriptor(std::string_view classId, const std::vector<Item> &items, std::string_view className)
{
    Bytes out = text(className) + ident(classId) + be32(static_cast<std::uint32_t>(items.size()));
    for (const auto &[key, value] : items)
        out = out + ident(key) + value;
    return out;
}

Bytes textValue(std::string_view utf8) { return code("TEXT") + text(utf8); }
Bytes longValue(std::int32_t v) { return code("long") + be32(static_cast<std::uint32_t>(v)); }
Bytes compValue(std::int64_t v) { return code("comp") + be64(static_cast<std::uint64_t>(v)); }
Bytes doubleValue(double v) { return code("doub") + be64(std::bit_cast<std::uint64_t>(v)); }
Bytes unitValue(std::string_view unit, double v) { return code("UntF") + code(unit) + be64(std::bit_cast<std::uint64_t>(v)); }
Bytes boolValue(bool v) { return code("bool") + Bytes{static_cast<std::uint8_t>(v ? 1 : 0)}; }
Bytes enumValue(std::string_view type, std::string_view value) { return code("enum") + ident(type) + ident(value); }

Bytes classValue(std::string_view classId, std::string_view className, std::string_view type)
{
    return code(type) + text(className) + ident(classId);
}

Bytes objectValue(std::string_view classId, const std::vector<Item> &items, std::string_view type)
{
    return code(type) + descriptor(classId, items);
}

Bytes listValue(const std::vector<Bytes> &values)
{
    Bytes out = code("VlLs") + be32(static_cast<std::uint32_t>(values.size()));
    for (const Bytes &v : values)
        out = out + v;
    return out;
}

Bytes reference(const std::vector<Bytes> &parts)
{
    Bytes out = code("obj ") + be32(static_cast<std::uint32_t>(parts.size()));
    for (const Bytes &p : parts)
        out = out + p;
    return out;
}

Bytes pathValue(std::string_view utf8) { return code("Pth ") + txtu(utf8); }
Bytes aliasValue(std::string_view utf8) { return code("alis") + txtu(utf8); }

Bytes blobValue(std::string_view type, const Bytes &content)
{
    return code(type) + be32(static_cast<std::uint32_t>(content.size())) + content;
}

Bytes objectArrayValue(std::string_view classId, const std::vector<std::pair<std::string, std::vector<double>>> &columns)
{
    const std::size_t rows = columns.empty() ? 0 : columns.front().second.size();
    Bytes out = code("ObAr") + be32(static_cast<std::uint32_t>(rows)) + text("") + ident(classId) +
                be32(static_cast<std::uint32_t>(columns.size()));
    for (const auto &[key, values] : columns) {
        out = out + ident(key) + code("UnFl") + code("#Pxl") + be32(static_cast<std::uint32_t>(values.size()));
        for (const double v : values)
            out = out + be64(std::bit_cast<std::uint64_t>(v));
    }
    return out;
}

static Bytes part(std::string_view form, std::string_view classId)
{
    return code(form) + text("") + ident(classId);
}

Bytes byName(std::string_view classId, std::string_view name) { return part("name", classId) + text(name); }
Bytes byEnum(std::string_view classId, std::string_view type, std::string_view value)
{
    return part("Enmr", classId) + ident(type) + ident(value);
}
Bytes byClass(std::string_view classId) { return part("Clss", classId); }
Bytes byProperty(std::string_view classId, std::string_view key) { return part("prop", classId) + ident(key); }
Bytes byIdentifier(std::string_view classId, std::uint32_t id) { return part("Idnt", classId) + be32(id); }
Bytes byIndex(std::string_view classId, std::uint32_t index) { return part("indx", classId) + be32(index); }
Bytes byOffset(std::string_view classId, std::int32_t offset)
{
    return part("rele", classId) + be32(static_cast<std::uint32_t>(offset));
}

Bytes event(std::string_view id, std::string_view displayName, const std::optional<std::vector<Item>> &items)
{
    Bytes out{0, 1, 0, 0};
    out = out + (id.size() == 4 ? code("long") + code(id) : code("TEXT") + byteString(id));
    out = out + byteString(displayName);
    if (!items)
        return out + be32(0);
    return out + be32(0xFFFFFFFF) + descriptor("null", *items);
}

Bytes action(std::string_view name, const std::vector<Bytes> &events)
{
    Bytes out = Bytes{0, 0, 0, 0, 0, 0} + text(name) + Bytes{0} + be32(static_cast<std::uint32_t>(events.size()));
    for (const Bytes &e : events)
        out = out + e;
    return out;
}

Bytes actionFile(std::string_view setName, const std::vector<Bytes> &actions, std::uint32_t version)
{
    Bytes out = be32(version) + text(setName) + Bytes{1} + be32(static_cast<std::uint32_t>(actions.size()));
    for (const Bytes &a : actions)
        out = out + a;
    return out;
}

Bytes fileWithItems(const std::vector<Item> &items)
{
    return actionFile("Set", {action("Action", {event("setd", "Set", items)})});
}

} // namespace atnbuild
