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
#include <string_view>
#include <vector>

#include "atnformat/actionfile.h"

namespace cli {

// The names --list --json gives layouts ("be", "le") and roles ("setName", ...).
[[nodiscard]] std::string_view layoutName(atnformat::Layout layout);
[[nodiscard]] std::string_view roleName(atnformat::Role role);
// A JSON string literal; text outside ASCII stays as UTF-8.
[[nodiscard]] std::string quoted(std::string_view text);
// The columns of the --list table before the text: its header, and offset,
// layout and role label of a string.
[[nodiscard]] std::string tableHeader();
[[nodiscard]] std::string tableColumns(const atnformat::StoredString &string);

// `args` are the arguments after "--list".
int listStrings(const std::vector<std::string> &args, std::ostream &out, std::ostream &err);

// `files` are the arguments after "--check".
int checkFiles(const std::vector<std::string> &files, std::ostream &out, std::ostream &err);

} // namespace cli
