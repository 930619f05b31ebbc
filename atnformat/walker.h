// The one description of the structure of an action file (version 16): the
// walk that the reader and the rewriter share. It checks everything that makes
// a file well-formed and tells a visitor, in file order, about each stored
// string it has checked, each action and each event.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "actionfile.h"

namespace atnformat::detail {

// Longer texts are taken as damage rather than content (N, the null included).
inline constexpr std::uint32_t kMaxTextUnits = 0x100000;

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
    [[nodiscard]] std::size_t length() const { return units == 0 ? 0 : units - 1; }
};

// What a walk tells; each view is valid only during the call.
class WalkVisitor {
public:
    virtual void version(std::uint32_t) {}
    virtual void string(const WalkedString &) {}
    virtual void action() {}
    virtual void event() {}

protected:
    ~WalkVisitor() = default;
};

// Nothing when `bytes` is a well-formed action file, otherwise the first
// problem; `visitor` (which may be null) has then been told what came before it.
[[nodiscard]] std::optional<FormatError> walk(std::span<const std::uint8_t> bytes, WalkVisitor *visitor);

} // namespace atnformat::detail
