// The command line end to end on files in a temporary folder: the console
// text on standard output, the exit status, and the folder afterwards. Every
// failure is a line on standard output or error and a non-zero exit status,
// and no file is left half-written.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <fcntl.h>
#include <sched.h>
#include <string>
#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include "corpus.h"
#include "hexbytes.h"
#include "tempdir.h"

namespace {

using Entries = std::vector<std::string>;

struct ProgramRun {
    int exitCode = -1; // -1 when the program did not exit normally
    std::string out;
    std::string err;
};

// Runs the command line with `args`, standard input from /dev/null, and
// collects what it prints. A run still going after a minute is killed, so that
// one waiting for input that never comes fails instead of hanging.
ProgramRun runProgram(const std::vector<std::string> &args)
{
    const std::string program = ATNLINGO_EXE;
    TempDir capture;
    const std::string outPath = capture.file("out"), errPath = capture.file("err");
    ProgramRun run;
    const pid_t child = ::fork();
    if (child < 0)
        return run;
    if (child == 0) {
        const int in = ::open("/dev/null", O_RDONLY);
        const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (in < 0 || out < 0 || err < 0 || ::dup2(in, 0) < 0 || ::dup2(out, 1) < 0 || ::dup2(err, 2) < 0)
            ::_exit(127);
        std::vector<char *> argv;
        argv.push_back(const_cast<char *>(program.c_str()));
        for (const auto &arg : args)
            argv.push_back(const_cast<char *>(arg.c_str()));
        argv.push_back(nullptr);
        ::alarm(60); // outlives execv
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    if (WIFEXITED(status))
        run.exitCode = WEXITSTATUS(status);
    run.out = readText(outPath);
    run.err = readText(errPath);
    return run;
}

// A big-endian stored string "ABC" between filler bytes, which make no action file.
const auto kAtn = hexBytes("11 22 33 44 00 00 00 04 00 41 00 42 00 43 00 00 55 66");
const char *kRules = "1;B;XY;\n0;A;Q;\n";

// A well-formed action file, with a layer name that kRules changes.
atnbuild::Bytes listedFile()
{
    using namespace atnbuild;
    return actionFile("Set", {action("Act", {event("slct", "Select",
                                                   {{{"null", reference({byName("Lyr ", "Background")})},
                                                     {"In  ", pathValue("/tmp/夕焼け.jpg")},
                                                     {"Nm  ", textValue("say \"hi\"\\\n")}}})})});
}

// Replaces the placeholders @IN, @OUT and @DIR with the test's paths.
std::string substitute(std::string text, const TempDir &dir)
{
    const std::pair<std::string, std::string> names[] = {
        {"@IN", dir.file("in.atn")}, {"@OUT", dir.file("out.atn")}, {"@DIR", dir.path()}};
    for (const auto &[name, path] : names) {
        for (auto at = text.find(name); at != std::string::npos; at = text.find(name, at + path.size()))
            text.replace(at, name.size(), path);
    }
    return text;
}

struct CliCase {
    const char *name;
    void (*prepare)(const TempDir &dir); // besides writing in.atn
    std::vector<std::string> args;       // "@IN", "@OUT", "@DIR" stand for the test's paths
    int exitCode;
    const char *printed; // a piece of standard output followed by standard error, same placeholders
    Entries entries;     // the folder afterwards
};

void PrintTo(const CliCase &c, std::ostream *os) { *os << c.name; }

class Cli : public testing::TestWithParam<CliCase> {};

TEST_P(Cli, StatusOutputAndFolder)
{
    const CliCase &c = GetParam();
    TempDir dir;
    writeBytes(dir.file("in.atn"), kAtn);
    if (c.prepare)
        c.prepare(dir);
    std::map<std::string, std::string> kept; // the regular files among the input and the output
    for (const char *name : {"in.atn", "out.atn"}) {
        struct stat st;
        if (::stat(dir.file(name).c_str(), &st) == 0 && S_ISREG(st.st_mode))
            kept[name] = toHex(readBytes(dir.file(name)));
    }
    std::vector<std::string> args;
    for (const auto &a : c.args)
        args.push_back(substitute(a, dir));
    const auto run = runProgram(args);
    EXPECT_EQ(run.exitCode, c.exitCode);
    EXPECT_NE((run.out + run.err).find(substitute(c.printed, dir)), std::string::npos) << run.out << run.err;
    EXPECT_EQ(dir.entries(), c.entries);
    // A run that fails leaves its input and an existing output as they were.
    for (const auto &[name, content] : kept) {
        if (c.exitCode != 0)
            EXPECT_EQ(toHex(readBytes(dir.file(name))), content) << name;
    }
}

const Entries kInput{"in.atn"}, kBoth{"in.atn", "out.atn"}, kWithRules{"de.rul", "in.atn"},
    kListed{"bad.atn", "de.rul", "in.atn"}, kListedAndOut{"bad.atn", "de.rul", "in.atn", "out.atn"};

// in.atn becomes a named pipe that no program writes to, or a socket.
void inputIsAPipe(const TempDir &dir)
{
    ASSERT_EQ(std::remove(dir.file("in.atn").c_str()), 0);
    ASSERT_EQ(::mkfifo(dir.file("in.atn").c_str(), 0644), 0);
}

void inputIsASocket(const TempDir &dir)
{
    ASSERT_EQ(std::remove(dir.file("in.atn").c_str()), 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(dir.file("in.atn").copy(address.sun_path, sizeof address.sun_path - 1), sizeof address.sun_path - 1);
    const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_EQ(::bind(socket, reinterpret_cast<const sockaddr *>(&address), sizeof address), 0);
    ::close(socket);
}

void withRules(const TempDir &dir)
{
    writeText(dir.file("de.rul"), kRules);
}

// in.atn becomes the listed file, bad.atn the same with one byte too many,
// and de.rul holds kRules.
void listedFiles(const TempDir &dir)
{
    atnbuild::Bytes file = listedFile();
    writeBytes(dir.file("in.atn"), file);
    file.push_back(0);
    writeBytes(dir.file("bad.atn"), file);
    withRules(dir);
}

// in.atn becomes a well-formed file whose raw data holds a stored string, and
// de.rul a rule that rewrites it, after which the file no longer walks.
void rawDataFiles(const TempDir &dir)
{
    writeBytes(dir.file("in.atn"), corpus::rawDataWithStoredString());
    writeText(dir.file("de.rul"), "1;copy;Kopie;\n");
}

// As rawDataFiles, with an output of an earlier run.
void rawDataFilesAndAnOutput(const TempDir &dir)
{
    rawDataFiles(dir);
    writeBytes(dir.file("out.atn"), kAtn);
}

#define NO_RULES "Your RUL file is empty or has no enabled rules.\nPlease set up some rules and enable [x] them.\n"
#define RULES_USAGE "Usage: atnlingo --rules RULFILE [--exact] [--lenient-le] INPUT OUTPUT\n"

INSTANTIATE_TEST_SUITE_P(
    Cases, Cli,
    testing::Values(
        CliCase{"ThreeArguments", nullptr, {"@IN", "@OUT", "B"}, 2, "Too few parameters", kInput},
        CliCase{"UnpairedTexts", nullptr, {"@IN", "@OUT", "B", "XY", "C"}, 2, "must come in pairs", kInput},
        // The lenient option counts only as the very first argument.
        CliCase{"LenientWithoutAPair", nullptr, {"--lenient-le", "@IN", "@OUT", "B"}, 2, "Too few parameters", kInput},
        CliCase{"LenientWithUnpairedTexts", nullptr, {"--lenient-le", "@IN", "@OUT", "B", "XY", "C"}, 2,
                "Lenient little-endian handling is on: the header checks of little-endian strings are skipped.\n"
                "Search and replacement texts must come in pairs", kInput},
        CliCase{"LenientAsASearchText", nullptr, {"@IN", "@OUT", "--lenient-le", "x"}, 0,
                "Replacing \"--lenient-le\" with \"x\"\nNot found.\n", kBoth},
        CliCase{"Help", nullptr, {"--help"}, 0, "Usage: atnlingo", kInput},
        CliCase{"Version", nullptr, {"--version"}, 0, "atnlingo ", kInput},
        CliCase{"MissingInput", nullptr, {"@DIR/missing.atn", "@OUT", "B", "XY"}, 1,
                "Error: Cannot read \"@DIR/missing.atn\": No such file or directory\n"
                "Not translated: Cannot read \"@DIR/missing.atn\": No such file or directory. Nothing was written.\n"
                "Done.\n", kInput},
        CliCase{"InputIsAFolder", nullptr, {"@DIR", "@OUT", "B", "XY"}, 1,
                "Error: Cannot read \"@DIR\": it is a folder\nNot translated: ", kInput},
        // Refused at once, not waited for or read as empty or endless.
        CliCase{"InputIsAPipeWithoutWriter", inputIsAPipe, {"@IN", "@OUT", "B", "XY"}, 1,
                "Error: Cannot read \"@IN\": it is a pipe with no writer\nNot translated: ", kInput},
        CliCase{"InputIsADevice", nullptr, {"/dev/zero", "@OUT", "B", "XY"}, 1,
                "Error: Cannot read \"/dev/zero\": it is a device\nNot translated: ", kInput},
        CliCase{"InputIsASocket", inputIsASocket, {"@IN", "@OUT", "B", "XY"}, 1,
                "Error: Cannot read \"@IN\": it is a socket\nNot translated: ", kInput},
        CliCase{"SameFileIsAPipe", inputIsAPipe, {"@IN", "@IN", "B", "XY"}, 1,
                "Ooops! Something went wrong: cannot back up \"@IN\": it is not a regular file\n", kInput},
        CliCase{"EmptyInput", [](const TempDir &dir) { writeText(dir.file("in.atn"), ""); },
                {"@IN", "@OUT", "B", "XY"}, 0, "Read 0 bytes.\nThe input is not a well-formed action file (at offset 0: "
                "expected a version number, found the end of the file), so the translated file is not checked.\n"
                "Replacing \"B\" with \"XY\"\nNot found.\nOpening output file: @OUT\nWriting 0 bytes.\n"
                "Translated: 0 stored texts rewritten by 0 of 1 rules, written to \"@OUT\".\nDone.\n", kBoth},
        CliCase{"ExactNeedsAWellFormedInput", nullptr, {"--exact", "@IN", "@OUT", "B", "XY"}, 1,
                "Error: The input is not a well-formed action file (at offset 0: expected version 16, found "
                "287454020), so it cannot be translated by its structure", kInput},
        // The little-endian path's Latin letters are met one byte early as a
        // big-endian reading, which ends the rule's scan.
        CliCase{"ScanStopsAtAProblem", listedFiles, {"@IN", "@OUT", "tmp", "Temp"}, 0,
                "Unable to find the start of the string for a match at offset 177 in output file.\nThis rule stopped "
                "at offset 177: later occurrences of its text are left as they were.\nExact translation follows the "
                "file's structure instead and has no such problem: the check box \"Exact translation\" in the window, "
                "--exact on the command line.\nNot found.\n", kListedAndOut},
        // Two occurrences in one text rewrite it once.
        CliCase{"TwoInOneText", listedFiles, {"@IN", "@OUT", "\"", "'"}, 0,
                "Replacing \"\"\" with \"'\"\n1 stored text rewritten.\n", kListedAndOut},
        // Each pair of an exact translation sees what the one before made.
        CliCase{"ExactPairsInOrder", listedFiles, {"--exact", "@IN", "@OUT", "B", "XY", "XY", "Z"}, 0,
                "Replacing \"B\" with \"XY\"\n1 stored text rewritten.\nReplacing \"XY\" with \"Z\"\n"
                "1 stored text rewritten.\n", kListedAndOut},
        // A result that no longer walks is not written; nor is the input when
        // it is the output, and its backup goes again.
        CliCase{"ResultNoLongerWalks", rawDataFilesAndAnOutput, {"@IN", "@OUT", "copy", "Kopie"}, 1,
                "Error: The translated file is no longer a well-formed action file (at offset 190: expected a value "
                "type, found 'snlo'), so \"@OUT\" was not written.\nNot translated: The translated file would no "
                "longer be a well-formed action file. Nothing was written.\n", {"de.rul", "in.atn", "out.atn"}},
        CliCase{"SameFileResultNoLongerWalks", rawDataFiles, {"@IN", "@IN", "copy", "Kopie"}, 1,
                "its backup \"@IN.bak\" was removed again.\n", kWithRules},
        CliCase{"DryRunOfAResultThatNoLongerWalks", rawDataFiles, {"--rules", "@DIR/de.rul", "--dry-run", "@IN"}, 1,
                "Error: The translated file would no longer be a well-formed action file (at offset 190: expected a "
                "value type, found 'snlo'), so it would not be written.\nNo stored texts are listed: the translation "
                "would not be written.\n", kWithRules},
        // A pair that cannot be used is a usage error that names it; nothing is
        // read or written.
        CliCase{"InvalidPair", nullptr, {"@IN", "@OUT", "B", "XY", "", "x"}, 2,
                "Not translated: The rule \"\" \u2192 \"x\" cannot be used: Search string must not be empty!", kInput},
        CliCase{"OutputFolderMissing", nullptr, {"@IN", "@DIR/missing/out.atn", "B", "XY"}, 1,
                "Cannot write \"@DIR/missing/out.atn\": No such file or directory\nNot translated: ", kInput},
        CliCase{"OutputIsAFolder", nullptr, {"@IN", "@DIR", "B", "XY"}, 1,
                "Cannot write \"@DIR\": it is a folder\nNot translated: ", kInput},
        CliCase{"OutputIsAPipe", [](const TempDir &dir) { ASSERT_EQ(::mkfifo(dir.file("out.atn").c_str(), 0644), 0); },
                {"@IN", "@OUT", "B", "XY"}, 1, "Cannot write \"@OUT\": it is not a regular file\nNot translated: ", kBoth},
        CliCase{"SameFileAndBackupNameTaken",
                [](const TempDir &dir) { ASSERT_EQ(::mkdir(dir.file("in.atn.bak").c_str(), 0755), 0); },
                {"@IN", "@IN", "B", "XY"}, 0, "Done.\n", {"in.atn", "in.atn.bak", "in.atn.bak.1"}},
        // The output is the input by another name: backed up, and the backup goes again.
        CliCase{"SameFileUnderAnotherNameLeftAsItWas", nullptr, {"@IN", "@DIR/./in.atn", "Q", "R"}, 0,
                "Writing 18 bytes.\nThe input file was left as it was, so its backup \"@IN.bak\" was removed again.\n",
                kInput},

        // A rule file that yields no pair leaves every file alone, the backup included.
        CliCase{"RuleFileMissing", nullptr, {"--rules", "@DIR/de.rul", "@IN", "@IN"}, 2, "File not found\n" NO_RULES,
                kInput},
        // A batch reads its rules before it looks at the folder.
        CliCase{"RuleFileNotUtf8", [](const TempDir &dir) { writeText(dir.file("de.rul"), "1;B;\xFF;\n"); },
                {"--rules", "@DIR/de.rul", "--output-dir", "@DIR", "@IN"}, 2,
                "Cannot read file. (Cannot read \"@DIR/de.rul\": not valid UTF-8 at byte 4: invalid byte 0xFF)\n" NO_RULES,
                kWithRules},
        // Refused before it is read (a sparse file here).
        CliCase{"RuleFileTooLarge",
                [](const TempDir &dir) {
                    writeText(dir.file("de.rul"), "");
                    ASSERT_EQ(::truncate(dir.file("de.rul").c_str(), (off_t(256) << 20) + 1), 0);
                },
                {"--rules", "@DIR/de.rul", "@IN", "@OUT"}, 2,
                "Cannot read file. (Cannot read \"@DIR/de.rul\": it holds more than 256 MiB, the most atnlingo "
                "reads)\n" NO_RULES, kWithRules},
        CliCase{"RulesWithoutPaths", nullptr, {"--rules"}, 2, RULES_USAGE, kInput},
        CliCase{"RulesWithOnePath", withRules, {"--rules", "@DIR/de.rul", "@IN"}, 2, RULES_USAGE, kWithRules},
        CliCase{"RulesJsonWithoutDryRun", withRules, {"--rules", "@DIR/de.rul", "--json", "@IN", "@OUT"}, 2, RULES_USAGE,
                kWithRules},
        CliCase{"RulesDryRunOfTwoPaths", withRules, {"--rules", "@DIR/de.rul", "--dry-run", "@IN", "@OUT"}, 2, RULES_USAGE,
                kWithRules},
        CliCase{"RulesDryRunIntoAFolder", withRules, {"--rules", "@DIR/de.rul", "--dry-run", "--output-dir", "@DIR", "@IN"},
                2, RULES_USAGE, kWithRules},
        CliCase{"RulesFolderWithoutInputs", withRules, {"--rules", "@DIR/de.rul", "--output-dir", "@DIR"}, 2, RULES_USAGE,
                kWithRules},
        CliCase{"DryRun", listedFiles, {"--rules", "@DIR/de.rul", "--dry-run", "@IN"}, 0,
                "  OFFSET  LAYOUT  ROLE                BEFORE \u2192 AFTER\n"
                "     122  BE      layer name          \"Background\" \u2192 \"XYackground\"\n"
                "1 of 5 stored texts would change.\n", kListed},
        // Options may stand before --rules. The JSON stands alone on standard output, the console
        // text follows on standard error.
        CliCase{"ExactDryRunJson", listedFiles, {"--exact", "--dry-run", "--rules", "@DIR/de.rul", "--json", "@IN"}, 0,
                "\"wellFormed\": true,\n  \"wouldWrite\": true,\n  \"storedTexts\": 5,\n  \"changes\": [\n"
                "    {\"offset\": 122, \"layout\": \"be\", \"role\": \"referenceName\", \"before\": \"Background\", "
                "\"after\": \"XYackground\"}\n  ],\n  \"rules\": [\n"
                "    {\"search\": \"B\", \"replacement\": \"XY\", \"rewrittenTexts\": 1}\n  ]\n}\n"
                "Opening input file: @IN\n", kListed},
        CliCase{"ExactDryRunOfAFileThatIsNotWellFormed", withRules, {"--rules", "@DIR/de.rul", "--exact", "--dry-run", "@IN"},
                1, "No stored texts are listed: the input is not a well-formed action file.\n", kWithRules},
        // Exact translation refuses a text that would outgrow what a stored text may hold.
        CliCase{"ExactTextTooLongToStore",
                [](const TempDir &dir) {
                    listedFiles(dir);
                    writeText(dir.file("de.rul"), "1;B;" + std::string(0x100000, 'x') + ";\n");
                },
                {"--rules", "@DIR/de.rul", "--exact", "@IN", "@OUT"}, 1,
                "Error: The text stored at offset 122 would become longer than a stored text may be.\nNot translated: ",
                kListed},
        CliCase{"BatchIntoAMissingFolder", withRules, {"--rules", "@DIR/de.rul", "--output-dir", "@DIR/missing", "@IN"}, 2,
                "Not translated: The output folder \"@DIR/missing\" is missing or not a folder. Nothing was written.\n",
                kWithRules},
        CliCase{"BatchOfTwoInputsOfOneName", withRules,
                {"--rules", "@DIR/de.rul", "--output-dir", "@DIR", "@IN", "@DIR/./in.atn"}, 2,
                "Not translated: \"@IN\" and \"@DIR/./in.atn\" have the same file name, so their outputs would be the "
                "same file. Nothing was written.\n", kWithRules},

        // The listing shows what was read before the fault, then the fault.
        CliCase{"List", listedFiles, {"--list", "@DIR/bad.atn"}, 1,
                "@DIR/bad.atn: not well-formed, version 16, 1 action, 1 event, 7 stored strings (2 empty, not listed)\n"
                "  OFFSET  LAYOUT  ROLE                TEXT\n"
                "       4  BE      set name            \"Set\"\n"
                "      27  BE      action name         \"Act\"\n"
                "     122  BE      layer name          \"Background\"\n"
                "     172  LE      file path           \"/tmp/夕焼け.jpg\"\n"
                "     214  BE      text value          \"say \\\"hi\\\"\\\\\\n\"\n"
                "Error: @DIR/bad.atn is not a well-formed action file: at offset 240: expected the end of the file, "
                "found 1 more bytes\n", kListed},
        CliCase{"ListOfTwoFiles", nullptr, {"--list", "@IN", "@IN"}, 2, "Usage: atnlingo --list [--json] FILE\n", kInput},
        CliCase{"ListMissingFile", nullptr, {"--list", "@DIR/missing.atn"}, 1,
                "Error: Cannot read \"@DIR/missing.atn\": No such file or directory\n", kInput},
        CliCase{"Check", listedFiles, {"--check", "@IN"}, 0,
                "@IN: well-formed, version 16, 1 action, 1 event, 7 stored strings\n", kListed},
        CliCase{"CheckFailsIfAnyIsNotWellFormed", listedFiles, {"--check", "@DIR/bad.atn", "@DIR/missing.atn", "@IN"}, 1,
                "@DIR/bad.atn: not well-formed: at offset 240: expected the end of the file, found 1 more bytes\n"
                "@IN: well-formed, version 16, 1 action, 1 event, 7 stored strings\n"
                "Error: Cannot read \"@DIR/missing.atn\": No such file or directory\n", kListed},
        CliCase{"CheckWithoutFiles", nullptr, {"--check"}, 2, "Usage: atnlingo --check FILE...\n", kInput}),
    [](const auto &test) { return std::string(test.param.name); });

// The whole console text of a translation in place by a rule file, with the
// lenient option among the options; each rule works on what the one before made.
TEST(CliFiles, TranslatesInPlaceAndPrintsTheConsoleText)
{
    TempDir dir;
    const std::string input = dir.file("in.atn"), rules = dir.file("de.rul");
    writeBytes(input, kAtn);
    writeText(rules, std::string(kRules) + "1;XY;Z;\n");
    const auto run = runProgram({"--rules", rules, "--lenient-le", input, input});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "Lenient little-endian handling is on: the header checks of little-endian strings are "
                       "skipped.\nMade a backup of the input file: \"" + input + ".bak\"\nOpening input file: " +
                           input + "\nRead 18 bytes.\nThe input is not a well-formed action file (at offset 0: "
                           "expected version 16, found 287454020), so the translated file is not checked.\n"
                           "Replacing \"B\" with \"XY\"\n1 stored text rewritten.\nReplacing \"XY\" with \"Z\"\n"
                           "1 stored text rewritten.\nOpening output file: " + input + "\nWriting 18 bytes.\n"
                           "Translated: 2 stored texts rewritten by 2 of 2 rules, written to \"" + input + "\".\nDone.\n");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(toHex(readBytes(input)), "11 22 33 44 00 00 00 04 00 41 00 5A 00 43 00 00 55 66");
    EXPECT_EQ(toHex(readBytes(input + ".bak")), toHex(kAtn));
}

// A batch goes on after an input it cannot translate (exactly, here), whose
// old output stays; an input that is its own output is backed up first.
TEST(CliFiles, BatchGoesOnAfterAFailingInput)
{
    TempDir dir;
    const std::string folder = dir.file("de"), rules = dir.file("de.rul");
    ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
    writeText(rules, kRules);
    writeBytes(dir.file("in.atn"), listedFile());
    writeBytes(dir.file("broken.atn"), kAtn);
    writeText(folder + "/broken.atn", "precious");
    writeBytes(folder + "/self.atn", listedFile());
    const auto run = runProgram({"--rules", rules, "--exact", "--output-dir", folder, dir.file("in.atn"),
                                 dir.file("broken.atn"), folder + "/self.atn"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.out.ends_with("Translated 2 of 3 files.\n")) << run.out;

    ASSERT_EQ(runProgram({"--rules", rules, "--exact", dir.file("in.atn"), dir.file("single.atn")}).exitCode, 0);
    EXPECT_EQ(TempDir::entriesOf(folder), (Entries{"broken.atn", "in.atn", "self.atn", "self.atn.bak"}));
    EXPECT_EQ(readBytes(folder + "/in.atn"), readBytes(dir.file("single.atn")));
    EXPECT_EQ(readBytes(folder + "/self.atn"), readBytes(dir.file("single.atn")));
    EXPECT_EQ(readBytes(folder + "/self.atn.bak"), listedFile());
    EXPECT_EQ(readText(folder + "/broken.atn"), "precious");
}

// A real file system of 64 KiB fills up: a tmpfs in a mount namespace of the
// child process's own, so nothing outside the child sees it.
TEST(CliFiles, FullFileSystem)
{
    constexpr int kUnsupported = 77;
    TempDir inputs, mountPoint;
    std::vector<std::uint8_t> big(1 << 20, 0x11);
    std::copy(kAtn.begin(), kAtn.end(), big.begin());
    writeBytes(inputs.file("in.atn"), big);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0
            || ::mount("tmpfs", mountPoint.path().c_str(), "tmpfs", 0, "size=65536") != 0)
            ::_exit(kUnsupported);
        const std::string output = mountPoint.file("out.atn");
        writeText(output, "precious");
        const auto run = runProgram({inputs.file("in.atn"), output, "B", "XY"});
        const std::string refusal = "Cannot write \"" + output + "\": No space left on device\nNot translated: ";
        const bool full = run.exitCode == 1 && run.out.find(refusal) != std::string::npos
                          && readText(output) == "precious" && mountPoint.entries() == Entries{"out.atn"};
        ::_exit(full ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    if (WIFEXITED(status) && WEXITSTATUS(status) == kUnsupported)
        GTEST_SKIP() << "cannot mount a small tmpfs here (needs root and mount namespaces); "
                        "the engine tests inject the same faults";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
}

} // namespace
