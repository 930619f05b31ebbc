// The changes a rewrite makes to a file's stored strings, kept apart from
// the file until the walk has gone through all of it, so that a file that
// turns out not to walk, or a text it cannot hold, leaves it as it was. Then
// they are made in one pass: in the file's own buffer where its capacity
// holds the result, otherwise into new memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace atnformat::detail {

class RewritePlan {
public:
    // A plan that takes at most about `room` bytes, set aside with the first
    // change (which costs address space, not memory, until it is used).
    explicit RewritePlan(std::size_t room);

    // The input bytes [start, end), which follow those of the changes before,
    // become `bytes`; false, and nothing added, when the plan has no room left.
    [[nodiscard]] bool add(std::size_t start, std::size_t end, std::span<const std::uint8_t> bytes);

    [[nodiscard]] std::size_t resultSize(std::size_t inputSize) const;

    // Makes the changes in `buffer`, the input, whose capacity must hold the result.
    void applyInPlace(std::vector<std::uint8_t> &buffer) const;
    // Appends `input` with the changes made, up to the end of the last change,
    // to `out`; returns where in the input that is.
    std::size_t appendTo(std::vector<std::uint8_t> &out, std::span<const std::uint8_t> input) const;

    void clear();

private:
    // The bytes of the changes follow each other in m_store.
    struct Change {
        std::size_t start, end; // in the input
        std::size_t size;
    };

    std::size_t m_changesRoom, m_storeRoom;
    std::vector<Change> m_changes;
    std::vector<std::uint8_t> m_store;
    std::ptrdiff_t m_growth = 0;
};

} // namespace atnformat::detail
