// Boundaries between user-perceived characters (extended grapheme clusters,
// Unicode UAX #29) of a UTF-8 text, found with ICU's character break iterator.
//
// Questions may name any byte offset in any order; asking in increasing order
// is cheapest, because the iterator keeps the boundaries near its last answer.
// Each answer looks only at the characters around the offset, so asking about
// k offsets of an n-byte text costs about n + k, not n * k.
//
// **Example**
//   CharacterBoundaries chars("a;\u0301b");  // ";" and U+0301 form one character
//   chars.standsAlone(1);                    // false
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

namespace rules {

class CharacterBoundaries {
public:
    // ICU counts offsets in 32-bit integers.
    static constexpr std::size_t kMaxTextSize = INT32_MAX - 1;

    // `text` must be valid UTF-8 and must outlive this object.
    explicit CharacterBoundaries(std::string_view text);
    ~CharacterBoundaries();
    CharacterBoundaries(const CharacterBoundaries &) = delete;
    CharacterBoundaries &operator=(const CharacterBoundaries &) = delete;

    // False when the text is longer than kMaxTextSize or ICU could not set up
    // its iterator (missing data); every question then answers false.
    [[nodiscard]] bool isValid() const noexcept { return m_iterator != nullptr; }

    // True when a character starts at `offset`, or `offset` is the text's end
    // or start. Offsets past the end answer false.
    [[nodiscard]] bool isBoundary(std::size_t offset);

    // True when the byte at `offset` is a whole character on its own: a
    // boundary lies right before it and right after it.
    [[nodiscard]] bool standsAlone(std::size_t offset) { return isBoundary(offset) && isBoundary(offset + 1); }

private:
    struct Iterator;
    std::unique_ptr<Iterator> m_iterator;
    std::size_t m_size = 0;
    // The last answer: standsAlone on neighbouring bytes asks twice about
    // the offset between them.
    std::size_t m_lastOffset = SIZE_MAX;
    bool m_lastAnswer = false;
};

} // namespace rules
