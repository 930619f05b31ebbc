// Cutting the text of a RUL file into lines and fields.
//
// Lines end at line feeds, fields at ";". A separator counts only where it is
// a user-perceived character of its own (see characterboundaries.h): a
// carriage return followed by a line feed is the one character "\r\n", which
// ends no line, and a ";" that a following combining mark (or a preceding
// prefix mark such as U+0600) joins into a larger character cuts nothing.
// Empty pieces are dropped, so blank lines and repeated ";" count as one
// separator, and a last line without its line feed is still a line.
//
// Only bytes that hold a separator are shown to the character segmenter, and
// once a line has `maxFields` fields its remaining ";" are not looked at, so
// the work grows linearly with the text, however long its lines are.
//
// **Example**
//   cutRuleText("1;a;b;\n\n0;;c;d;e", 3, visit);
//   // visit({"1", "a", "b"}), then visit({"0", "c", "d"})
#pragma once

#include <cstddef>
#include <functional>
#include <span>
#include <string_view>

namespace rules {

using LineVisitor = std::function<void(std::span<const std::string_view> fields)>;

// Calls `visit` once per non-empty line of `text` (valid UTF-8), in order,
// with the line's first `maxFields` fields (at least one). Returns false,
// without calling `visit`, when the text is too long for the segmenter or the
// segmenter cannot be set up.
[[nodiscard]] bool cutRuleText(std::string_view text, std::size_t maxFields, const LineVisitor &visit);

} // namespace rules
