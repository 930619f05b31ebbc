// The string replacement engine written the obvious way, kept as the yardstick
// for `engine::process`: the differential test and the fuzzers require equal
// bytes and equal console text from both, and the benchmark measures against it.
//
// It copies the buffer, compares every position with the big-endian and then
// the little-endian search text, and splices each replacement into the copy
// with vector insert/erase, so every rewrite moves the whole rest of the
// buffer. Keep it that way: its worth is being plainly right, not fast.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "engine/console.h"
#include "engine/process.h"

namespace reference {

// Same contract as engine::process, report included.
[[nodiscard]] std::vector<std::uint8_t> process(const std::vector<std::uint8_t> &buffer,
                                                std::string_view searchString,
                                                std::string_view replacementString,
                                                bool lenientLittleEndianHandling,
                                                engine::Console &console,
                                                engine::ProcessReport *report = nullptr);

} // namespace reference
