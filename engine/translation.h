// The translation driver: one whole translation of an ATN file from a list of
// parameters shaped like a command line:
//
//   [--lenient-le] INPUT OUTPUT SEARCH REPLACEMENT [SEARCH REPLACEMENT ...]
//
// "--lenient-le" is an option only as the first element. The input is read
// whole, `process` runs once per pair in list order (each on the result of the
// one before), and the result is written atomically to the output. Every step
// and every problem goes to the console, with its texts looked up in `strings`
// by key; the run ends with the text of "Done" unless the parameters are
// malformed. Nothing is thrown.
//
// When the input is a well-formed action file (atnformat::checkActionFile),
// the result must be one too: otherwise nothing is written, an existing output
// stays as it was, and the console gets an "Error: " line with the offset where
// the walk of the result failed. Other input is translated unchecked.
#pragma once

#include <string>
#include <vector>

#include "console.h"
#include "stringtable.h"

namespace engine {

inline constexpr const char *kLenientOption = "--lenient-le";

// What became of a run, for callers that report an exit status; the console
// text says the same to the user.
struct TranslationOutcome {
    bool parametersOk = false; // false: "Fewargs" or "replstring", nothing read or written
    bool inputRead = false;
    int failedPairs = 0;
    bool outputWritten = false;

    [[nodiscard]] bool succeeded() const noexcept
    {
        return parametersOk && inputRead && failedPairs == 0 && outputWritten;
    }
};

// Where the paths and the pairs stand in a parameter list.
struct ParameterLayout {
    bool lenient = false;
    std::size_t inputIndex = 0;
    std::size_t outputIndex = 1;
    enum class Problem { None, TooFew, UnpairedText } problem = Problem::None;
};

[[nodiscard]] ParameterLayout parameterLayout(const std::vector<std::string> &parameters);

TranslationOutcome processTranslation(const std::vector<std::string> &parameters,
                                      Console &console,
                                      const StringTable &strings);

} // namespace engine
