// UTF-8 validation and UTF-16 encoding in both byte orders.
//
// Texts inside the program are UTF-8 `std::string`s; ATN files store UTF-16,
// big-endian or little-endian, without byte-order mark. Characters outside the
// basic plane take a surrogate pair (four bytes).
//
// **Example**
//   encodeUtf16("A\u00e9", ByteOrder::BigEndian)     // 00 41 00 E9
//   encodeUtf16("A\u00e9", ByteOrder::LittleEndian)  // 41 00 E9 00
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace engine {

enum class ByteOrder { BigEndian, LittleEndian };

// Where and why a text is not valid UTF-8 (RFC 3629: no overlong forms, no
// surrogates, nothing above U+10FFFF).
struct Utf8Error {
    std::size_t offset = 0; // byte offset of the first offending byte
    std::string reason;
};

[[nodiscard]] std::optional<Utf8Error> findInvalidUtf8(std::string_view text);

// Encodes valid UTF-8; the caller checks validity first (invalid input yields
// an unspecified, but memory-safe, result).
[[nodiscard]] std::vector<std::uint8_t> encodeUtf16(std::string_view utf8, ByteOrder order);

} // namespace engine
