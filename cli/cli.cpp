#include "cli.h"

#include <map>
#include <span>
#include <string_view>
#include <utility>

#include "filelisting.h"

#include "engine/console.h"
#include "rules/diagnosticlog.h"
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
    "\n"
    "Translates the texts stored in the ATN action file INPUT and writes the result\n"
    "to OUTPUT. Each SEARCH text is replaced by the REPLACEMENT text that follows it,\n"
    "pair by pair, inside the file's stored strings (big-endian and little-endian\n"
    "UTF-16); the length fields of every rewritten string are corrected.\n"
    "\n"
    "  --rules RULFILE  take the pairs from the enabled rules of the rule file\n"
    "                   RULFILE (lines FLAG;SEARCH;REPLACEMENT; with FLAG 1 or 0)\n"
    "                   instead of the command line\n"
    "  --exact          translate exactly the texts the file's structure declares,\n"
    "                   instead of scanning its bytes (well-formed files only;\n"
    "                   first of all arguments in the first form)\n"
    "  --lenient-le     skip the header checks of little-endian strings\n"
    "                   (only before INPUT)\n"
    "\n"
    "When OUTPUT is the same file as INPUT, INPUT is first copied to INPUT.bak\n"
    "(or INPUT.bak.1, INPUT.bak.2, ... when that name is taken); the copy is\n"
    "removed again when INPUT ends up unchanged.\n"
    "\n"
    "Exit status: 0 written; 1 the input, the backup or the write failed, the\n"
    "translated action file would no longer be well-formed (then OUTPUT is not\n"
    "written), or --exact met an input that is not; 2 malformed arguments, a pair\n"
    "that cannot be used, or a rule file without enabled rules (nothing is\n"
    "touched then).\n"
    "\n"    "  atnlingo --list [--json] FILE   list the texts stored in FILE\n"
    "  atnlingo --check FILE...        tell whether each FILE is a well-formed\n"
    "                                  action file (exit status 1 if one is not)\n"
    "  atnlingo -h, --help             show this text\n"
    "  atnlingo --version              show the version\n";

// The exit status of a run, and what the command line adds for one refused.
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

// Sends the rule-file diagnostics to the caller's error stream while alive.
class LogToStream {
public:
    explicit LogToStream(std::ostream &stream)
        : m_previous(rules::setLogSink([&stream](std::string_view message, std::string_view detail) {
              stream << message;
              if (!detail.empty())
                  stream << " (" << detail << ")";
              stream << '\n' << std::flush;
          }))
    {
    }
    ~LogToStream() { rules::setLogSink(std::move(m_previous)); }
    LogToStream(const LogToStream &) = delete;
    LogToStream &operator=(const LogToStream &) = delete;

private:
    rules::LogSink m_previous;
};

constexpr std::string_view kExactOption = "--exact";

// --rules RULFILE [--exact] [--lenient-le] INPUT OUTPUT: the pairs come from
// the file; the two options in either order.
int translateByRules(const std::vector<std::string> &args, std::ostream &out, std::ostream &err)
{
    translation::Request request;
    std::vector<std::string> paths;
    for (std::size_t i = 2; i < args.size(); ++i) {
        if (args[i] == kExactOption && paths.empty())
            request.mode = translation::Mode::Exact;
        else if (args[i] == translation::kLenientOption && paths.empty())
            request.lenient = true;
        else
            paths.push_back(args[i]);
    }
    if (args.size() < 2 || paths.size() != 2) {
        err << "Usage: atnlingo --rules RULFILE [--exact] [--lenient-le] INPUT OUTPUT\n"
               "Try 'atnlingo --help'.\n";
        return Usage;
    }
    request.input = paths[0];
    request.output = paths[1];
    request.ruleFile = args[1];
    const LogToStream log(err);
    engine::StreamConsole console(out);
    const translation::Outcome outcome = translation::run(request, console, englishTable());
    out.flush();
    return exitStatus(outcome, out, err);
}

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
    if (!args.empty() && args[0] == "--list")
        return listStrings({args.begin() + 1, args.end()}, out, err);
    if (!args.empty() && args[0] == "--check")
        return checkFiles({args.begin() + 1, args.end()}, out, err);
    return translate(args, out, err);
}

} // namespace cli
