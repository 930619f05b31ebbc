#include "cli.h"

#include <iterator>
#include <string_view>

#include "filelisting.h"

#include "engine/backup.h"
#include "engine/console.h"
#include "engine/translation.h"
#include "rules/diagnosticlog.h"
#include "rules/rulefile.h"

std::string_view englishStringsSource(); // generated from resources/strings/en.strings

namespace cli {
namespace {

constexpr std::string_view kVersion = "atnlingo 0.1.0";

constexpr std::string_view kNoRulesKey =
    "Your RUL-file is empty or has no enabled items inside!\nPlease setup some Rules and enable [x] these!";

constexpr std::string_view kUsage =
    "Usage: atnlingo [--lenient-le] INPUT OUTPUT SEARCH REPLACEMENT [SEARCH REPLACEMENT ...]\n"
    "       atnlingo --rules RULFILE [--lenient-le] INPUT OUTPUT\n"
    "\n"
    "Translates the texts stored in the ATN action file INPUT and writes the result\n"
    "to OUTPUT. Each SEARCH text is replaced by the REPLACEMENT text that follows it,\n"
    "pair by pair, inside the file's stored strings (big-endian and little-endian\n"
    "UTF-16); the length fields of every rewritten string are corrected.\n"
    "\n"
    "  --rules RULFILE  take the pairs from the enabled rules of the rule file\n"
    "                   RULFILE (lines FLAG;SEARCH;REPLACEMENT; with FLAG 1 or 0)\n"
    "                   instead of the command line\n"
    "  --lenient-le     skip the header checks of little-endian strings\n"
    "                   (only before INPUT)\n"
    "\n"
    "When OUTPUT is the same file as INPUT, INPUT is first copied to INPUT.bak\n"
    "(or INPUT.bak.1, INPUT.bak.2, ... when that name is taken).\n"
    "\n"
    "Exit status: 0 written, 1 a pair, the input, the backup or the write failed,\n"
    "or the translated action file would no longer be well-formed (then OUTPUT is\n"
    "not written), 2 malformed arguments, or a rule file without enabled rules\n"
    "(nothing is touched then).\n"
    "\n"
    "  atnlingo --list [--json] FILE   list the texts stored in FILE\n"
    "  atnlingo --check FILE...        tell whether each FILE is a well-formed\n"
    "                                  action file (exit status 1 if one is not)\n"
    "  atnlingo -h, --help             show this text\n"
    "  atnlingo --version              show the version\n";

int translate(const std::vector<std::string> &parameters, std::ostream &out, std::ostream &err)
{
    const engine::ParameterLayout layout = engine::parameterLayout(parameters);
    if (layout.problem == engine::ParameterLayout::Problem::None) {
        const engine::BackupResult backup =
            engine::backupIfSameFile(parameters[layout.inputIndex], parameters[layout.outputIndex]);
        if (backup.status == engine::BackupResult::Status::Failed) {
            out << engine::backupFailureLine(backup) << std::flush;
            return Failure;
        }
    }
    engine::StreamConsole console(out);
    const engine::TranslationOutcome outcome = engine::processTranslation(parameters, console, englishTable());
    out.flush();
    if (!outcome.parametersOk) {
        err << "Try 'atnlingo --help'.\n";
        return Usage;
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

// --rules RULFILE [--lenient-le] INPUT OUTPUT: the pairs come from the file.
// The rules are read before anything else, so that a file without enabled
// rules leaves every file as it was, the input's backup included.
int translateByRules(const std::vector<std::string> &args, std::ostream &out, std::ostream &err)
{
    const bool lenient = args.size() > 2 && args[2] == engine::kLenientOption;
    if (args.size() != (lenient ? 5u : 4u)) {
        err << "Usage: atnlingo --rules RULFILE [--lenient-le] INPUT OUTPUT\n"
               "Try 'atnlingo --help'.\n";
        return Usage;
    }
    std::vector<std::string> parameters(args.begin() + 2, args.end());
    std::vector<std::string> pairs;
    {
        LogToStream log(err);
        pairs = rules::processRuleFile(args[1]);
    }
    if (pairs.empty()) {
        err << englishTable().text(kNoRulesKey) << '\n';
        return Usage;
    }
    parameters.insert(parameters.end(), std::make_move_iterator(pairs.begin()), std::make_move_iterator(pairs.end()));
    return translate(parameters, out, err);
}

} // namespace

const engine::StringTable &englishTable()
{
    static const engine::MapStringTable table = [] {
        auto parsed = engine::parseStringsTable(englishStringsSource());
        return parsed ? std::move(*parsed) : engine::MapStringTable();
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
