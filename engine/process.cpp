#include "process.h"

#include <cstring>
#include <optional>
#include <string>

#include "builder.h"
#include "bytescan.h"
#include "content.h"
#include "encodedtext.h"
#include "messages.h"
#include "nullunits.h"
#include "startsearch.h"

namespace engine {
namespace {

using detail::BE;
using detail::Bytes;
using detail::Content;
using detail::EncodedText;
using detail::Input;
using detail::LE;
using detail::Order;
using detail::Plan;

std::string decimal(std::int64_t p)
{
    return std::to_string(p);
}

constexpr std::int64_t kCopyWindow = 64 << 10;

// Passes the lines on and counts them.
class CountingConsole final : public Console {
public:
    CountingConsole(Console &out, std::size_t &lines) : m_out(out), m_lines(lines) {}
    void printout(std::string_view text) override
    {
        m_out.printout(text);
        ++m_lines;
    }
    void print(const Message &message) override
    {
        m_out.print(message);
        ++m_lines;
    }

private:
    Console &m_out;
    std::size_t &m_lines;
};

// Runs the scan over `content`, whose input it reads, and tells in `report`
// what it did.
void rewriteAll(Input input, Content &content, const EncodedText &search, const EncodedText &replacement,
                bool lenient, Console &out, ProcessReport &report)
{
    CountingConsole console(out, report.problems);
    const auto size = static_cast<std::int64_t>(input.size());
    const auto n = static_cast<std::int64_t>(search.be.size());
    const auto m = static_cast<std::int64_t>(replacement.be.size());
    const std::int64_t d = m - n;
    // Scan positions p satisfy p < L - n for the current length L, which in
    // input positions is one fixed bound.
    const std::int64_t limit = size - n;
    if (limit <= 0)
        return;

    const detail::Needle needle{search.be.data(), search.le.data(), std::size_t(n)};
    const std::uint8_t *data = input.data();
    detail::NullUnits nulls(input);
    detail::StartSearch startSearch(n, d, lenient);

    // i: the scan position in the input; p = i + shift in the content.
    std::int64_t i = 0;
    std::int64_t lastStart = -1; // of the last rewrite, in content positions
    while (i < limit) {
        // Once a result is being built, the input goes into it in windows
        // right after they are scanned, while they are still in the cache.
        const std::int64_t window = content.building() ? std::min(limit, i + kCopyWindow) : limit;
        i = std::int64_t(detail::findEither(data, std::size_t(i), std::size_t(window), needle));
        if (i >= window) {
            if (window == limit)
                break;
            content.copyUpTo(window);
            continue;
        }
        const std::int64_t shift = content.shift();
        detail::Match match;
        match.p = i + shift;
        match.inputAt = i;
        const std::int64_t p = match.p;

        std::int64_t pos[2] = {-1, -1};
        const Order first = std::memcmp(data + i, search.be.data(), std::size_t(n)) == 0 ? BE : LE;
        match.first = first;
        pos[first] = p;
        const Order second = detail::other(first);
        if (i + 1 < limit && std::memcmp(data + i + 1, search.in(second).data(), std::size_t(n)) == 0)
            pos[second] = p + 1;

        for (Order order : {BE, LE}) {
            if (pos[order] == -1)
                continue;
            const std::int64_t null = nulls.find(pos[order] - shift + n);
            if (null >= 0)
                match.end[order] = null + 2 + shift;
        }
        if (match.end[BE] == -1 && match.end[LE] == -1) {
            console.print({messages::kNoEndingNull, {decimal(p)}});
            ++i;
            continue;
        }

        const detail::Starts starts = startSearch.find(content, match, console);
        if (starts.at[BE] == -1 && starts.at[LE] == -1) {
            console.print({messages::kNoStart, {decimal(p)}});
            report.stoppedAt = p;
            break;
        }

        const Order order = starts.at[LE] >= 0 ? LE : BE;
        const std::int64_t s = starts.at[order];
        const std::int64_t q = pos[order];
        content.rewrite(q, replacement.in(order), s, order, (match.end[order] - s - 4 + d) >> 1);
        startSearch.rewritten(s, order, q);
        ++report.rewrites;
        // Rewrites go up through the content, so those of one stored string
        // follow each other, with the same start.
        report.rewrittenStrings += s != lastStart;
        lastStart = s;
        // Go on just after the replacement, which is the input just after the match.
        i = q + m - content.shift();
    }
}

// The result of a scan that planned its rewrites, in new memory.
Bytes planned(const Plan &plan, std::int64_t inputSize)
{
    Bytes result;
    result.reserve(capacityForRewrites(plan.resultSize()));
    detail::adviseHugePages(result.data(), result.capacity());
    plan.appendTo(result, inputSize);
    return result;
}

} // namespace

void checkTexts(std::string_view searchString, std::string_view replacementString)
{
    (void)detail::checkedTexts(searchString, replacementString);
}

std::size_t capacityForRewrites(std::size_t size)
{
    return size + size / 4 + (64 << 10);
}

std::vector<std::uint8_t> process(const std::vector<std::uint8_t> &buffer,
                                  std::string_view searchString,
                                  std::string_view replacementString,
                                  bool lenientLittleEndianHandling,
                                  Console &console,
                                  ProcessReport *report)
{
    const detail::Texts texts = detail::checkedTexts(searchString, replacementString);
    const Input input(buffer);
    // The result is new memory anyway: it is built as the scan goes.
    Content content(input, texts.search, texts.replacement, false, nullptr, 0);
    ProcessReport tally;
    rewriteAll(input, content, texts.search, texts.replacement, lenientLittleEndianHandling, console, tally);
    if (report != nullptr)
        *report = tally;
    return content.rewritten() ? std::move(content).finishBuilding() : buffer;
}

std::vector<std::uint8_t> process(std::vector<std::uint8_t> &&buffer,
                                  std::string_view searchString,
                                  std::string_view replacementString,
                                  bool lenientLittleEndianHandling,
                                  Console &console,
                                  ProcessReport *report)
{
    const detail::Texts texts = detail::checkedTexts(searchString, replacementString);
    const Input input(buffer);
    // The rewrites are made in the buffer as the scan goes, as far as they
    // can be; taken back if anything fails.
    Content content(input, texts.search, texts.replacement, true, buffer.data(), buffer.capacity() - buffer.size());
    std::optional<Bytes> elsewhere; // a result in new memory
    ProcessReport tally;
    try {
        rewriteAll(input, content, texts.search, texts.replacement, lenientLittleEndianHandling, console, tally);
        if (content.building())
            elsewhere = std::move(content).finishBuilding();
        else if (content.rewritten() && content.plan().resultSize() > buffer.capacity())
            elsewhere = planned(content.plan(), std::int64_t(buffer.size()));
        else
            content.prepareToApply();
    } catch (...) {
        content.undo();
        throw;
    }
    if (report != nullptr)
        *report = tally;
    if (elsewhere) {
        Bytes().swap(buffer);
        return std::move(*elsewhere);
    }
    if (content.rewritten())
        content.applyTo(buffer);
    return std::move(buffer);
}

} // namespace engine
