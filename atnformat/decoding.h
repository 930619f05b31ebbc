// Text decoding for the reader of action files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "actionfile.h"

namespace atnformat::detail {

// Appends `units` UTF-16 units at `p`, in the byte order of `layout`, to `out`
// as UTF-8. Returns the index of the first unit of an unpaired surrogate, if
// any; `out` then holds the text before it.
std::optional<std::size_t> decodeUtf16(const std::uint8_t *p, std::size_t units, Layout layout, std::string &out);

// Byte strings and ids are Latin-1; returns them as UTF-8.
[[nodiscard]] std::string latin1(std::span<const std::uint8_t> bytes);

// A 4-byte code for messages: 'Lyr ', with other than printable ASCII as \xNN.
[[nodiscard]] std::string quotedCode(std::span<const std::uint8_t> bytes);

} // namespace atnformat::detail
