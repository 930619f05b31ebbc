// A strict reader of action files (version 16): it walks the whole file - the
// set, its actions, their events and the events' descriptors with every value
// type - and returns every stored string with its offset, layout, role and
// text, or where and why the walk failed.
//
// Events and descriptors carry no byte counts of their own, so one wrong string
// length derails everything after it. That makes a complete walk a strong
// check: a file is well-formed only when the walk consumes every byte and every
// stored string and little-endian header is consistent.
//
// Stored strings come in two layouts (numbers big-endian unless said):
//
//   big-endian:     u32 N | N units UTF-16BE, the last one 00 00
//   little-endian:  u32 B | "txtu" | u32le B | u32le N | N units UTF-16LE,
//                   the last one 00 00, with B = 2N + 12
//
// The little-endian layout stands inside file-path ('Pth ') and alias ('alis')
// values; a path or alias value in any other form, and every raw data ('tdta')
// value, is opaque and skipped by its byte count.
//
// **Example**
//   const atnformat::ActionFile file = atnformat::readActionFile(bytes);
//   if (!file.isWellFormed()) std::cerr << file.error->message() << '\n';
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace atnformat {

inline constexpr std::uint32_t kVersion = 16;

enum class Layout { BigEndian, LittleEndian };

// What a stored string is in the structure of the file.
enum class Role {
    SetName,       // the name of the action set
    ActionName,    // the name of an action
    ClassName,     // the display name before a class id (usually empty)
    TextValue,     // a 'TEXT' value of a descriptor item or list
    ReferenceName, // a reference by name, e.g. to a layer
    FilePath,      // the little-endian text of a 'Pth ' value
    AliasPath,     // the little-endian text of an 'alis' value
};

struct StoredString {
    // Where the string's unit count N stands: the u32 length field of a
    // big-endian string, the u32le after the "txtu" header of a little-endian one.
    std::size_t offset = 0;
    Layout layout = Layout::BigEndian;
    Role role = Role::TextValue;
    // TextValue, FilePath, AliasPath: the descriptor key the value stands under.
    // ReferenceName, ClassName: the class id. Otherwise empty.
    std::string key;
    // The id of the event the string belongs to; empty for set and action names.
    std::string event;
    std::string text; // UTF-8
    std::uint32_t units = 0; // N, the ending null included
};

struct FormatError {
    std::size_t offset = 0;
    std::string expected; // what the walk needed at `offset`
    std::string found;    // what stood there instead; may be empty

    // "at offset 120: expected a value type, found 'abcd'"
    [[nodiscard]] std::string message() const;
};

struct ActionFile {
    std::uint32_t version = 0;
    std::size_t actionCount = 0; // as far as the walk got
    std::size_t eventCount = 0;
    std::vector<StoredString> strings; // in file order, as far as the walk got
    std::optional<FormatError> error;

    [[nodiscard]] bool isWellFormed() const noexcept { return !error.has_value(); }
};

// Walks `bytes` as an action file, collecting every stored string. Never
// throws for malformed input; the error tells the first problem met.
[[nodiscard]] ActionFile readActionFile(std::span<const std::uint8_t> bytes);

// The same walk without collecting anything: nothing when `bytes` is a
// well-formed action file, otherwise the first problem.
[[nodiscard]] std::optional<FormatError> checkActionFile(std::span<const std::uint8_t> bytes);

// A short description for people: "set name", "layer name", "text value", ...
[[nodiscard]] std::string roleLabel(const StoredString &string);

} // namespace atnformat
