// Fuzz target for engine::process, against the literal reference engine.
//
// Input: a flags byte, the search text (a length byte, then its bytes), the
// replacement text (likewise), then the buffer. Flags bit 0: lenient
// little-endian handling; bit 1: the texts are used as they are, invalid
// UTF-8 included (otherwise invalid bytes become '?', so that mutated texts
// still reach the scan); bits 2-3: which scan kernel runs (of those the
// processor supports); bit 4: the overload that consumes its buffer, bit 5
// with room to lengthen it in place; bits 6-7: how many rewrites are planned
// before a result is built as the scan goes (as many as the size allows,
// none, one, two).
//
// Checked on every input: the same bytes, console text and report as the
// reference, or the same RuntimeError before any console output; a consumed
// buffer left as it was when the console fails after some lines; the result
// is the input lengthened or shortened by a whole number of rewrites; and
// replacing a text by itself rewrites every length field and byte count with
// the value it had, so the bytes come back unchanged.
#include <algorithm>
#include <cstdint>
#include <stdexcept>

#include "engine/bytescan.h"
#include "engine/process.h"
#include "engine/runtimeerror.h"
#include "fuzzcheck.h"
#include "tests/support/failingconsole.h"
#include "tests/support/referenceprocess.h"

using fuzz::check;

namespace {

struct Outcome {
    std::vector<std::uint8_t> bytes;
    std::string console;
    std::string error; // the description of a RuntimeError
    engine::ProcessReport report;
};

template <typename Run>
Outcome outcomeOf(Run run)
{
    Outcome outcome;
    engine::StringConsole console;
    try {
        outcome.bytes = run(console, &outcome.report);
    } catch (const engine::RuntimeError &error) {
        check(console.text().empty(), "console output before a throw");
        outcome.error = error.description();
    }
    outcome.console = console.text();
    return outcome;
}

} // namespace

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

    const auto kernels = engine::detail::supportedScanKernels();
    engine::detail::setScanKernel(kernels[std::size_t(flags >> 2 & 3) % kernels.size()]);
    const bool consume = flags & 16;
    const std::size_t limitChoice = flags >> 6;
    if (limitChoice == 0)
        engine::detail::resetPlanLimit();
    else
        engine::detail::setPlanLimit(limitChoice - 1);

    const Outcome expected = outcomeOf([&](engine::Console &console, engine::ProcessReport *report) {
        return reference::process(buffer, search, replacement, lenient, console, report);
    });
    const Outcome actual = outcomeOf([&](engine::Console &console, engine::ProcessReport *report) {
        if (!consume)
            return engine::process(buffer, search, replacement, lenient, console, report);
        std::vector<std::uint8_t> copy;
        copy.reserve(flags & 32 ? engine::capacityForRewrites(buffer.size()) : buffer.size());
        copy = buffer;
        return engine::process(std::move(copy), search, replacement, lenient, console, report);
    });
    check(actual.error == expected.error, "a different error than the reference", actual.error);
    check(actual.console == expected.console, "a different console text than the reference", actual.console);
    check(actual.bytes == expected.bytes, "different bytes than the reference");
    check(actual.report == expected.report, "a different report than the reference");
    if (!actual.error.empty())
        return 0;

    // A consumed buffer is left as it was when the console fails halfway.
    const auto lines = std::size_t(std::count(expected.console.begin(), expected.console.end(), '\n'));
    if (consume && lines > 0) {
        std::vector<std::uint8_t> copy;
        copy.reserve(flags & 32 ? engine::capacityForRewrites(buffer.size()) : buffer.size());
        copy = buffer;
        FailingConsole failing(buffer.size() % lines);
        bool thrown = false;
        try {
            (void)engine::process(std::move(copy), search, replacement, lenient, failing);
        } catch (const std::runtime_error &) {
            thrown = true;
        }
        check(thrown && copy == buffer, "a consumed buffer changed by a call that failed");
    }

    const auto n = std::int64_t(engine::encodeUtf16(search, engine::ByteOrder::BigEndian).size());
    const auto m = std::int64_t(engine::encodeUtf16(replacement, engine::ByteOrder::BigEndian).size());
    const std::int64_t d = m - n;
    const std::int64_t grown = std::int64_t(actual.bytes.size()) - std::int64_t(buffer.size());
    if (d == 0)
        check(grown == 0, "length changed by rewrites that keep it");
    else
        check(grown % d == 0 && grown / d >= 0, "length change is not a whole number of rewrites",
              std::to_string(grown) + " by " + std::to_string(d));

    engine::StringConsole same;
    check(engine::process(buffer, search, search, lenient, same) == buffer, "replacing a text by itself changed bytes");
    return 0;
}
