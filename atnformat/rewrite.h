// Rewrites the stored strings of a well-formed action file (version 16) by
// its structure: every string the walk of actionfile.h declares, big-endian
// and little-endian, is offered to a function that may give it a new text.
// A changed string gets its length fields corrected:
//
//   big-endian:     N, the unit count with the ending null; a text that
//                   becomes empty is stored as N = 1 (only the null)
//   little-endian:  the value's byte count B, the little-endian B after
//                   "txtu" and N, with B = 2N + 12
//
// Every other byte is copied unchanged, and a string whose text stays the
// same keeps its bytes (an empty text stored with N = 0 among them). An input
// that does not walk is not rewritten at all. One walk, linear in the size,
// then one pass that makes the changes: in a consumed buffer whose capacity
// holds the result, in the buffer itself, otherwise in new memory.
//
// `replaceTexts` is the exact translation on top of it: for each stored text
// and each pair in order, every non-overlapping occurrence of the search text,
// compared as UTF-16 code units, is replaced from left to right, the search
// going on after the inserted replacement.
//
// **Example**
//   const atnformat::TextPair pairs[] = {{"Layer", "Ebene"}, {"copy", "Kopie"}};
//   atnformat::RewriteResult r = atnformat::replaceTexts(std::move(bytes), pairs);
//   // "Layer 1 copy" -> "Ebene 1 Kopie"; r.textsRewritten == {texts with "Layer", texts with "copy"}
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "actionfile.h"

namespace atnformat {

// A stored string as the rewriter offers it; the views last for the call only.
struct StoredText {
    std::size_t offset = 0; // as StoredString::offset
    Layout layout = Layout::BigEndian;
    Role role = Role::TextValue;
    std::string_view key;   // as StoredString::key, but as stored (Latin-1)
    std::string_view event; // as StoredString::event, likewise
    std::u16string_view units; // the text without its ending null; valid UTF-16
};

// Returns false to keep the string, or true after putting its new text into
// `replacement` (given empty), which must be valid UTF-16.
using StringRewrite = std::function<bool(const StoredText &text, std::u16string &replacement)>;

struct RewriteResult {
    // The rewritten file. Empty when the rewrite failed, except that the
    // consuming overloads then hand their buffer back unchanged.
    std::vector<std::uint8_t> bytes;
    std::size_t stringsChanged = 0;
    // replaceTexts: for each pair, how many stored texts it rewrote.
    std::vector<std::size_t> textsRewritten;
    // The input does not walk; nothing was rewritten.
    std::optional<FormatError> error;
    // The offset of the first stored string whose new text the file cannot
    // hold (not valid UTF-16, or longer than a stored text may be); nothing
    // was rewritten.
    std::optional<std::size_t> refusedAt;

    [[nodiscard]] bool succeeded() const noexcept { return !error && !refusedAt; }
};

[[nodiscard]] RewriteResult rewriteStrings(std::span<const std::uint8_t> bytes, const StringRewrite &rewrite);
// The same, consuming `bytes`: handed back as the result when nothing
// changes, and rewritten in its own storage when its capacity allows.
[[nodiscard]] RewriteResult rewriteStrings(std::vector<std::uint8_t> &&bytes, const StringRewrite &rewrite);

// A search and a replacement text, UTF-8. The caller checks that both are
// valid UTF-8 and the search text is not empty (an empty one matches nothing).
struct TextPair {
    std::string_view search;
    std::string_view replacement;
};

[[nodiscard]] RewriteResult replaceTexts(std::span<const std::uint8_t> bytes, std::span<const TextPair> pairs);
[[nodiscard]] RewriteResult replaceTexts(std::vector<std::uint8_t> &&bytes, std::span<const TextPair> pairs);

} // namespace atnformat
