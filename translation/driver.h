// The translation driver: one whole translation of an ATN file from a list of
// parameters shaped like a command line:
//
//   [--lenient-le] INPUT OUTPUT SEARCH REPLACEMENT [SEARCH REPLACEMENT ...]
//
// "--lenient-le" is an option only as the first element. A list without
// input, output and whole pairs gets the text of "Fewargs" or "replstring" on
// the console and nothing is read or written; otherwise the list becomes a
// request and runs as translationrun.h describes.
#pragma once

#include <string>
#include <vector>

#include "translationrun.h"

namespace translation {

inline constexpr const char *kLenientOption = "--lenient-le";

// Where the paths and the pairs stand in a parameter list.
struct ParameterLayout {
    bool lenient = false;
    std::size_t inputIndex = 0;
    std::size_t outputIndex = 1;
    enum class Problem { None, TooFew, UnpairedText } problem = Problem::None;
};

[[nodiscard]] ParameterLayout parameterLayout(const std::vector<std::string> &parameters);

Outcome processTranslation(const std::vector<std::string> &parameters, engine::Console &console,
                           const engine::StringTable &strings, Mode mode = Mode::ByteScan);

} // namespace translation
