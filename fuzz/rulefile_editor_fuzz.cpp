// Fuzz target for the rule editor's reader (the text behind rules::readData).
//
// Checked on every input: only text that is not valid UTF-8 is refused; every
// rule read has the flag 0 or 1 and two non-empty texts; and rules written
// back with the writer and read again come back unchanged unless the writer
// reports them as rows that will not read back.
#include <cstdint>

#include "fuzzcheck.h"
#include "rules/rulefile.h"

using fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    std::string error;
    const auto read = rules::rulesFromText(text, &error);
    const bool valid = !engine::findInvalidUtf8(text);
    check(read.has_value() == valid, "refused valid text or accepted invalid text", error);
    if (!read) {
        check(!error.empty(), "refused without a reason");
        return 0;
    }
    for (const rules::Rule &rule : *read) {
        check(rule.use == 0 || rule.use == 1, "flag neither 0 nor 1");
        check(!rule.search.empty() && !rule.replace.empty(), "empty text in a rule");
    }
    if (rules::findLossyRows(*read).empty()) {
        const auto again = rules::rulesFromText(rules::rulesToText(*read));
        check(again.has_value() && *again == *read, "rules did not read back as written");
    }
    return 0;
}
