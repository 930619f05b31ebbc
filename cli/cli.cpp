#include "cli.h"

#include <map>
#include <span>
#include <string_view>
#include <utility>

#include "filelisting.h"
#include "rulesoption.h"

#include "engine/console.h"
#include "translation/driver.h"

// Generated from the windows' English string table.
std::span<const std::pair<std::string_view, std::string_view>> englishStringEntries();

namespace cli {
namespace {

constexpr std::string_view kVersion = "atnlingo " ATNLINGO_VERSION;

constexpr std::string_view kNoRulesKey =
    "Your RUL-file is empty or has no enabled items inside!\nPlease setup some Rules and enable [x] these!";

constexpr std::string_view kUsage =
    "Usage: atnlingo [--exact] [--lenient-le] INPUT OUTPUT SEARCH REPLACEMENT [SEARCH REPLACEMENT ...]\n"
    "       atnlingo --rules RULFILE [--exact] [--lenient-le] INPUT OUTPUT\n"
    "       atnlingo --rules RULFILE [--exact] [--lenient-le] --dry-run [--json] INPUT\n"
    "       atnlingo --rules RULFILE [--exact] [--lenient-le] --output-dir DIR INPUT...\n"
    "\n"
    "Translates the texts stored in the ATN action file INPUT and writes the result\n"
    "to OUTPUT. Each SEARCH text is replaced by the REPLACEMENT text that follows it,\n"
    "pair by pair, inside the file's stored strings (big-endian and little-endian\n"
    "UTF-16); the length fields of every rewritten string are corrected.\n"
    "\n"
    "  --rules RULFILE   take the pairs from the enabled rules of the rule file\n"
    "                    RULFILE (lines FLAG;SEARCH;REPLACEMENT; with FLAG 1 or 0)\n"
    "                    instead of the command line; its other options stand\n"
    "                    before or after it, in any order\n"
    "  --exact           translate exactly the texts the file's structure declares,\n"
    "                    instead of scanning its bytes (well-formed files only;\n"
    "                    first of all arguments in the first form)\n"
    "  --lenient-le      skip the header checks of little-endian strings\n"
    "                    (only before INPUT)\n"
    "  --dry-run         translate INPUT in memory only and print each stored text\n"
    "                    that would change: offset, layout, role, the text before\n"
    "                    and after; nothing is written\n"
    "  --json            print JSON for programs (with --dry-run or --list; the\n"
    "                    console lines of a dry run go to standard error then)\n"
    "  --output-dir DIR  translate each INPUT to DIR/<its file name>, one after\n"
    "                    the other, each with its own transcript\n"
    "\n"
    "When OUTPUT is the same file as INPUT, INPUT is first copied to INPUT.bak\n"
    "(or INPUT.bak.1, INPUT.bak.2, ... when that name is taken); the copy is\n"
    "removed again when INPUT ends up unchanged.\n"
    "\n"
    "Exit status: 0 written (all files, with --output-dir; a dry run: would be);\n"
    "1 the input, the backup or the write failed, the translated action file would\n"
    "no longer be well-formed (then OUTPUT is not written), or --exact met an input\n"
    "that is not; 2 malformed arguments, a pair that cannot be used, a rule file\n"
    "without enabled rules, or with --output-dir a DIR that is not a folder or two\n"
    "INPUTs with the same file name (nothing is touched then).\n"
    "\n"
    "  atnlingo --list [--json] FILE   list the texts stored in FILE\n"
    "  atnlingo --check FILE...        tell whether each FILE is a well-formed\n"
    "                                  action file (exit status 1 if one is not)\n"
    "  atnlingo -h, --help             show this text\n"
    "  atnlingo --version              show the version\n";

constexpr std::string_view kExactOption = "--exact";

// [--exact] [--lenient-le] INPUT OUTPUT SEARCH REPLACEMENT ...: "--exact" only
// as the very first argument, the rest as the driver takes it.
int translate(std::vector<std::string> parameters, std::ostream &out, std::ostream &err)
{
    translation::Mode mode = translation::Mode::ByteScan;
    if (!parameters.empty() && parameters[0] == kExactOption) {
        mode = translation::Mode::Exact;
        parameters.erase(parameters.begin());
    }
    engine::StreamConsole console(out);
    const translation::Outcome outcome = translation::processTranslation(parameters, console, englishTable(), mode);
    out.flush();
    return exitStatus(outcome, out, err);
}

} // namespace

int exitStatus(const translation::Outcome &outcome, std::ostream &out, std::ostream &err)
{
    switch (outcome.refusal) {
    case translation::Outcome::Refusal::None:
        break;
    case translation::Outcome::Refusal::MalformedParameters:
        err << "Try 'atnlingo --help'.\n";
        return Usage;
    case translation::Outcome::Refusal::NoPairs:
        err << englishTable().text(kNoRulesKey) << '\n';
        return Usage;
    case translation::Outcome::Refusal::InvalidPair:
        err << outcome.summary << "\nTry 'atnlingo --help'.\n";
        return Usage;
    case translation::Outcome::Refusal::BackupFailed:
        out << engine::backupFailureLine(outcome.backup) << std::flush;
        return Failure;
    }
    return outcome.succeeded() ? Success : Failure;
}

const engine::StringTable &englishTable()
{
    static const engine::MapStringTable table = [] {
        std::map<std::string, std::string, std::less<>> entries;
        for (const auto &[key, text] : englishStringEntries())
            entries.emplace(key, text);
        return engine::MapStringTable(std::move(entries));
    }();
    return table;
}

int run(const std::vector<std::string> &args, std::ostream &out, std::ostream &err)
{
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        out << kUsage;
        return Success;
    }
    if (args.size() == 1 && args[0] == "--version") {
        out << kVersion << '\n';
        return Success;
    }
    if (!args.empty() && args[0] == "--rules")
        return translateByRules(args, out, err);
    if (const auto moved = rulesMovedFirst(args))
        return translateByRules(*moved, out, err);
    if (!args.empty() && args[0] == "--list")
        return listStrings({args.begin() + 1, args.end()}, out, err);
    if (!args.empty() && args[0] == "--check")
        return checkFiles({args.begin() + 1, args.end()}, out, err);
    return translate(args, out, err);
}

} // namespace cli
