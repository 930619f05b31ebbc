#pragma once

// Builds action files (version 16) byte by byte for tests. Values are built
// with their 4-character type in front, so they can go straight into a
// descriptor item or a list.
//
//   auto file = atnbuild::actionFile("Set", {atnbuild::action("Act", {
//       atnbuild::event("slct", "Select", {{"null", atnbuild::reference({atnbuild::byName("Lyr ", "Layer 1")})}}),
//   })});

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace atnbuild {

using Bytes = std::vector<std::uint8_t>;
using Item = std::pair<std::string, Bytes>; // key, typed value

Bytes operator+(Bytes a, const Bytes &b);

Bytes be32(std::uint32_t v);
Bytes le32(std::uint32_t v);
Bytes code(std::string_view four);      // exactly 4 characters
Bytes ident(std::string_view id);       // 4 characters: u32 0 + code; else u32 length + bytes
Bytes byteString(std::string_view text);
Bytes text(std::string_view utf8);      // big-endian stored string
Bytes txtu(std::string_view utf8);      // u32 B "txtu" u32le B u32le N UTF-16LE text 00 00

Bytes descriptor(std::string_view classId, const std::vector<Item> &items, std::string_view className = "");

Bytes textValue(std::string_view utf8);
Bytes longValue(std::int32_t v);
Bytes doubleValue(double v);
Bytes unitValue(std::string_view unit, double v);
Bytes boolValue(bool v);
Bytes enumValue(std::string_view type, std::string_view value);
Bytes classValue(std::string_view classId, std::string_view className = "", std::string_view type = "type");
Bytes objectValue(std::string_view classId, const std::vector<Item> &items, std::string_view type = "Objc");
Bytes listValue(const std::vector<Bytes> &values);
Bytes reference(const std::vector<Bytes> &parts);
Bytes pathValue(std::string_view utf8);
Bytes aliasValue(std::string_view utf8);
Bytes blobValue(std::string_view type, const Bytes &content); // 'tdta', 'Pth ', 'alis' with raw content
Bytes objectArrayValue(std::string_view classId, const std::vector<std::pair<std::string, std::vector<double>>> &columns);

// Reference parts.
Bytes byName(std::string_view classId, std::string_view name);
Bytes byClass(std::string_view classId);
Bytes byIdentifier(std::string_view classId, std::uint32_t id);

// An event id of 4 characters is stored as a code, a longer one as text.
Bytes event(std::string_view id, std::string_view displayName, const std::optional<std::vector<Item>> &items);
Bytes action(std::string_view name, const std::vector<Bytes> &events);
Bytes actionFile(std::string_view setName, const std::vector<Bytes> &actions, std::uint32_t version = 16);

// A one-action, one-event file whose event descriptor holds `items`.
Bytes fileWithItems(const std::vector<Item> &items);

} // namespace atnbuild
