// Fuzz target for the translation's reader (the text behind
// rules::processRuleFile).
//
// Checked on every input: it refuses exactly what the editor's reader
// refuses; it yields whole pairs; and each pair is, in order, a rule that the
// editor's reader reads as enabled (the two readers cut the text the same
// way and differ only in the flags they accept).
#include <cstdint>

#include "fuzzcheck.h"
#include "rules/rulefile.h"

using fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    const auto pairs = rules::enabledPairsFromText(text);
    const auto editor = rules::rulesFromText(text);
    check(pairs.has_value() == editor.has_value(), "the readers disagree on whether the text is readable");
    if (!pairs)
        return 0;
    check(pairs->size() % 2 == 0, "a search text without its replacement");
    std::size_t next = 0;
    for (std::size_t i = 0; i < pairs->size(); i += 2) {
        const rules::Rule wanted{1, (*pairs)[i], (*pairs)[i + 1]};
        while (next < editor->size() && (*editor)[next] != wanted)
            ++next;
        check(next < editor->size(), "a pair that the editor does not read as an enabled rule", wanted.search);
        ++next;
    }
    return 0;
}
