// The command-line front end: translation parameters in, console text out.
//
//   atnlingo [--lenient-le] INPUT OUTPUT SEARCH REPLACEMENT [SEARCH REPLACEMENT ...]
//   atnlingo --rules RULFILE [--lenient-le] INPUT OUTPUT
//
// The second form takes the pairs from the enabled rules of a RUL file.
//
// Exit status: 0 when the output was written and every pair applied; 1 when a
// pair failed, the input could not be read, the backup or the write failed, or
// the translated action file would no longer be well-formed; 2 for malformed
// parameters or a RUL file that yields no pair (then no file is touched).
// "--list" and "--check" are described in filelisting.h.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "engine/stringtable.h"

namespace cli {

enum ExitCode { Success = 0, Failure = 1, Usage = 2 };

// The English texts shipped with the program.
[[nodiscard]] const engine::StringTable &englishTable();

// Runs the program on `args` (without the program name).
int run(const std::vector<std::string> &args, std::ostream &out, std::ostream &err);

} // namespace cli
