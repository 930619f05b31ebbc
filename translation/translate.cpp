#include "translate.h"

#include <algorithm>

#include "atnformat/actionfile.h"
#include "atnformat/rewrite.h"
#include "consoletexts.h"
#include "engine/process.h"
#include "engine/runtimeerror.h"

namespace translation {
namespace {

std::string errorLine(const std::string &description, const engine::StringTable &strings)
{
    return engine::formatText(strings.text(QT_TRANSLATE_NOOP("Localizable", "Error %@")), {description});
}

void announce(const Pair &pair, engine::Console &console, const engine::StringTable &strings)
{
    console.printout(engine::formatText(strings.text(QT_TRANSLATE_NOOP("Localizable", "BeginReplacementOf %@ %@")), {pair.search, pair.replacement}));
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
    void print(const engine::Message &message) override
    {
        m_text.append(message.english());
        m_console.print(message);
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

void scan(Translated &t, std::span<const Pair> pairs, bool lenient, engine::Console &console,
          const engine::StringTable &strings)
{
    for (const Pair &pair : pairs) {
        announce(pair, console, strings);
        PairOutcome &outcome = t.pairs.emplace_back(PairOutcome{pair, 0, {}, {}});
        PairConsole pairConsole(console);
        engine::ProcessReport report;
        try {
            t.bytes = engine::process(std::move(t.bytes), pair.search, pair.replacement, lenient, pairConsole, &report);
            outcome.rewrittenTexts = report.rewrittenStrings;
        } catch (const engine::RuntimeError &error) {
            outcome.error = error.description();
        } catch (...) {
            outcome.error = strings.text(QT_TRANSLATE_NOOP("Localizable", "UnknownError"));
        }
        outcome.problems = pairConsole.lines();
        if (outcome.error) {
            console.printout(errorLine(*outcome.error, strings));
            continue;
        }
        console.printout(problemsLine(report, t.inputWellFormed, strings));
        console.printout(countLine(outcome.rewrittenTexts, strings));
    }
}

// The rewrite's own walk tells whether the input is well-formed; it hands
// the buffer back unchanged when it rewrites nothing.
void exact(Translated &t, std::span<const Pair> pairs, engine::Console &console, const engine::StringTable &strings)
{
    std::vector<atnformat::TextPair> textPairs;
    textPairs.reserve(pairs.size());
    for (const Pair &pair : pairs)
        textPairs.push_back({pair.search, pair.replacement});
    atnformat::RewriteResult rewritten = atnformat::replaceTexts(std::move(t.bytes), textPairs);
    t.bytes = std::move(rewritten.bytes);
    // A text the file cannot hold ends the walk early: the rest of the file
    // decides whether the user reads that or that the file does not walk.
    std::optional<atnformat::FormatError> malformed = std::move(rewritten.error);
    if (!malformed && rewritten.refusedAt)
        malformed = atnformat::checkActionFile(t.bytes);
    t.inputWellFormed = !malformed;
    if (malformed) {
        t.failure = engine::formatText(strings.text(QT_TRANSLATE_NOOP("Localizable", "ExactNeedsWellFormed %@")),
                                       {malformed->message()});
        console.printout(errorLine(*t.failure, strings));
        return;
    }
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        announce(pairs[i], console, strings);
        const std::size_t texts = rewritten.textsRewritten[i];
        t.pairs.push_back(PairOutcome{pairs[i], texts, {}, {}});
        console.printout(countLine(texts, strings));
    }
    if (rewritten.refusedAt) {
        t.failure = engine::formatText(strings.text(QT_TRANSLATE_NOOP("Localizable", "TextTooLong %@")),
                                       {std::to_string(*rewritten.refusedAt)});
        console.printout(errorLine(*t.failure, strings));
    }
}

} // namespace

engine::ReadResult readInput(const std::string &path, engine::Console &console, const engine::StringTable &strings)
{
    console.printout(strings.text(QT_TRANSLATE_NOOP("Localizable", "OpenInputFile")) + path + "\n");
    engine::ReadResult input = engine::readFile(path, engine::kMaxReadSize, engine::Room::ForRewrites);
    if (input.ok) {
        console.printout(engine::formatText(strings.text(QT_TRANSLATE_NOOP("Localizable", "ReadInputFile %@")),
                                            {std::to_string(input.bytes.size())}));
    } else {
        console.printout(errorLine(input.message.text(strings), strings));
    }
    return input;
}

std::optional<std::string> checkPair(const Pair &pair)
{
    try {
        engine::checkTexts(pair.search, pair.replacement);
    } catch (const engine::RuntimeError &error) {
        return error.description();
    }
    return std::nullopt;
}

Translated translateBytes(std::vector<std::uint8_t> bytes, std::span<const Pair> pairs, Mode mode, bool lenient,
                          engine::Console &console, const engine::StringTable &strings)
{
    Translated t;
    t.bytes = std::move(bytes);
    if (mode == Mode::Exact) {
        exact(t, pairs, console, strings);
        return t;
    }
    const auto walk = atnformat::checkActionFile(t.bytes);
    t.inputWellFormed = !walk.has_value();
    // Only an input that is itself a well-formed action file can tell whether
    // the translation broke something; anything else is translated unchecked.
    if (walk) {
        console.printout(engine::formatText(strings.text(QT_TRANSLATE_NOOP("Localizable", "Unchecked %@")),
                                            {walk->message()}));
    }
    scan(t, pairs, lenient, console, strings);
    if (t.inputWellFormed) {
        if (const auto broken = atnformat::checkActionFile(t.bytes))
            t.brokenResult = broken->message();
    }
    return t;
}

} // namespace translation
