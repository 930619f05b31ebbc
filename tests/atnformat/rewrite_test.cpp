// The rewriter: each expected file is built with the texts it should end up
// holding, so a wrong length field, a lost null or a touched opaque byte shows
// as a difference. (The fuzz target checks what it counts as changed.)
#include <gtest/gtest.h>

#include "atnformat/rewrite.h"
#include "corpus.h"

namespace {

using namespace atnbuild;
using atnformat::TextPair;

// One string of each layout and role, all holding `t`.
Bytes everyLayout(std::string_view t)
{
    return actionFile(t, {action(t, {event("slct", "Select",
                                           {{{"null", reference({byName("Lyr ", t)})},
                                             {"Nm  ", textValue(t)},
                                             {"Type", classValue("Lyr ", t)},
                                             {"In  ", pathValue(t)},
                                             {"Als ", aliasValue(t)}}})})});
}

struct Case {
    std::string name;
    Bytes input;
    std::vector<TextPair> pairs;
    std::optional<Bytes> expected; // nothing: the input does not walk
    std::vector<std::size_t> textsRewritten;
};

void PrintTo(const Case &c, std::ostream *os) { *os << c.name; }

std::vector<Case> cases()
{
    const std::size_t all = 7; // the strings of everyLayout()
    const Bytes emptyTexts = fileWithItems({{"Zero", code("TEXT") + be32(0)}, {"Empt", textValue("")}});
    const auto withRawData = [](std::string_view t) {
        return fileWithItems({{"Data", blobValue("tdta", text("copy") + txtu("copy"))}, {"Nm  ", textValue(t)}});
    };
    Bytes cutShort = everyLayout("copy");
    cutShort.pop_back();
    const auto shrinkingAndGrowing = [](std::string_view layer, std::string_view copy) {
        return fileWithItems({{"Nm  ", textValue(layer)}, {"Nm  ", textValue(copy)}, {"Nm  ", textValue(layer)},
                              {"In  ", pathValue(copy)}});
    };
    const auto many = [](std::string_view t) { return fileWithItems(std::vector<Item>(4000, {"Nm  ", textValue(t)})); };
    return {
        {"BecomesEmpty", everyLayout("copy"), {{"copy", ""}}, everyLayout(""), {all}},
        // No occurrence is searched for inside the replacement just made.
        {"ReplacementContainsSearch", everyLayout("a-a"), {{"a", "aa"}}, everyLayout("aa-aa"), {all}},
        {"Astral", everyLayout("Foto \U0001F600 1"), {{"\U0001F600", "\U0001F305\u00E9"}},
         everyLayout("Foto \U0001F305\u00E9 1"), {all}},
        // Each pair sees what the pairs before it made; a pair that finds nothing counts nothing.
        {"PairsInOrder", everyLayout("Layer 1 copy"), {{"Layer", "Ebene"}, {"Ebene 1", "X"}, {"Layer", "Y"}},
         everyLayout("X copy"), {all, all, 0}},
        {"SameTextKeepsItsBytes", everyLayout("a"), {{"a", "a"}}, everyLayout("a"), {all}},
        // Empty texts, N = 0 among them, cannot hold the search text.
        {"EmptyTexts", emptyTexts, {{"a", "b"}}, emptyTexts, {0}},
        {"RawDataUntouched", withRawData("copy"), {{"copy", "Kopie"}}, withRawData("Kopie"), {1}},
        {"NotWellFormed", cutShort, {{"copy", "Kopie"}}, std::nullopt, {0}},
        // Stretches of the file that move towards its start and others that move towards its end.
        {"ShrinkingAndGrowing", shrinkingAndGrowing("Layer 1", "copy"), {{"Layer ", ""}, {"copy", "Kopie Kopie"}},
         shrinkingAndGrowing("1", "Kopie Kopie"), {2, 2}},
        // More changes than are kept aside for the end of the walk.
        {"ManyStrings", many("copy"), {{"copy", "Kopie"}}, many("Kopie"), {4000}},
    };
}

class Rewrite : public testing::TestWithParam<Case> {};

TEST_P(Rewrite, GivesTheFileWithTheNewTexts)
{
    const Case &c = GetParam();
    const atnformat::RewriteResult result = atnformat::replaceTexts(std::span(c.input), c.pairs);
    EXPECT_EQ(result.textsRewritten, c.textsRewritten);
    // Room for the result: it is made in the buffer itself.
    Bytes consumed = c.input;
    consumed.reserve(2 * consumed.size());
    const atnformat::RewriteResult fromConsumed = atnformat::replaceTexts(std::move(consumed), c.pairs);
    if (!c.expected) {
        ASSERT_TRUE(result.error.has_value());
        EXPECT_TRUE(result.bytes.empty());
        EXPECT_EQ(fromConsumed.bytes, c.input); // handed back as it was
        return;
    }
    ASSERT_TRUE(result.succeeded());
    EXPECT_EQ(result.bytes, *c.expected);
    EXPECT_EQ(fromConsumed.bytes, *c.expected);
}

INSTANTIATE_TEST_SUITE_P(Files, Rewrite, testing::ValuesIn(cases()), [](const auto &test) { return test.param.name; });

} // namespace
