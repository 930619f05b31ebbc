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

Translated translate(const std::vector<std::string> &parameters)
{
    engine::StringConsole console;
    const engine::KeyEchoTable keys;
    const engine::TranslationOutcome outcome = engine::processTranslation(parameters, console, keys);
    return {console.text(), outcome};
}

std::string head(const std::string &input, std::size_t size, const std::string &search, const std::string &replacement)
{
    return "OpenInputFile" + input + "\nReadInputFile " + std::to_string(size) + "BeginReplacementOf " + search + " " +
           replacement;
}

TEST(OutputCheck, BrokenResultIsNotWrittenAndTheOldOutputStays)
{
    TempDir dir;
    const Bytes input = corpus::rawDataWithStoredString();
    writeBytes(dir.file("in.atn"), input);
    writeText(dir.file("out.atn"), "old content");

    const Translated run = translate({dir.file("in.atn"), dir.file("out.atn"), "copy", "Kopie"});

    engine::StringConsole ignored;
    const auto broken = atnformat::checkActionFile(engine::process(input, "copy", "Kopie", false, ignored));
    ASSERT_TRUE(broken.has_value());
    EXPECT_EQ(run.console, head(dir.file("in.atn"), input.size(), "copy", "Kopie") +
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
    writeBytes(dir.file("in.atn"), input);

    // "Layer" -> "Ebene" keeps every length, inside the raw data too.
    const Translated run = translate({dir.file("in.atn"), dir.file("out.atn"), "Layer", "Ebene"});

    EXPECT_EQ(run.console, head(dir.file("in.atn"), input.size(), "Layer", "Ebene") + "OpenOutputFile" +
                               dir.file("out.atn") + "\nWriteOutputFile " + std::to_string(input.size()) + "Done");
    EXPECT_TRUE(run.outcome.succeeded());
    const atnformat::ActionFile written = atnformat::readActionFile(readBytes(dir.file("out.atn")));
    ASSERT_TRUE(written.isWellFormed());
    EXPECT_EQ(written.strings[3].text, "Ebene 1");
}

// Input that is not a well-formed action file (another version, or no action
// file at all) is translated and written as it comes out.
TEST(OutputCheck, InputThatDoesNotWalkIsTranslatedUnchecked)
{
    const struct {
        const char *name;
        Bytes input;
        const char *search;
        const char *replacement;
    } cases[] = {
        {"bare stored string", hexBytes("11 22 33 44 00 00 00 04 00 41 00 42 00 43 00 00 55 66"), "B", "XY"},
        {"other version",
         atnbuild::actionFile("Set", {atnbuild::action("Action", {atnbuild::event("setd", "Set", {{
                                          {"Data", atnbuild::blobValue("tdta", atnbuild::text("Layer 1 copy"))},
                                      }})})},
                              15),
         "copy", "Kopie"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        writeBytes(dir.file("in.atn"), c.input);
        const Translated run = translate({dir.file("in.atn"), dir.file("out.atn"), c.search, c.replacement});
        EXPECT_EQ(run.console.find("Error"), std::string::npos) << run.console;
        EXPECT_TRUE(run.outcome.succeeded());
        EXPECT_EQ(readBytes(dir.file("out.atn")).size(), c.input.size() + 2);
    }
}

TEST(OutputCheck, CommandLineExitsWithOneAndWritesNothing)
{
    TempDir dir;
    writeBytes(dir.file("in.atn"), corpus::rawDataWithStoredString());
    std::ostringstream out;
    std::ostringstream err;
    const int status = cli::run({dir.file("in.atn"), dir.file("out.atn"), "copy", "Kopie"}, out, err);
    EXPECT_EQ(status, 1);
    EXPECT_NE(out.str().find("\nError: The translated file is no longer a well-formed action file (at offset "),
              std::string::npos)
        << out.str();
    EXPECT_TRUE(out.str().ends_with("Done.\n")) << out.str();
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"in.atn"}));
}

} // namespace
