// Action files made to hurt: length fields claiming 4 GiB, strings cut off by
// the end of the buffer, headers too close to the start, NUL characters.
// Each is handled with the bytes intact where no stored string can be
// located, and a console line saying why.
#include <gtest/gtest.h>

#include "engine/process.h"
#include "hexbytes.h"

namespace {

struct HostileCase {
    const char *name;
    const char *input;
    std::string search;
    std::string replacement;
    bool lenient;
    const char *expected; // nullptr: the input unchanged
    const char *console;
};

void PrintTo(const HostileCase &c, std::ostream *os) { *os << c.name; }

const HostileCase kCases[] = {
    // A length field of FF FF FF FF matches no ending null: no start, nothing allocated for it.
    {"BigEndianLengthClaims4GiB", "00 00 00 00 FF FF FF FF 00 41 00 00", "A", "B", false, nullptr,
     "Unable to find the start of the string for a match at offset 8 in output file.\n"},
    {"LittleEndianLengthClaims4GiB",
     "99 99 00 00 00 14 74 78 74 75 14 00 00 00 FF FF FF FF 00 01 42 00 43 00 00 00 77", "B", "XY", false, nullptr,
     "Unable to find the start of the string for a match at offset 20 in output file.\n"},
    {"ByteCountsClaim4GiB",
     "99 99 FF FF FF FF 74 78 74 75 FF FF FF FF 04 00 00 00 00 01 42 00 43 00 00 00 77", "B", "XY", false, nullptr,
     "Possible little-endian string found at offset 20, but little-endian byte count is not the expected value.\n"
     "Unable to find the start of the string for a match at offset 20 in output file.\n"},
    // Lenient mode shifts whatever the counts hold; the sums keep their low 32 bits.
    {"ByteCountsClaim4GiBLenientWrapAround",
     "99 99 FF FF FF FF 74 78 74 75 FF FF FF FF 04 00 00 00 00 01 42 00 43 00 00 00 77", "B", "XY", true,
     "99 99 00 00 00 01 74 78 74 75 01 00 00 00 05 00 00 00 00 01 58 00 59 00 43 00 00 00 77", ""},
    // The ending null is the last unit of the buffer.
    {"StringEndsAtTheLastByte", "00 00 00 02 00 41 00 00", "A", "XY", false, "00 00 00 03 00 58 00 59 00 00", ""},
    // The search text fills the last bytes: no room for a null, not even scanned.
    {"SearchTextInTheLastBytes", "00 00 00 02 00 41", "A", "XY", false, nullptr, ""},
    // One odd byte after the string does not disturb it.
    {"OddTrailingByte", "00 00 00 02 00 41 00 00 00", "A", "B", false, "00 00 00 02 00 42 00 00 00", ""},
    // A little-endian length field with no room for its header in front.
    {"LittleEndianHeaderCutOffByTheStart", "02 00 00 00 41 00 00 00", "A", "B", false, nullptr,
     "Unable to find the start of the string for a match at offset 3 in output file.\n"},
    // A replacement holding U+0000 is written as it is; the length field stays that of the whole string.
    {"NulInReplacement", "11 22 33 44 00 00 00 04 00 41 00 42 00 43 00 00 55 66", "B", std::string(1, '\0'), false,
     "11 22 33 44 00 00 00 04 00 41 00 00 00 43 00 00 55 66", ""},
    // A search text of U+0000 alone matches nulls; here the first has no room for a length field.
    {"NulSearchText", "00 00 00 02 00 41 00 00", std::string(1, '\0'), "", false, nullptr,
     "Unable to find the start of the string for a match at offset 0 in output file.\n"},
};

class HostileBuffer : public testing::TestWithParam<HostileCase> {};

TEST_P(HostileBuffer, HandledAndReported)
{
    const HostileCase &c = GetParam();
    const auto input = hexBytes(c.input);
    engine::StringConsole console;
    const auto result = engine::process(input, c.search, c.replacement, c.lenient, console);
    EXPECT_EQ(toHex(result), toHex(c.expected ? hexBytes(c.expected) : input));
    EXPECT_EQ(console.text(), c.console);
}

INSTANTIATE_TEST_SUITE_P(Cases, HostileBuffer, testing::ValuesIn(kCases),
                         [](const auto &test) { return std::string(test.param.name); });

// Every byte value at every position of a short buffer around a stored
// string: whatever the bytes, the call ends, never reads outside the buffer
// (the sanitizer build checks that), and its result differs from the input
// only by whole replacements.
TEST(HostileBuffer, EveryByteValueAtEveryPosition)
{
    const auto base = hexBytes("00 00 00 12 74 78 74 75 12 00 00 00 03 00 00 00 41 00 42 00 00 00 "
                               "00 00 00 03 00 41 00 42 00 00");
    for (std::size_t at = 0; at < base.size(); ++at) {
        for (int value = 0; value < 256; ++value) {
            auto input = base;
            input[at] = std::uint8_t(value);
            for (const bool lenient : {false, true}) {
                engine::StringConsole console;
                const auto result = engine::process(input, "A", "XYZ", lenient, console);
                ASSERT_EQ((result.size() - input.size()) % 4, 0u) << "byte " << at << " = " << value;
            }
        }
    }
}

} // namespace
