// The command-line front end: translation parameters in, console text out.
//
//   atnlingo [--exact] [--lenient-le] INPUT OUTPUT SEARCH REPLACEMENT [SEARCH REPLACEMENT ...]
//   atnlingo --rules RULFILE [--exact] [--lenient-le] INPUT OUTPUT
//
// The second form takes the pairs from the enabled rules of a RUL file; it
// and its dry run and batch forms are described in rulesoption.h.
//
// Exit status: 0 when the output was written; 1 when the input could not be
// read, the backup or the write failed, the translated action file would no
// longer be well-formed, or the exact mode met an input that is not; 2 for
// malformed parameters, a pair that cannot be used, or a RUL file that yields
// no pair (then no file is touched).
// "--list" and "--check" are described in filelisting.h.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "engine/stringtable.h"
#include "translation/translationrun.h"

namespace cli {

enum ExitCode { Success = 0, Failure = 1, Usage = 2 };

// The exit status of a run, printing what the command line adds for one
// refused.
int exitStatus(const translation::Outcome &outcome, std::ostream &out, std::ostream &err);

// The English texts shipped with the program.
[[nodiscard]] const engine::StringTable &englishTable();

// Runs the program on `args` (without the program name).
int run(const std::vector<std::string> &args, std::ostream &out, std::ostream &err);

} // namespace cli
