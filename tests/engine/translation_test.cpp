#include <gtest/gtest.h>

#include "engine/translation.h"
#include "hexbytes.h"
#include "tempdir.h"

namespace {

using engine::KeyEchoTable;
using engine::processTranslation;
using engine::StringConsole;

// A big-endian stored string "ABC" between filler bytes.
const auto kAtn = hexBytes("11 22 33 44 00 00 00 04 00 41 00 42 00 43 00 00 55 66");

struct Transcript {
    const char *name;
    std::vector<std::string> parameters; // "IN" and "OUT" stand for the files of the test
    const char *console;                 // "IN" and "OUT" as above
    bool parametersOk;
    bool outputWritten;
};

std::string substitute(std::string text, const TempDir &dir)
{
    for (const auto &[from, to] : {std::pair{"IN", dir.file("in.atn")}, std::pair{"OUT", dir.file("out.atn")}}) {
        for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
            text.replace(at, std::string_view(from).size(), to);
    }
    return text;
}

// With a table that has no entries, the keys themselves show, with their
// placeholders filled and nothing between a key and what follows it.
const Transcript kTranscripts[] = {
    {"OptionWithFourElements", {"--lenient-le", "IN", "OUT", "A"}, "Fewargs", false, false},
    {"OptionWithUnpairedTexts", {"--lenient-le", "IN", "OUT", "A", "B", "C"}, "llestringreplstring", false, false},
    // Only the first element is the option; elsewhere it is an ordinary text.
    {"OptionAsSearchText",
     {"IN", "OUT", "--lenient-le", "x"},
     "OpenInputFileIN\nReadInputFile 18BeginReplacementOf --lenient-le xOpenOutputFileOUT\nWriteOutputFile 18Done",
     true, true},
    // A failing pair is reported and the next one still applies.
    {"FailingPairThenGoodPair",
     {"IN", "OUT", "", "x", "B", "XY"},
     "OpenInputFileIN\nReadInputFile 18BeginReplacementOf  xError: Search string must not be empty!\n"
     "BeginReplacementOf B XYOpenOutputFileOUT\nWriteOutputFile 20Done",
     true, true},
    // Each pair works on the result of the one before.
    {"PairsChain",
     {"IN", "OUT", "B", "XY", "XY", "Z"},
     "OpenInputFileIN\nReadInputFile 18BeginReplacementOf B XYBeginReplacementOf XY ZOpenOutputFileOUT\n"
     "WriteOutputFile 18Done",
     true, true},
};

TEST(Driver, TranscriptsWithKeyEchoTable)
{
    for (const Transcript &t : kTranscripts) {
        SCOPED_TRACE(t.name);
        TempDir dir;
        writeBytes(dir.file("in.atn"), kAtn);
        std::vector<std::string> parameters;
        for (const auto &p : t.parameters)
            parameters.push_back(substitute(p, dir));
        StringConsole console;
        const auto outcome = processTranslation(parameters, console, KeyEchoTable());
        EXPECT_EQ(console.text(), substitute(t.console, dir));
        EXPECT_EQ(outcome.parametersOk, t.parametersOk);
        EXPECT_EQ(outcome.outputWritten, t.outputWritten);
        EXPECT_EQ(dir.entries().size(), t.outputWritten ? 2u : 1u);
    }
}

} // namespace
