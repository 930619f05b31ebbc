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

// Only the first element of the parameters is the option. A list without
// input, output and whole pairs is refused before anything is read, with the
// texts that say why, the option's own included (the command line's
// transcripts show the other forms).
TEST(Driver, OptionOnlyAsTheFirstElement)
{
    struct Row {
        std::vector<std::string> parameters;
        bool lenient;
        std::size_t outputIndex;
        const char *refusal; // the console when the list is refused
    };
    const Row rows[] = {
        {{"--lenient-le", "in.atn", "out.atn", "A"}, true, 2, "Fewargs"},
        {{"--lenient-le", "in.atn", "out.atn", "A", "B", "C"}, true, 2, "llestringreplstring"},
        {{"in.atn", "out.atn", "--lenient-le", "x"}, false, 1, nullptr},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(testing::PrintToString(row.parameters));
        const translation::ParameterLayout layout = translation::parameterLayout(row.parameters);
        EXPECT_EQ(layout.lenient, row.lenient);
        EXPECT_EQ(layout.outputIndex, row.outputIndex);
        if (!row.refusal) {
            EXPECT_EQ(layout.problem, translation::ParameterLayout::Problem::None);
            continue;
        }
        StringConsole console;
        EXPECT_FALSE(processTranslation(row.parameters, console, KeyEchoTable()).started());
        EXPECT_EQ(console.text(), row.refusal);
    }
}

// What the outcome says of each pair, on a well-formed file of layer names
// and a file path, where the counts are not one per text and pair (the
// window's transcript shows those).
struct PairCounts {
    const char *name;
    std::vector<translation::Pair> pairs;
    std::vector<std::size_t> rewrittenTexts;
    std::vector<std::size_t> problems; // lines the engine wrote
    translation::Mode mode = translation::Mode::ByteScan;
};

const PairCounts kPairCounts[] = {
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
