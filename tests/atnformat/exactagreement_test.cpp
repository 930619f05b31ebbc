// The byte scan against the rewriter on generated well-formed files: where the
// scan printed no problem and its result walks, both give the same bytes,
// unless the scan changed bytes outside the stored strings and their length
// fields (found by comparing those bytes before and after).
#include <gtest/gtest.h>

#include <random>

#include "atnformat/actionfile.h"
#include "atnformat/rewrite.h"
#include "corpus.h"
#include "engine/console.h"
#include "engine/process.h"

namespace {

using atnbuild::Bytes;

// Everything but the stored strings and their length fields.
Bytes frame(const Bytes &bytes, const atnformat::ActionFile &file)
{
    Bytes out;
    std::size_t from = 0;
    for (const atnformat::StoredString &s : file.strings) {
        const std::size_t start = s.layout == atnformat::Layout::BigEndian ? s.offset : s.offset - 12;
        out.insert(out.end(), bytes.begin() + std::ptrdiff_t(from), bytes.begin() + std::ptrdiff_t(start));
        from = s.offset + 4 + 2 * std::size_t(s.units);
    }
    out.insert(out.end(), bytes.begin() + std::ptrdiff_t(from), bytes.end());
    return out;
}

TEST(ExactAgreement, ByteScanGivesTheSameBytesWhereItKeptToTheStrings)
{
    static const atnformat::TextPair kPairs[] = {
        {"Layer", "Ebene"}, {"copy", "Kopie"}, {"Background", "Hintergrund"}, {"a", "aa"}, {"aa", "a"},
        {"\U0001F600", "\U0001F305"}, {"\u0424\u043e\u043d", "Hintergrund"}, {"Ebene", "Layer"}, {"1", ""},
        {"e", "\u00e9"}};
    std::mt19937 random(15);
    std::size_t compared = 0, rewritten = 0, problems = 0, broken = 0, outside = 0;
    for (unsigned seed = 0; seed < 1000; ++seed) {
        const Bytes input = corpus::generatedFile(seed);
        const atnformat::ActionFile before = atnformat::readActionFile(input);
        ASSERT_TRUE(before.isWellFormed()) << before.error->message();
        std::vector<atnformat::TextPair> pairs(1 + random() % 3);
        for (atnformat::TextPair &pair : pairs)
            pair = kPairs[random() % std::size(kPairs)];

        engine::StringConsole console;
        Bytes scanned = input;
        for (const atnformat::TextPair &pair : pairs)
            scanned = engine::process(std::move(scanned), pair.search, pair.replacement, false, console);
        const atnformat::RewriteResult exact = atnformat::replaceTexts(std::span(input), pairs);
        ASSERT_TRUE(exact.succeeded());
        if (!console.text().empty()) {
            ++problems;
            continue;
        }
        const atnformat::ActionFile after = atnformat::readActionFile(scanned);
        if (!after.isWellFormed()) {
            ++broken;
            continue;
        }
        if (after.strings.size() != before.strings.size() || frame(scanned, after) != frame(input, before)) {
            ++outside;
            continue;
        }
        EXPECT_EQ(scanned, exact.bytes) << "file " << seed;
        ++compared;
        rewritten += scanned != input;
    }
    // Enough of the runs must compare rewritten files for the agreement to mean something.
    EXPECT_GT(rewritten, 250U) << compared << " compared, " << problems << " with problems, " << broken
                               << " broken, " << outside << " outside the strings";
}

} // namespace
