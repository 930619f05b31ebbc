#pragma once

// The action files the reader's tests are built on, shared with the program
// that writes them to disk for the comparison with the independent validator
// (which also compares every stored string's offset, layout, role and text).

#include <cstddef>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "atnbuilder.h"

namespace corpus {

struct NamedFile {
    std::string name;
    atnbuild::Bytes bytes;
};

// A file with one fault, where the walk must stop and what it needed there.
struct DamagedCase {
    std::string name;
    atnbuild::Bytes bytes;
    std::size_t offset;
    std::string expected; // a part of FormatError::expected
};

inline void PrintTo(const DamagedCase &c, std::ostream *os) { *os << c.name; }

[[nodiscard]] std::vector<DamagedCase> damagedCases();

// A small file holding most kinds of structure, for truncations and corruptions.
[[nodiscard]] atnbuild::Bytes smallFile();

// A well-formed file whose raw data value holds the bytes of a big-endian
// stored "Layer 1 copy": a rule for "copy" with a longer replacement rewrites
// them, the value's byte count stays, and the result no longer walks.
[[nodiscard]] atnbuild::Bytes rawDataWithStoredString();

// A well-formed file made at random from `seed`: names, text values, name
// references, paths and aliases drawn from a small set of texts that share
// words (and the raw data sometimes holds one of them as a stored string).
[[nodiscard]] atnbuild::Bytes generatedFile(unsigned seed);

// The damaged files, rawDataWithStoredString() and the engine's translation
// of it with "copy" -> "Kopie", the rewriter's translation of a few generated
// files and of the small file, every truncation of the small file and two
// one-byte corruptions of it at every offset. (The generated files, the small
// file and files of each kind of structure are the reader's fuzz seeds.)
[[nodiscard]] std::vector<NamedFile> allFiles();

} // namespace corpus
