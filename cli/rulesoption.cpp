#include "rulesoption.h"

#include <optional>

#include "cli.h"
#include "filelisting.h"

#include "engine/console.h"
#include "rules/diagnosticlog.h"
#include "translation/batch.h"
#include "translation/driver.h"
#include "translation/dryrun.h"

namespace cli {
namespace {

constexpr std::string_view kRulesUsage =
    "Usage: atnlingo --rules RULFILE [--exact] [--lenient-le] INPUT OUTPUT\n"
    "       atnlingo --rules RULFILE [--exact] [--lenient-le] --dry-run [--json] INPUT\n"
    "       atnlingo --rules RULFILE [--exact] [--lenient-le] --output-dir DIR INPUT...\n"
    "Try 'atnlingo --help'.\n";

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

struct Arguments {
    translation::Request request;
    bool dryRun = false;
    bool json = false;
    std::optional<std::string> outputFolder;
    std::vector<std::string> paths;

    [[nodiscard]] bool isValid() const
    {
        if (dryRun)
            return !outputFolder && paths.size() == 1;
        if (json)
            return false;
        return outputFolder ? !paths.empty() : paths.size() == 2;
    }
};

std::optional<Arguments> parse(const std::vector<std::string> &args)
{
    if (args.size() < 2)
        return std::nullopt;
    Arguments parsed;
    parsed.request.ruleFile = args[1];
    for (std::size_t i = 2; i < args.size(); ++i) {
        const std::string &arg = args[i];
        if (!parsed.paths.empty())
            parsed.paths.push_back(arg);
        else if (arg == "--exact")
            parsed.request.mode = translation::Mode::Exact;
        else if (arg == translation::kLenientOption)
            parsed.request.lenient = true;
        else if (arg == "--dry-run")
            parsed.dryRun = true;
        else if (arg == "--json")
            parsed.json = true;
        else if (arg == "--output-dir" && i + 1 < args.size() && !parsed.outputFolder)
            parsed.outputFolder = args[++i];
        else
            parsed.paths.push_back(arg);
    }
    if (!parsed.isValid())
        return std::nullopt;
    return parsed;
}

void printChanges(const translation::DryRun &dry, std::ostream &out)
{
    if (!dry.inputWellFormed) {
        out << "No stored texts are listed: the input is not a well-formed action file.\n";
        return;
    }
    if (!dry.wouldWrite) {
        out << "No stored texts are listed: the translation would not be written.\n";
        return;
    }
    if (!dry.changes.empty())
        out << tableHeader() << "BEFORE \u2192 AFTER\n";
    for (const translation::TextChange &change : dry.changes)
        out << tableColumns(change.before) << quoted(change.before.text) << " \u2192 " << quoted(change.after) << "\n";
    out << dry.changes.size() << " of " << dry.storedTexts << " stored texts would change.\n";
}

void printJson(const std::string &path, const translation::DryRun &dry, std::ostream &out)
{
    out << "{\n  \"file\": " << quoted(path) << ",\n  \"wellFormed\": " << (dry.inputWellFormed ? "true" : "false")
        << ",\n  \"wouldWrite\": " << (dry.wouldWrite ? "true" : "false") << ",\n  \"storedTexts\": "
        << dry.storedTexts << ",\n  \"changes\": [";
    const char *separator = "\n";
    for (const translation::TextChange &c : dry.changes) {
        out << separator << "    {\"offset\": " << c.before.offset << ", \"layout\": \"" << layoutName(c.before.layout)
            << "\", \"role\": \"" << roleName(c.before.role) << "\", \"before\": " << quoted(c.before.text)
            << ", \"after\": " << quoted(c.after) << "}";
        separator = ",\n";
    }
    out << (dry.changes.empty() ? "]" : "\n  ]") << ",\n  \"rules\": [";
    separator = "\n";
    for (const translation::PairOutcome &p : dry.outcome.pairs) {
        out << separator << "    {\"search\": " << quoted(p.pair.search) << ", \"replacement\": "
            << quoted(p.pair.replacement) << ", \"rewrittenTexts\": " << p.rewrittenTexts << "}";
        separator = ",\n";
    }
    out << (dry.outcome.pairs.empty() ? "]" : "\n  ]") << "\n}\n";
}

int dryRun(const Arguments &args, std::ostream &out, std::ostream &err)
{
    translation::Request request = args.request;
    request.input = args.paths.front();
    // JSON stands alone on standard output.
    engine::StreamConsole console(args.json ? err : out);
    const translation::DryRun dry = translation::dryRun(request, console, englishTable());
    if (!dry.outcome.started() || !dry.outcome.inputRead)
        return exitStatus(dry.outcome, out, err);
    if (args.json)
        printJson(request.input, dry, out);
    else
        printChanges(dry, out);
    out.flush();
    return dry.succeeded() ? Success : Failure;
}

int batch(const Arguments &args, std::ostream &out, std::ostream &err)
{
    const translation::BatchRequest request{.inputs = args.paths,
                                            .outputFolder = *args.outputFolder,
                                            .ruleFile = args.request.ruleFile,
                                            .pairs = {},
                                            .lenient = args.request.lenient,
                                            .mode = args.request.mode};
    engine::StreamConsole console(out);
    const translation::BatchOutcome outcome = translation::runBatch(request, console, englishTable());
    out.flush();
    using Refusal = translation::BatchOutcome::Refusal;
    switch (outcome.refusal) {
    case Refusal::None:
        return outcome.succeeded() ? Success : Failure;
    case Refusal::NoPairs:
    case Refusal::InvalidPair: {
        translation::Outcome refused;
        refused.refusal = outcome.refusal == Refusal::NoPairs ? translation::Outcome::Refusal::NoPairs
                                                              : translation::Outcome::Refusal::InvalidPair;
        refused.summary = outcome.summary;
        return exitStatus(refused, out, err);
    }
    case Refusal::NoFolder:
    case Refusal::SameName:
        break;
    }
    err << outcome.summary << "\n";
    return Usage;
}

} // namespace

std::optional<std::vector<std::string>> rulesMovedFirst(const std::vector<std::string> &args)
{
    std::size_t i = 0;
    while (i < args.size()) {
        const std::string &arg = args[i];
        if (arg == "--exact" || arg == translation::kLenientOption || arg == "--dry-run" || arg == "--json")
            ++i;
        else if (arg == "--output-dir" && i + 1 < args.size())
            i += 2;
        else
            break;
    }
    if (i == 0 || i + 1 >= args.size() || args[i] != "--rules")
        return std::nullopt;
    std::vector<std::string> moved{args[i], args[i + 1]};
    moved.insert(moved.end(), args.begin(), args.begin() + std::ptrdiff_t(i));
    moved.insert(moved.end(), args.begin() + std::ptrdiff_t(i + 2), args.end());
    return moved;
}

int translateByRules(const std::vector<std::string> &args, std::ostream &out, std::ostream &err)
{
    const std::optional<Arguments> parsed = parse(args);
    if (!parsed) {
        err << kRulesUsage;
        return Usage;
    }
    const LogToStream log(err);
    if (parsed->dryRun)
        return dryRun(*parsed, out, err);
    if (parsed->outputFolder)
        return batch(*parsed, out, err);
    translation::Request request = parsed->request;
    request.input = parsed->paths[0];
    request.output = parsed->paths[1];
    engine::StreamConsole console(out);
    const translation::Outcome outcome = translation::run(request, console, englishTable());
    out.flush();
    return exitStatus(outcome, out, err);
}

} // namespace cli
