// Reading and writing RUL files.
//
// A RUL file is UTF-8 text holding one rule per line, written as
//
//   FLAG;SEARCH;REPLACEMENT;<line feed>
//
// where FLAG is "1" (enabled) or "0" (disabled). There is no header, no
// quoting and no escaping, and the writer never writes a byte-order mark.
//
// Reading removes a leading UTF-8 byte-order mark, then cuts the text into
// lines and fields as textcut.h describes (whole characters only, empty pieces
// dropped) and uses the first three fields of each line; a line with fewer is
// skipped. Text that is not valid UTF-8 is not read at all. There are two
// readers:
//
// - `readData`, for the rule editor: every line with three fields becomes a
//   rule. A flag of exactly "1" or "true" enables it, "0" or "false" disables
//   it, and any other flag ("TRUE", "yes", "2") repeats the flag of the rule
//   before it in the same file, or 0 for the first rule.
// - `processRuleFile`, for a translation: the search and replacement texts of
//   the lines whose flag is exactly "1" or "true", as one flat list.
//
// Failures are not returned as errors: "Cannot read file." and "Cannot write
// to file." go to the diagnostic log (diagnosticlog.h), a missing file given
// to `processRuleFile` prints "File not found" and a line feed on standard
// output, and the reader returns an empty result.
//
// **Example**
//   writeData("de.rul", {{1, "Layer", "Ebene"}, {0, "copy", "Kopie"}});
//   processRuleFile("de.rul");  // {"Layer", "Ebene"}
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "rules/lossyrows.h"
#include "rules/rule.h"

namespace rules {

// The most a reader takes from a file: thousands of times a real rule file,
// and small enough that a device or a pipe without end cannot fill the memory.
inline constexpr std::uint64_t kMaxRuleFileSize = std::uint64_t(256) << 20;

// The search and replacement texts of the enabled rules of the file at
// `pathname`, in file order: {search 1, replacement 1, search 2, ...}.
// Always an even number of entries; empty when the file is missing or
// unreadable.
[[nodiscard]] std::vector<std::string> processRuleFile(const std::string &pathname);

// The rules of the file at `path`; empty when it cannot be read.
[[nodiscard]] std::vector<Rule> readData(const std::string &path);

struct WriteReport {
    bool written = false;
    std::string error;              // when !written: the path and the reason
    std::vector<LossyRow> lossyRows; // rows that will not read back as they are

    [[nodiscard]] bool isLossless() const noexcept { return written && lossyRows.empty(); }
};

// Writes `rules` to `path` atomically: the whole new content replaces the
// file in one step, and a failed write leaves an existing file as it was. An
// empty list writes an empty file. Every row is written byte for byte, lossy
// or not; the report names the lossy ones.
WriteReport writeData(const std::string &path, const std::vector<Rule> &rules);

// Where the parts of a line appended by appendRuleLine end in the text: the
// offsets of the three ";".
struct RuleLineEnds {
    std::size_t flag;
    std::size_t search;
    std::size_t replace;
};

// Appends `rule` as one line of a RUL file: "use;search;replace;" and a line feed.
RuleLineEnds appendRuleLine(std::string &text, const Rule &rule);

// The same three operations on text in memory. The readers return nothing,
// and set `error`, when the text is not valid UTF-8 or is too long to cut.
[[nodiscard]] std::string rulesToText(const std::vector<Rule> &rules);
[[nodiscard]] std::optional<std::vector<Rule>> rulesFromText(std::string_view text, std::string *error = nullptr);
[[nodiscard]] std::optional<std::vector<std::string>> enabledPairsFromText(std::string_view text,
                                                                           std::string *error = nullptr);

} // namespace rules
