// The translation refuses to write a translated action file that no longer
// walks, as long as the input did.
#include <gtest/gtest.h>

#include <sstream>

#include "atnformat/actionfile.h"
#include "cli/cli.h"
#include "corpus.h"
#include "engine/console.h"
#include "engine/process.h"
#include "hexbytes.h"
#include "tempdir.h"
#include "translation/driver.h"

namespace {

using atnbuild::Bytes;

// The command line exits with 1, says where the result stopped walking, and
// leaves an existing output as it was; translating the input onto itself
// leaves no backup of it behind, as a translation that changes nothing does.
TEST(OutputCheck, BrokenResultIsNotWrittenAndTheOldOutputStays)
{
    TempDir dir;
    const Bytes input = corpus::rawDataWithStoredString();
    const std::string in = dir.file("in.atn"), out = dir.file("out.atn");
    writeBytes(in, input);
    writeText(out, "old content");
    engine::StringConsole ignored;
    const auto broken = atnformat::checkActionFile(engine::process(input, "copy", "Kopie", false, ignored));
    ASSERT_TRUE(broken.has_value());

    std::ostringstream console, err;
    EXPECT_EQ(cli::run({in, out, "copy", "Kopie"}, console, err), 1);
    EXPECT_EQ(console.str(), "Opening input file: " + in + "\nRead " + std::to_string(input.size()) +
                                 " bytes.\nReplacing \"copy\" with \"Kopie\"\n"
                                 "1 stored text rewritten.\n"
                                 "Error: The translated file is no longer a well-formed action file (" +
                                 broken->message() + "), so \"" + out + "\" was not written.\n"
                                 "Not translated: The translated file would no longer be a well-formed action file. "
                                 "Nothing was written.\nDone.\n");
    EXPECT_EQ(readText(out), "old content");

    std::ostringstream sameFile;
    EXPECT_EQ(cli::run({in, in, "copy", "Kopie"}, sameFile, err), 1);
    EXPECT_NE(sameFile.str().find("its backup \"" + in + ".bak\" was removed again"), std::string::npos)
        << sameFile.str();
    EXPECT_EQ(readBytes(in), input);
    std::ostringstream unchanged;
    EXPECT_EQ(cli::run({in, in, "absent", "x"}, unchanged, err), 0);
    EXPECT_NE(unchanged.str().find("its backup \"" + in + ".bak\" was removed again"), std::string::npos)
        << unchanged.str();
    EXPECT_EQ(readBytes(in), input);
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"in.atn", "out.atn"}));

    // The dry run says so too, and exits as the run does.
    writeText(dir.file("de.rul"), "1;copy;Kopie;\n");
    std::ostringstream dry;
    EXPECT_EQ(cli::run({"--rules", dir.file("de.rul"), "--dry-run", in}, dry, err), 1);
    EXPECT_TRUE(dry.str().ends_with("Error: The translated file would no longer be a well-formed action file (" +
                                    broken->message() + "), so it would not be written.\nNo stored texts are listed: "
                                    "the translation would not be written.\n"))
        << dry.str();
}

} // namespace
