// Fuzz target for engine::process.
//
// Input: a flags byte, the search text (a length byte, then its bytes), the
// replacement text (likewise), then the buffer. Flags bit 0: lenient
// little-endian handling; bit 1: the texts are used as they are, invalid
// UTF-8 included (otherwise invalid bytes become '?', so that mutated texts
// still reach the scan).
//
// Checked on every input: nothing is thrown but RuntimeError, and that before
// any console output; the result is the input lengthened or shortened by a
// whole number of replacements; replacing a text by itself rewrites every
// length field and byte count with the value it had, so the bytes come back
// unchanged.
#include <cstdint>

#include "engine/process.h"
#include "engine/runtimeerror.h"
#include "fuzzcheck.h"

using fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    fuzz::InputReader input(data, size);
    const std::uint8_t flags = input.byte();
    const bool lenient = flags & 1;
    std::string search = input.text(input.byte());
    std::string replacement = input.text(input.byte());
    if (!(flags & 2)) {
        search = fuzz::repairedUtf8(std::move(search));
        replacement = fuzz::repairedUtf8(std::move(replacement));
    }
    const std::vector<std::uint8_t> buffer = input.rest();

    engine::StringConsole console;
    std::vector<std::uint8_t> result;
    try {
        result = engine::process(buffer, search, replacement, lenient, console);
    } catch (const engine::RuntimeError &) {
        check(console.text().empty(), "console output before a throw");
        return 0;
    }

    const auto n = std::int64_t(engine::encodeUtf16(search, engine::ByteOrder::BigEndian).size());
    const auto m = std::int64_t(engine::encodeUtf16(replacement, engine::ByteOrder::BigEndian).size());
    const std::int64_t d = m - n;
    const std::int64_t grown = std::int64_t(result.size()) - std::int64_t(buffer.size());
    if (d == 0) {
        check(grown == 0, "length changed by rewrites that keep it");
    } else {
        check(grown % d == 0 && grown / d >= 0, "length change is not a whole number of rewrites",
              std::to_string(grown) + " by " + std::to_string(d));
        if (grown == 0 && console.text().empty())
            check(result == buffer, "bytes changed without a rewrite");
    }

    engine::StringConsole same;
    check(engine::process(buffer, search, search, lenient, same) == buffer, "replacing a text by itself changed bytes");
    return 0;
}
