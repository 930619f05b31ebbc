// The translation of an action file's bytes in memory, by either mode, with
// every step and problem written to the console: the part of a run between
// reading the input and writing the output, which a dry run and the preview
// of the windows share.
//
// For each pair, in list order, the console gets "BeginReplacementOf %@ %@",
// the lines the pair's work wrote (the byte scan's problems, each kind once
// followed by what it means for the result), and how many stored texts the
// pair rewrote. An input that is not a well-formed action file is said to be
// one: the byte scan translates it unchecked, the exact mode not at all.
//
// **Example**
//   Translated t = translateBytes(std::move(bytes), pairs, Mode::Exact, false, console, strings);
//   if (t.isWritable()) write(t.bytes);
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "engine/fileio.h"
#include "translationrun.h"

namespace translation {

struct Translated {
    std::vector<std::uint8_t> bytes; // the result; the input when nothing changed
    std::vector<PairOutcome> pairs;
    bool inputWellFormed = false;
    // Why the exact mode could not work on the input; already on the console
    // as an "Error: " line. Nothing is to be written then.
    std::optional<std::string> failure;
    // Where the walk of a result that is no longer a well-formed action file
    // fails, when the input was one. Nothing is to be written then either;
    // the caller says so.
    std::optional<std::string> brokenResult;

    [[nodiscard]] bool isWritable() const noexcept { return !failure && !brokenResult; }
};

// The pairs must have passed checkPair. `bytes` is consumed.
[[nodiscard]] Translated translateBytes(std::vector<std::uint8_t> bytes, std::span<const Pair> pairs, Mode mode,
                                        bool lenient, engine::Console &console, const engine::StringTable &strings);

// Reads the input of a run whole, with room for rewrites, between the lines
// "OpenInputFile" and "ReadInputFile %@"; when it cannot, the console gets
// the error as an "Error: " line instead of the second.
[[nodiscard]] engine::ReadResult readInput(const std::string &path, engine::Console &console,
                                           const engine::StringTable &strings);

// Why `pair` cannot be translated (the texts of the byte scan's checks),
// nothing when it can.
[[nodiscard]] std::optional<std::string> checkPair(const Pair &pair);

} // namespace translation
