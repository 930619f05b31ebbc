#include "cli.h"

#include <string_view>

#include "engine/backup.h"
#include "engine/console.h"
#include "engine/translation.h"

std::string_view englishStringsSource(); // generated from resources/strings/en.strings

namespace cli {
namespace {

constexpr std::string_view kVersion = "atnlingo 0.1.0";

constexpr std::string_view kUsage =
    "Usage: atnlingo [--lenient-le] INPUT OUTPUT SEARCH REPLACEMENT [SEARCH REPLACEMENT ...]\n"
    "\n"
    "Translates the texts stored in the ATN action file INPUT and writes the result\n"
    "to OUTPUT. Each SEARCH text is replaced by the REPLACEMENT text that follows it,\n"
    "pair by pair, inside the file's stored strings (big-endian and little-endian\n"
    "UTF-16); the length fields of every rewritten string are corrected.\n"
    "\n"
    "  --lenient-le   skip the header checks of little-endian strings\n"
    "                 (only as the first argument)\n"
    "\n"
    "When OUTPUT is the same file as INPUT, INPUT is first copied to INPUT.bak\n"
    "(or INPUT.bak.1, INPUT.bak.2, ... when that name is taken).\n"
    "\n"
    "Exit status: 0 written, 1 a pair, the input, the backup or the write failed,\n"
    "2 malformed arguments.\n"
    "\n"
    "  atnlingo -h, --help     show this text\n"
    "  atnlingo --version      show the version\n";

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
    return translate(args, out, err);
}

} // namespace cli
