#include "atnbuilder.h"

#include <bit>
#include <cassert>

#include "engine/utf16.h"

namespace atnbuild {

namespace {

Bytes raw(std::string_view s) { return Bytes(s.begin(), s.end()); }
Bytes count(std::size_t n) { return be32(static_cast<std::uint32_t>(n)); }
Bytes be64(std::uint64_t v) { return be32(static_cast<std::uint32_t>(v >> 32)) + be32(static_cast<std::uint32_t>(v)); }
Bytes be64(double v) { return be64(std::bit_cast<std::uint64_t>(v)); }

Bytes joined(Bytes head, const std::vector<Bytes> &parts)
{
    for (const Bytes &p : parts)
        head = head + p;
    return head;
}

Bytes part(std::string_view form, std::string_view classId) { return code(form) + text("") + ident(classId); }

} // namespace

Bytes operator+(Bytes a, const Bytes &b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes be32(std::uint32_t v)
{
    return {std::uint8_t(v >> 24), std::uint8_t(v >> 16), std::uint8_t(v >> 8), std::uint8_t(v)};
}

Bytes le32(std::uint32_t v)
{
    return {std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16), std::uint8_t(v >> 24)};
}

Bytes code(std::string_view four)
{
    assert(four.size() == 4);
    return raw(four);
}

Bytes ident(std::string_view id) { return id.size() == 4 ? be32(0) + code(id) : count(id.size()) + raw(id); }
Bytes byteString(std::string_view text) { return count(text.size()) + raw(text); }

Bytes text(std::string_view utf8)
{
    const Bytes units = engine::encodeUtf16(utf8, engine::ByteOrder::BigEndian) + Bytes{0, 0};
    return count(units.size() / 2) + units;
}

Bytes txtu(std::string_view utf8)
{
    const Bytes units = engine::encodeUtf16(utf8, engine::ByteOrder::LittleEndian) + Bytes{0, 0};
    const auto size = static_cast<std::uint32_t>(units.size() + 12);
    return be32(size) + raw("txtu") + le32(size) + le32(static_cast<std::uint32_t>(units.size() / 2)) + units;
}

Bytes descriptor(std::string_view classId, const std::vector<Item> &items, std::string_view className)
{
    Bytes out = text(className) + ident(classId) + count(items.size());
    for (const auto &[key, value] : items)
        out = out + ident(key) + value;
    return out;
}

Bytes textValue(std::string_view utf8) { return code("TEXT") + text(utf8); }
Bytes longValue(std::int32_t v) { return code("long") + be32(static_cast<std::uint32_t>(v)); }
Bytes doubleValue(double v) { return code("doub") + be64(v); }
Bytes unitValue(std::string_view unit, double v) { return code("UntF") + code(unit) + be64(v); }
Bytes boolValue(bool v) { return code("bool") + Bytes{std::uint8_t(v)}; }
Bytes enumValue(std::string_view type, std::string_view value) { return code("enum") + ident(type) + ident(value); }
Bytes classValue(std::string_view classId, std::string_view className, std::string_view type)
{
    return code(type) + text(className) + ident(classId);
}
Bytes objectValue(std::string_view classId, const std::vector<Item> &items, std::string_view type)
{
    return code(type) + descriptor(classId, items);
}
Bytes listValue(const std::vector<Bytes> &values) { return joined(code("VlLs") + count(values.size()), values); }
Bytes reference(const std::vector<Bytes> &parts) { return joined(code("obj ") + count(parts.size()), parts); }
Bytes pathValue(std::string_view utf8) { return code("Pth ") + txtu(utf8); }
Bytes aliasValue(std::string_view utf8) { return code("alis") + txtu(utf8); }
Bytes blobValue(std::string_view type, const Bytes &content) { return code(type) + count(content.size()) + content; }

Bytes objectArrayValue(std::string_view classId, const std::vector<std::pair<std::string, std::vector<double>>> &columns)
{
    const std::size_t rows = columns.empty() ? 0 : columns.front().second.size();
    Bytes out = code("ObAr") + count(rows) + text("") + ident(classId) + count(columns.size());
    for (const auto &[key, values] : columns) {
        out = out + ident(key) + code("UnFl") + code("#Pxl") + count(values.size());
        for (const double v : values)
            out = out + be64(v);
    }
    return out;
}

Bytes byName(std::string_view classId, std::string_view name) { return part("name", classId) + text(name); }
Bytes byClass(std::string_view classId) { return part("Clss", classId); }
Bytes byIdentifier(std::string_view classId, std::uint32_t id) { return part("Idnt", classId) + be32(id); }

Bytes event(std::string_view id, std::string_view displayName, const std::optional<std::vector<Item>> &items)
{
    const Bytes head = Bytes{0, 1, 0, 0} + (id.size() == 4 ? code("long") + code(id) : code("TEXT") + byteString(id)) +
                       byteString(displayName);
    return items ? head + be32(0xFFFFFFFF) + descriptor("null", *items) : head + be32(0);
}

Bytes action(std::string_view name, const std::vector<Bytes> &events)
{
    return joined(Bytes{0, 0, 0, 0, 0, 0} + text(name) + Bytes{0} + count(events.size()), events);
}

Bytes actionFile(std::string_view setName, const std::vector<Bytes> &actions, std::uint32_t version)
{
    return joined(be32(version) + text(setName) + Bytes{1} + count(actions.size()), actions);
}

Bytes fileWithItems(const std::vector<Item> &items)
{
    return actionFile("Set", {action("Action", {event("setd", "Set", items)})});
}

} // namespace atnbuild
