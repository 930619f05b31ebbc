// The verdicts and the strings of every file of the corpus, its truncations
// among them, are compared with the independent validator's in
// agreement_test.py; here: where the walk stops, and why.
#include <gtest/gtest.h>

#include "atnformat/actionfile.h"
#include "corpus.h"

namespace {

using atnbuild::Bytes;

class DamagedFiles : public testing::TestWithParam<corpus::DamagedCase> {};

TEST_P(DamagedFiles, StopWhereTheFaultIs)
{
    const corpus::DamagedCase &c = GetParam();
    const atnformat::ActionFile file = atnformat::readActionFile(c.bytes);
    ASSERT_FALSE(file.isWellFormed());
    EXPECT_EQ(file.error->offset, c.offset) << file.error->message();
    EXPECT_NE(file.error->expected.find(c.expected), std::string::npos) << file.error->message();
    const auto checked = atnformat::checkActionFile(c.bytes);
    ASSERT_TRUE(checked.has_value());
    EXPECT_EQ(checked->message(), file.error->message());
}

INSTANTIATE_TEST_SUITE_P(Files, DamagedFiles, testing::ValuesIn(corpus::damagedCases()),
                         [](const auto &test) { return test.param.name; });

TEST(ActionFile, ListsNestDeeplyButNotWithoutEnd)
{
    auto nestedLists = [](int levels) {
        Bytes value = atnbuild::listValue({});
        for (int i = 1; i < levels; ++i)
            value = atnbuild::listValue({value});
        return atnformat::readActionFile(atnbuild::fileWithItems({{"Adjs", value}}));
    };
    EXPECT_TRUE(nestedLists(512).isWellFormed());
    const atnformat::ActionFile tooDeep = nestedLists(513);
    ASSERT_FALSE(tooDeep.isWellFormed());
    EXPECT_NE(tooDeep.error->expected.find("nested"), std::string::npos);
}

} // namespace
