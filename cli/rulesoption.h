// The forms of the command line that take their pairs from a rule file:
//
//   atnlingo --rules RULFILE [--exact] [--lenient-le] INPUT OUTPUT
//   atnlingo --rules RULFILE [--exact] [--lenient-le] --dry-run [--json] INPUT
//   atnlingo --rules RULFILE [--exact] [--lenient-le] --output-dir DIR INPUT...
//
// The options stand in any order before the first path, after RULFILE or
// before "--rules" (see rulesMovedFirst).
//
// The dry run translates INPUT in memory and writes nothing at all. It prints
// the run's console lines, each stored text that would change (offset,
// layout, role, the text before and after) and "K of N stored texts would
// change". With --json, standard output gets one JSON object alone: "file",
// "wellFormed", "wouldWrite", "storedTexts", "changes" (objects with
// "offset", "layout", "role", "before", "after", named as --list --json
// names them) and "rules" (each pair with the stored texts it rewrote); the
// console lines go to standard error then. Its exit status is the one the
// translation would have.
//
// --output-dir translates each INPUT to DIR/<its file name> (batch.h) and
// exits 0 only when every input was translated.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace cli {

// `args` are all the arguments, "--rules" first.
int translateByRules(const std::vector<std::string> &args, std::ostream &out, std::ostream &err);

// The rule-file form with options written before it ("--exact --rules de.rul
// IN OUT"): the same arguments with "--rules RULFILE" moved to the front.
// Nothing when `args` do not begin with options and then "--rules RULFILE",
// so that "--rules" is never read as an input with the rule file as output.
std::optional<std::vector<std::string>> rulesMovedFirst(const std::vector<std::string> &args);

} // namespace cli
