// The strings each structure kind yields are compared with the independent
// validator's in agreement_test.py; here: verdicts, error offsets, truncations.
#include <gtest/gtest.h>

#include "atnformat/actionfile.h"
#include "corpus.h"

namespace {

using atnbuild::Bytes;

class StructureKinds : public testing::TestWithParam<corpus::NamedFile> {};

TEST_P(StructureKinds, WalkToTheEnd)
{
    const Bytes &bytes = GetParam().bytes;
    const atnformat::ActionFile file = atnformat::readActionFile(bytes);
    ASSERT_TRUE(file.isWellFormed()) << file.error->message();
    EXPECT_EQ(file.version, 16U);
    EXPECT_FALSE(atnformat::checkActionFile(bytes).has_value());
    for (std::size_t i = 1; i < file.strings.size(); ++i)
        EXPECT_GT(file.strings[i].offset, file.strings[i - 1].offset);
}

INSTANTIATE_TEST_SUITE_P(Files, StructureKinds, testing::ValuesIn(corpus::structureCases()),
                         [](const auto &test) { return test.param.name; });

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

TEST(ActionFile, EveryTruncationIsAnErrorWithinTheBytesGiven)
{
    const Bytes whole = corpus::smallFile();
    const atnformat::ActionFile full = atnformat::readActionFile(whole);
    ASSERT_TRUE(full.isWellFormed()) << full.error->message();
    for (std::size_t size = 0; size < whole.size(); ++size) {
        SCOPED_TRACE("size " + std::to_string(size));
        const atnformat::ActionFile file =
            atnformat::readActionFile(Bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size)));
        ASSERT_FALSE(file.isWellFormed());
        EXPECT_LE(file.error->offset, size);
        // What was read before the end is what the whole file holds there.
        ASSERT_LE(file.strings.size(), full.strings.size());
        for (std::size_t i = 0; i < file.strings.size(); ++i)
            EXPECT_EQ(file.strings[i].text, full.strings[i].text);
    }
}

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
