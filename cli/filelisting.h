// The command-line views of what an action file holds:
//
//   atnlingo --list [--json] FILE   the stored strings: offset, layout, role, text
//   atnlingo --check FILE...        whether each file is a well-formed action file
//
// Both return the program's exit status: 0 when every file is well-formed, 1
// when one is not or cannot be read, 2 for malformed arguments.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace cli {

// `args` are the arguments after "--list".
int listStrings(const std::vector<std::string> &args, std::ostream &out, std::ostream &err);

// `files` are the arguments after "--check".
int checkFiles(const std::vector<std::string> &files, std::ostream &out, std::ostream &err);

} // namespace cli
