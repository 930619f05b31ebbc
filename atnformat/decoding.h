// Text conversions for the reader and the rewriter of action files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "actionfile.h"

namespace atnformat::detail {

// Sets `out` to the `units` UTF-16 units at `p`, in the byte order of
// `layout`. Returns the index of the first unit of an unpaired surrogate, if any.
std::optional<std::size_t> readUnits(const std::uint8_t *p, std::size_t units, Layout layout, std::u16string &out);

// The index of the first unit of an unpaired surrogate in `text`, if any.
[[nodiscard]] std::optional<std::size_t> findUnpairedSurrogate(std::u16string_view text);

// Valid UTF-16 as UTF-8, and valid UTF-8 as UTF-16.
[[nodiscard]] std::string utf8(std::u16string_view text);
[[nodiscard]] std::u16string utf16(std::string_view text);

// Byte strings and ids are Latin-1; returns them as UTF-8.
[[nodiscard]] std::string latin1(std::string_view bytes);

// A 4-byte code for messages: 'Lyr ', with other than printable ASCII as \xNN.
[[nodiscard]] std::string quotedCode(std::string_view bytes);

} // namespace atnformat::detail
