// A batch that the window's progress stops between files; the runs themselves
// are checked through the command line (tests/cli).
#include <gtest/gtest.h>

#include <filesystem>

#include "hexbytes.h"
#include "tempdir.h"
#include "translation/batch.h"

namespace {

using engine::KeyEchoTable;
using engine::StringConsole;

// A big-endian stored string "ABC" between filler bytes.
const auto kAtn = hexBytes("11 22 33 44 00 00 00 04 00 41 00 42 00 43 00 00 55 66");

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
