// A large well-formed action file for benchmarks of the structural walk: one
// set of actions whose events hold descriptors with names, name references,
// file paths and aliases, between numbers, enumerations and nested objects.
// Every text comes from a short list of recorded names and paths, none of
// them holding "Vignette"; "Gradient Map" is one of the names.
//
// **Example**
//   const std::vector<std::uint8_t> atn = bench::makeWellFormedAtn(64 << 20); // at least 64 MiB
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace bench {

// How the items of the events follow one another: each drawn at random, the
// worst case for a walk that branches on every value type; or as recorded
// actions have them, each event a step of one of a few kinds (select a layer,
// place a file, make an adjustment layer, ...) whose items always come in the
// same order.
enum class ItemOrder { Random, Recorded };

// At least `size` bytes, at most one action (about 20 KiB) more.
[[nodiscard]] std::vector<std::uint8_t> makeWellFormedAtn(std::size_t size, std::uint64_t seed = 1,
                                                          ItemOrder order = ItemOrder::Random);

} // namespace bench
