// Synthetic buffers shaped like ATN files, for benchmarks: action and layer
// names as big-endian stored strings, file paths as little-endian strings
// behind their "txtu" header, between keys, type codes and numbers.
//
// The buffers are made for measuring, so they promise a few things:
//  - the byte kAbsentByte never occurs (a memchr for it reads everything);
//  - no name or path that holds the marker or a text of `avoid` is used (the
//    benchmark still checks that such a text occurs nowhere, as bytes of
//    neighbouring fields might happen to spell it);
//  - with a marker, one big-endian stored string holding exactly the marker
//    text starts in every `markerSpacing` bytes (the first at the start), and
//    `markers` says how many.
//
// **Example**
//   auto atn = bench::makeSyntheticAtn({.size = 64 << 20, .marker = "Levels"});
//   // atn.markers == 65536: one "Levels" string per KiB
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace bench {

inline constexpr std::uint8_t kAbsentByte = 0xFF;

struct SyntheticAtnOptions {
    std::size_t size = 0; // exact length of the buffer
    std::uint64_t seed = 1;
    std::string marker;
    std::size_t markerSpacing = 1024;
    std::vector<std::string> avoid;
};

struct SyntheticAtn {
    std::vector<std::uint8_t> bytes;
    std::size_t markers = 0;
};

[[nodiscard]] SyntheticAtn makeSyntheticAtn(const SyntheticAtnOptions &options);

} // namespace bench
