#include <gtest/gtest.h>

#include <algorithm>

#include "atnformat/actionfile.h"
#include "corpus.h"
#include "engine/utf16.h"

namespace {

using atnbuild::Bytes;
using atnformat::Layout;
using atnformat::Role;

std::uint32_t be32At(const Bytes &b, std::size_t at)
{
    return static_cast<std::uint32_t>(b[at]) << 24 | static_cast<std::uint32_t>(b[at + 1]) << 16 |
           static_cast<std::uint32_t>(b[at + 2]) << 8 | b[at + 3];
}

std::uint32_t le32At(const Bytes &b, std::size_t at)
{
    return static_cast<std::uint32_t>(b[at + 3]) << 24 | static_cast<std::uint32_t>(b[at + 2]) << 16 |
           static_cast<std::uint32_t>(b[at + 1]) << 8 | b[at];
}

// Checks a reported string against the file's bytes, independently of the
// reader: the count field at the offset, the header of a little-endian string,
// and the text encoded again in place, followed by the ending null.
void expectStoredAt(const Bytes &file, const atnformat::StoredString &s)
{
    SCOPED_TRACE("string at " + std::to_string(s.offset));
    ASSERT_LE(s.offset + 4 + 2ULL * s.units, file.size());
    const bool big = s.layout == Layout::BigEndian;
    EXPECT_EQ(big ? be32At(file, s.offset) : le32At(file, s.offset), s.units);
    if (!big) {
        ASSERT_GE(s.offset, 12U);
        EXPECT_EQ(std::string(file.begin() + s.offset - 8, file.begin() + s.offset - 4), "txtu");
        EXPECT_EQ(le32At(file, s.offset - 4), 2 * s.units + 12);
        EXPECT_EQ(be32At(file, s.offset - 12), 2 * s.units + 12);
    }
    if (s.units == 0) {
        EXPECT_EQ(s.text, "");
        return;
    }
    const Bytes encoded =
        engine::encodeUtf16(s.text, big ? engine::ByteOrder::BigEndian : engine::ByteOrder::LittleEndian);
    EXPECT_EQ(encoded.size() + 2, 2ULL * s.units);
    const auto text = file.begin() + static_cast<std::ptrdiff_t>(s.offset + 4);
    EXPECT_TRUE(std::equal(encoded.begin(), encoded.end(), text));
    EXPECT_EQ(file[s.offset + 2 * s.units + 2], 0);
    EXPECT_EQ(file[s.offset + 2 * s.units + 3], 0);
}

class StructureKinds : public testing::TestWithParam<corpus::StructureCase> {};

TEST_P(StructureKinds, YieldEveryStoredStringInOrder)
{
    const corpus::StructureCase &c = GetParam();
    const atnformat::ActionFile file = atnformat::readActionFile(c.bytes);
    ASSERT_TRUE(file.isWellFormed()) << file.error->message();
    EXPECT_EQ(file.version, 16U);
    EXPECT_FALSE(atnformat::checkActionFile(c.bytes).has_value());
    ASSERT_EQ(file.strings.size(), c.strings.size());
    for (std::size_t i = 0; i < c.strings.size(); ++i) {
        SCOPED_TRACE("string " + std::to_string(i));
        const atnformat::StoredString &got = file.strings[i];
        EXPECT_EQ(got.role, c.strings[i].role);
        EXPECT_EQ(got.key, c.strings[i].key);
        EXPECT_EQ(got.text, c.strings[i].text);
        EXPECT_EQ(got.layout, c.strings[i].layout);
        expectStoredAt(c.bytes, got);
        if (i > 0) {
            EXPECT_GT(got.offset, file.strings[i - 1].offset);
        }
    }
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
        const Bytes part(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size));
        const atnformat::ActionFile file = atnformat::readActionFile(part);
        ASSERT_FALSE(file.isWellFormed());
        EXPECT_LE(file.error->offset, size);
        // What was read before the end is what the whole file holds there.
        ASSERT_LE(file.strings.size(), full.strings.size());
        for (std::size_t i = 0; i < file.strings.size(); ++i) {
            EXPECT_EQ(file.strings[i].offset, full.strings[i].offset);
            EXPECT_EQ(file.strings[i].text, full.strings[i].text);
        }
    }
}

TEST(ActionFile, OneByteChangesNeverBreakTheReader)
{
    const Bytes whole = corpus::smallFile();
    for (std::size_t at = 0; at < whole.size(); ++at) {
        for (const int mask : {0x01, 0x80, 0xFF}) {
            Bytes changed = whole;
            changed[at] = static_cast<std::uint8_t>(changed[at] ^ mask);
            const atnformat::ActionFile file = atnformat::readActionFile(changed);
            const auto checked = atnformat::checkActionFile(changed);
            ASSERT_EQ(checked.has_value(), file.error.has_value()) << "at " << at;
            if (file.error) {
                EXPECT_LE(file.error->offset, changed.size());
                EXPECT_EQ(checked->message(), file.error->message());
            } else {
                for (const auto &s : file.strings)
                    expectStoredAt(changed, s);
            }
        }
    }
}

TEST(ActionFile, CountsActionsAndEventsAndNamesTheEventOfEachString)
{
    const auto cases = corpus::structureCases();
    const auto several = std::find_if(cases.begin(), cases.end(), [](const auto &c) { return c.name == "SeveralActions"; });
    ASSERT_NE(several, cases.end());
    const atnformat::ActionFile file = atnformat::readActionFile(several->bytes);
    EXPECT_EQ(file.actionCount, 3U);
    EXPECT_EQ(file.eventCount, 3U);
    std::vector<std::string> events;
    for (const auto &s : file.strings)
        events.push_back(s.event);
    EXPECT_EQ(events, (std::vector<std::string>{"", "", "slct", "slct", "slct", "Dplc", "Dplc", "", "", "Hd  "}));
}

TEST(ActionFile, ListsNestDeeplyButNotWithoutEnd)
{
    auto nestedLists = [](int levels) {
        Bytes value = atnbuild::listValue({});
        for (int i = 1; i < levels; ++i)
            value = atnbuild::listValue({value});
        return atnbuild::fileWithItems({{"Adjs", value}});
    };
    EXPECT_TRUE(atnformat::readActionFile(nestedLists(512)).isWellFormed());
    const atnformat::ActionFile tooDeep = atnformat::readActionFile(nestedLists(513));
    ASSERT_FALSE(tooDeep.isWellFormed());
    EXPECT_NE(tooDeep.error->expected.find("nested"), std::string::npos);
}

} // namespace
