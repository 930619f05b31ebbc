#include "translationrun.h"

#include <algorithm>
#include <string_view>

#include "atnformat/actionfile.h"
#include "engine/fileio.h"
#include "engine/process.h"
#include "engine/runtimeerror.h"
#include "rules/rulefile.h"

namespace translation {
namespace {

std::vector<Pair> pairsOf(const Request &request)
{
    if (!request.ruleFile)
        return request.pairs;
    const std::vector<std::string> texts = rules::processRuleFile(*request.ruleFile);
    std::vector<Pair> pairs;
    pairs.reserve(texts.size() / 2);
    for (std::size_t i = 0; i + 1 < texts.size(); i += 2)
        pairs.push_back({texts[i], texts[i + 1]});
    return pairs;
}

// Passes everything on and keeps, as lines, what one pair's call printed.
class PairConsole final : public engine::Console {
public:
    explicit PairConsole(engine::Console &console) : m_console(console) {}

    void printout(std::string_view text) override
    {
        m_text.append(text);
        m_console.printout(text);
    }

    [[nodiscard]] std::vector<std::string> lines() const
    {
        std::vector<std::string> lines;
        for (std::size_t at = 0; at < m_text.size();) {
            const std::size_t end = std::min(m_text.find('\n', at), m_text.size());
            lines.push_back(m_text.substr(at, end - at));
            at = end + 1;
        }
        return lines;
    }

private:
    engine::Console &m_console;
    std::string m_text;
};

void apply(const Pair &pair, bool lenient, std::vector<std::uint8_t> &buffer, PairOutcome &outcome,
           engine::Console &console)
{
    PairConsole pairConsole(console);
    engine::ProcessReport report;
    try {
        buffer = engine::process(std::move(buffer), pair.search, pair.replacement, lenient, pairConsole, &report);
        outcome.rewrittenTexts = report.rewrittenStrings;
    } catch (const engine::RuntimeError &error) {
        outcome.error = error.description();
        console.printout("Error: " + error.description() + "\n");
    } catch (...) {
        outcome.error = "Unknown Error";
        console.printout("Error: Unknown Error\n");
    }
    outcome.problems = pairConsole.lines();
}

} // namespace

std::size_t Outcome::failedPairs() const noexcept
{
    return std::size_t(std::count_if(pairs.begin(), pairs.end(), [](const PairOutcome &p) { return p.error.has_value(); }));
}

Outcome run(const Request &request, engine::Console &console, const engine::StringTable &strings)
{
    Outcome outcome;
    const std::vector<Pair> pairs = pairsOf(request);
    if (pairs.empty()) {
        outcome.refusal = Outcome::Refusal::NoPairs;
        return outcome;
    }
    // The input is only ever replaced while a copy of its current content is kept.
    outcome.backup = engine::backupIfSameFile(request.input, request.output);
    if (outcome.backup.status == engine::BackupResult::Status::Failed) {
        outcome.refusal = Outcome::Refusal::BackupFailed;
        return outcome;
    }

    if (request.lenient)
        console.printout(strings.text("llestring"));
    console.printout(strings.text("OpenInputFile") + request.input + "\n");
    engine::ReadResult input = engine::readFile(request.input, engine::kMaxReadSize, engine::Room::ForRewrites);
    if (!input.ok) {
        // Going on with nothing would write an empty file over the output.
        console.printout("Error: " + input.error + "\n");
        outcome.notWrittenReason = input.error;
        console.printout(strings.text("Done"));
        return outcome;
    }
    outcome.inputRead = true;
    std::vector<std::uint8_t> buffer = std::move(input.bytes);
    // Only an input that is itself a well-formed action file can tell whether
    // the translation broke something; anything else is translated unchecked.
    outcome.inputChecked = !atnformat::checkActionFile(buffer).has_value();
    console.printout(engine::formatText(strings.text("ReadInputFile %@"), {std::to_string(buffer.size())}));

    for (const Pair &pair : pairs) {
        console.printout(engine::formatText(strings.text("BeginReplacementOf %@ %@"), {pair.search, pair.replacement}));
        apply(pair, request.lenient, buffer, outcome.pairs.emplace_back(PairOutcome{pair, 0, {}, {}}), console);
    }

    if (outcome.inputChecked) {
        if (const auto broken = atnformat::checkActionFile(buffer)) {
            outcome.notWrittenReason = "The translated file is no longer a well-formed action file (" +
                                       broken->message() + "), so \"" + request.output + "\" was not written.";
            console.printout("Error: " + outcome.notWrittenReason + "\n");
            console.printout(strings.text("Done"));
            return outcome;
        }
    }

    console.printout(strings.text("OpenOutputFile") + request.output + "\n");
    console.printout(engine::formatText(strings.text("WriteOutputFile %@"), {std::to_string(buffer.size())}));
    const engine::WriteResult written = engine::writeFileAtomically(request.output, buffer);
    if (written.ok) {
        outcome.outputWritten = true;
    } else {
        outcome.notWrittenReason = written.error;
        console.printout(written.error + "\n");
    }
    console.printout(strings.text("Done"));
    return outcome;
}

} // namespace translation
