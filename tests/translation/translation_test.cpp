#include <gtest/gtest.h>

#include <filesystem>

#include "atnbuilder.h"
#include "hexbytes.h"
#include "tempdir.h"
#include "translation/batch.h"
#include "translation/driver.h"

namespace {

using engine::KeyEchoTable;
using engine::StringConsole;
using translation::processTranslation;

// A big-endian stored string "ABC" between filler bytes.
const auto kAtn = hexBytes("11 22 33 44 00 00 00 04 00 41 00 42 00 43 00 00 55 66");

struct Transcript {
    const char *name;
    std::vector<std::string> parameters; // "IN" and "OUT" stand for the files of the test
    const char *console;                 // "IN" and "OUT" as above
    bool started;
    std::size_t files; // in the folder afterwards
};

std::string substitute(std::string text, const TempDir &dir)
{
    for (const auto &[from, to] : {std::pair{"IN", dir.file("in.atn")}, std::pair{"OUT", dir.file("out.atn")}}) {
        for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
            text.replace(at, std::string_view(from).size(), to);
    }
    return text;
}

#define UNCHECKED "Unchecked at offset 0: expected version 16, found 287454020"

// With a table that has no entries, the keys themselves show, with their
// placeholders filled and nothing between a key and what follows it.
const Transcript kTranscripts[] = {
    {"OptionWithFourElements", {"--lenient-le", "IN", "OUT", "A"}, "Fewargs", false, 1},
    {"OptionWithUnpairedTexts", {"--lenient-le", "IN", "OUT", "A", "B", "C"}, "llestringreplstring", false, 1},
    // Only the first element is the option; elsewhere it is an ordinary text.
    {"OptionAsSearchText",
     {"IN", "OUT", "--lenient-le", "x"},
     "OpenInputFileIN\nReadInputFile 18" UNCHECKED "BeginReplacementOf --lenient-le xNotFound"
     "OpenOutputFileOUT\nWriteOutputFile 18Translated 0 0 1 OUT\nDone",
     true, 2},
    // A pair that cannot be used stops the run before anything is read.
    {"InvalidPair", {"IN", "OUT", "B", "XY", "", "x"}, "", false, 1},
    // Each pair works on the result of the one before.
    {"PairsChain",
     {"IN", "OUT", "B", "XY", "XY", "Z"},
     "OpenInputFileIN\nReadInputFile 18" UNCHECKED "BeginReplacementOf B XYRewroteOneBeginReplacementOf XY ZRewroteOne"
     "OpenOutputFileOUT\nWriteOutputFile 18Translated 2 2 2 OUT\nDone",
     true, 2},
    // The backup of an input that stays as it was goes again.
    {"SameFileUnchanged",
     {"IN", "IN", "Q", "R"},
     "BackupMade IN.bakOpenInputFileIN\nReadInputFile 18" UNCHECKED "BeginReplacementOf Q RNotFound"
     "OpenOutputFileIN\nWriteOutputFile 18BackupRemoved IN.bakTranslated 0 0 1 IN\nDone",
     true, 1},
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
        EXPECT_EQ(outcome.started(), t.started);
        EXPECT_EQ(dir.entries().size(), t.files);
    }
}

// What the outcome says of each pair, on a well-formed file of layer names
// and a file path.
struct PairCounts {
    const char *name;
    std::vector<translation::Pair> pairs;
    std::vector<std::size_t> rewrittenTexts;
    std::vector<std::size_t> problems; // lines the engine wrote
    translation::Mode mode = translation::Mode::ByteScan;
};

const PairCounts kPairCounts[] = {
    {"OneTextEach", {{"Layer", "Ebene"}, {"Levels", "Tonwertkorrektur"}}, {2, 1}, {0, 0}},
    {"MatchesNothing", {{"Curves", "Gradationskurven"}}, {0}, {0}},
    // Two occurrences in one text rewrite it once.
    {"SeveralInOneText", {{"an", "AN"}}, {1}, {0}},
    // A later pair sees what an earlier one put in.
    {"LaterPairSeesEarlierOne", {{"Layer", "Ebene"}, {"Ebene 1", "E1"}}, {2, 2}, {0, 0}},
    // The little-endian path's Latin letters are met one byte early as a
    // big-endian reading, which ends the pair's scan.
    {"ScanEndsAtAProblem", {{"Users", "Benutzer"}}, {0}, {1}},
    // By the file's structure the path is a stored text like any other.
    {"ExactRewritesThePath", {{"Users", "Benutzer"}}, {1}, {0}, translation::Mode::Exact},
    {"ExactLaterPairSeesEarlierOne", {{"Layer", "Ebene"}, {"Ebene 1", "E1"}}, {2, 2}, {0, 0}, translation::Mode::Exact},
};

TEST(Outcome, CountsPerPair)
{
    using namespace atnbuild;
    const Bytes input = actionFile(
        "Names",
        {action("Rename", {event("slct", "Select", std::vector<Item>{{"null", reference({byName("Lyr ", "Layer 1")})}}),
                           event("slct", "Select", std::vector<Item>{{"null", reference({byName("Lyr ", "Layer 1 copy")})}}),
                           event("slct", "Select", std::vector<Item>{{"null", reference({byName("Lyr ", "Levels")})}}),
                           event("slct", "Select", std::vector<Item>{{"null", reference({byName("Lyr ", "banana")})}}),
                           event("Plc ", "Place", std::vector<Item>{{"null", pathValue("C:\\Users\\poster.psd")}})})});
    for (const PairCounts &c : kPairCounts) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        writeBytes(dir.file("in.atn"), input);
        StringConsole console;
        const translation::Request request{.input = dir.file("in.atn"), .output = dir.file("out.atn"), .ruleFile = {},
                                           .pairs = c.pairs, .lenient = false, .mode = c.mode};
        const translation::Outcome outcome = translation::run(request, console, KeyEchoTable());
        ASSERT_EQ(outcome.pairs.size(), c.pairs.size());
        for (std::size_t i = 0; i < c.pairs.size(); ++i) {
            EXPECT_EQ(outcome.pairs[i].pair, c.pairs[i]);
            EXPECT_EQ(outcome.pairs[i].rewrittenTexts, c.rewrittenTexts[i]) << i;
            EXPECT_EQ(outcome.pairs[i].problems.size(), c.problems[i]) << i;
        }
        EXPECT_TRUE(outcome.outputWritten) << console.text();
    }
}

// The progress callback is asked before each file and can stop the batch
// there; what was translated stays.
TEST(Batch, StopsBetweenFiles)
{
    TempDir dir;
    writeBytes(dir.file("a.atn"), kAtn);
    writeBytes(dir.file("b.atn"), kAtn);
    const std::string folder = dir.file("out");
    std::filesystem::create_directory(folder);
    std::vector<std::string> asked;
    StringConsole console;
    const auto outcome = translation::runBatch(
        {.inputs = {dir.file("a.atn"), dir.file("b.atn")}, .outputFolder = folder, .ruleFile = {},
         .pairs = {{"B", "XY"}}},
        console, KeyEchoTable(), [&](std::size_t index, const std::string &input) {
            asked.push_back(input);
            return index == 0;
        });
    EXPECT_EQ(asked, (std::vector<std::string>{dir.file("a.atn"), dir.file("b.atn")}));
    EXPECT_TRUE(outcome.cancelled);
    EXPECT_FALSE(outcome.succeeded());
    EXPECT_EQ(TempDir::entriesOf(folder), (std::vector<std::string>{"a.atn"}));
    EXPECT_TRUE(console.text().starts_with("BatchFile 1 2 " + dir.file("a.atn") + "OpenInputFile")) << console.text();
    EXPECT_TRUE(console.text().ends_with("Done" "BatchCancelled" "TranslatedFiles 1 2\n")) << console.text();
}

} // namespace
