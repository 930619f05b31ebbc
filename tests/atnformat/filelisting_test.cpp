// atnlingo --list and --check.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/cli.h"
#include "corpus.h"
#include "tempdir.h"

namespace {

using namespace atnbuild;

struct Result {
    int status;
    std::string out;
    std::string err;
};

Result run(const std::vector<std::string> &args)
{
    std::ostringstream out;
    std::ostringstream err;
    const int status = cli::run(args, out, err);
    return {status, out.str(), err.str()};
}

Bytes listedFile()
{
    return actionFile("Set", {action("Act", {event("slct", "Select",
                                                   {{{"null", reference({byName("Lyr ", "Layer 1")})},
                                                     {"In  ", pathValue("/tmp/夕焼け.jpg")},
                                                     {"Nm  ", textValue("say \"hi\"\\\n")}}})})});
}

// Offsets, roles and texts of every string are compared with the independent
// validator in agreement_test.py; here the shape and escaping of the listing.
TEST(List, PrintsHeaderAndNonEmptyStringsOrJson)
{
    TempDir dir;
    writeBytes(dir.file("a.atn"), listedFile());
    const Result r = run({"--list", dir.file("a.atn")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, dir.file("a.atn") + ": well-formed, version 16, 1 action, 1 event, 7 stored strings "
                                         "(2 empty, not listed)\n"
                                         "  OFFSET  LAYOUT  ROLE                TEXT\n"
                                         "       4  BE      set name            \"Set\"\n"
                                         "      27  BE      action name         \"Act\"\n"
                                         "     122  BE      layer name          \"Layer 1\"\n"
                                         "     166  LE      file path           \"/tmp/夕焼け.jpg\"\n"
                                         "     208  BE      text value          \"say \\\"hi\\\"\\\\\\n\"\n");
    EXPECT_EQ(r.err, "");

    const Result json = run({"--list", "--json", dir.file("a.atn")});
    EXPECT_EQ(json.status, 0) << json.err;
    for (const char *fragment :
         {"\"wellFormed\": true", "\"version\": 16", "\"error\": null",
          "{\"offset\": 122, \"layout\": \"be\", \"role\": \"referenceName\", \"label\": \"layer name\", "
          "\"key\": \"Lyr \", \"event\": \"slct\", \"units\": 8, \"text\": \"Layer 1\"}",
          "\"text\": \"say \\\"hi\\\"\\\\\\n\""})
        EXPECT_NE(json.out.find(fragment), std::string::npos) << fragment << "\n" << json.out;
    EXPECT_EQ(run({"--list", dir.file("a.atn"), "--json"}).out, json.out);
}

TEST(List, DamagedFileShowsWhatWasReadThenTheError)
{
    TempDir dir;
    const Bytes damaged = listedFile() + Bytes{0};
    const std::string at = std::to_string(damaged.size() - 1);
    writeBytes(dir.file("bad.atn"), damaged);
    const Result r = run({"--list", dir.file("bad.atn")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.starts_with(dir.file("bad.atn") + ": not well-formed, ")) << r.out;
    EXPECT_NE(r.out.find("\"Layer 1\""), std::string::npos);
    EXPECT_EQ(r.err, "Error: " + dir.file("bad.atn") + " is not a well-formed action file: at offset " + at +
                         ": expected the end of the file, found 1 more bytes\n");

    const Result json = run({"--list", "--json", dir.file("bad.atn")});
    EXPECT_EQ(json.status, 1);
    EXPECT_NE(json.out.find("\"wellFormed\": false"), std::string::npos);
    EXPECT_NE(json.out.find("\"error\": {\"offset\": " + at), std::string::npos);
}

TEST(List, MalformedArgumentsAndMissingFile)
{
    for (const std::vector<std::string> &args : std::vector<std::vector<std::string>>{
             {"--list"}, {"--list", "--json"}, {"--list", "a.atn", "b.atn"}, {"--check"}})
        EXPECT_EQ(run(args).status, 2) << args.size();
    const Result missing = run({"--list", "/nonexistent/missing.atn"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(missing.err.starts_with("Error: Cannot read")) << missing.err;
    EXPECT_EQ(missing.out, "");
}

TEST(Check, ReportsEachFileAndFailsIfAnyIsNotWellFormed)
{
    TempDir dir;
    writeBytes(dir.file("good.atn"), listedFile());
    writeBytes(dir.file("empty-set.atn"), actionFile("Nothing", {}));
    writeBytes(dir.file("v15.atn"), actionFile("Old", {}, 15));
    const std::string goodLine =
        dir.file("good.atn") + ": well-formed, version 16, 1 action, 1 event, 7 stored strings\n";

    const Result good = run({"--check", dir.file("good.atn"), dir.file("empty-set.atn")});
    EXPECT_EQ(good.status, 0);
    EXPECT_EQ(good.out, goodLine + dir.file("empty-set.atn") +
                            ": well-formed, version 16, 0 actions, 0 events, 1 stored string\n");

    const Result mixed = run({"--check", dir.file("v15.atn"), dir.file("missing.atn"), dir.file("good.atn")});
    EXPECT_EQ(mixed.status, 1);
    EXPECT_EQ(mixed.out,
              dir.file("v15.atn") + ": not well-formed: at offset 0: expected version 16, found 15\n" + goodLine);
    EXPECT_TRUE(mixed.err.starts_with("Error: Cannot read")) << mixed.err;
}

} // namespace
