// The translation driver refuses to write a translated action file that no
// longer walks, as long as the input did.
#include <gtest/gtest.h>

#include <sstream>

#include "atnformat/actionfile.h"
#include "cli/cli.h"
#include "corpus.h"
#include "engine/console.h"
#include "engine/process.h"
#include "engine/translation.h"
#include "hexbytes.h"
#include "tempdir.h"

namespace {

using atnbuild::Bytes;

struct Translated {
    std::string console;
    engine::TranslationOutcome outcome;
};

// Translates `input` from in.atn to out.atn in `dir`.
Translated translate(const TempDir &dir, const Bytes &input, const std::string &search, const std::string &replacement)
{
    writeBytes(dir.file("in.atn"), input);
    engine::StringConsole console;
    const engine::KeyEchoTable keys;
    const engine::TranslationOutcome outcome =
        engine::processTranslation({dir.file("in.atn"), dir.file("out.atn"), search, replacement}, console, keys);
    return {console.text(), outcome};
}

std::string head(const TempDir &dir, std::size_t size, const std::string &search, const std::string &replacement)
{
    return "OpenInputFile" + dir.file("in.atn") + "\nReadInputFile " + std::to_string(size) + "BeginReplacementOf " +
           search + " " + replacement;
}

TEST(OutputCheck, BrokenResultIsNotWrittenAndTheOldOutputStays)
{
    TempDir dir;
    const Bytes input = corpus::rawDataWithStoredString();
    writeText(dir.file("out.atn"), "old content");
    const Translated run = translate(dir, input, "copy", "Kopie");

    engine::StringConsole ignored;
    const auto broken = atnformat::checkActionFile(engine::process(input, "copy", "Kopie", false, ignored));
    ASSERT_TRUE(broken.has_value());
    EXPECT_EQ(run.console, head(dir, input.size(), "copy", "Kopie") +
                               "Error: The translated file is no longer a well-formed action file (" +
                               broken->message() + "), so \"" + dir.file("out.atn") + "\" was not written.\nDone");
    EXPECT_TRUE(run.outcome.outputRejected);
    EXPECT_FALSE(run.outcome.outputWritten);
    EXPECT_FALSE(run.outcome.succeeded());
    EXPECT_EQ(readText(dir.file("out.atn")), "old content");
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"in.atn", "out.atn"}));
}

TEST(OutputCheck, WellFormedResultAddsNothingToTheConsole)
{
    TempDir dir;
    const Bytes input = corpus::rawDataWithStoredString();
    // "Layer" -> "Ebene" keeps every length, inside the raw data too.
    const Translated run = translate(dir, input, "Layer", "Ebene");
    EXPECT_EQ(run.console, head(dir, input.size(), "Layer", "Ebene") + "OpenOutputFile" + dir.file("out.atn") +
                               "\nWriteOutputFile " + std::to_string(input.size()) + "Done");
    EXPECT_TRUE(run.outcome.succeeded());
    EXPECT_TRUE(atnformat::readActionFile(readBytes(dir.file("out.atn"))).isWellFormed());
}

// Input that is not a well-formed action file (another version, or no action
// file at all) is translated and written as it comes out.
TEST(OutputCheck, InputThatDoesNotWalkIsTranslatedUnchecked)
{
    using namespace atnbuild;
    const Bytes inputs[] = {
        hexBytes("11 22 33 44 00 00 00 05 00 63 00 6F 00 70 00 79 00 00 55 66"),
        actionFile("Set", {action("Action", {event("setd", "Set", {{{"Data", blobValue("tdta", text("a copy"))}}})})},
                   15),
    };
    for (const Bytes &input : inputs) {
        TempDir dir;
        const Translated run = translate(dir, input, "copy", "Kopie");
        EXPECT_EQ(run.console.find("Error"), std::string::npos) << run.console;
        EXPECT_TRUE(run.outcome.succeeded());
        EXPECT_EQ(readBytes(dir.file("out.atn")).size(), input.size() + 2); // one unit more
    }
}

TEST(OutputCheck, CommandLineExitsWithOneAndWritesNothing)
{
    TempDir dir;
    writeBytes(dir.file("in.atn"), corpus::rawDataWithStoredString());
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(cli::run({dir.file("in.atn"), dir.file("out.atn"), "copy", "Kopie"}, out, err), 1);
    EXPECT_NE(out.str().find("\nError: The translated file is no longer a well-formed action file (at offset "),
              std::string::npos)
        << out.str();
    EXPECT_TRUE(out.str().ends_with("Done.\n")) << out.str();
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"in.atn"}));
}

} // namespace
