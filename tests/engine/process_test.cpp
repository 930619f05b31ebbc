#include <gtest/gtest.h>

#include <tuple>

#include "engine/process.h"
#include "engine/runtimeerror.h"
#include "hexbytes.h"

namespace {

struct ProcessCase {
    const char *name;
    const char *input;
    std::string search;
    std::string replacement;
    bool lenient;
    const char *expected; // nullptr: the input unchanged
    const char *console;
};

void PrintTo(const ProcessCase &c, std::ostream *os) { *os << c.name; }

// U+0100 B C little-endian, with its txtu header; offsets: BE count at 2,
// signature at 6, LE count at 10, length field at 14, text at 18.
constexpr const char *kLeHeader = "99 99 00 00 00 14 74 78 74 75 14 00 00 00 04 00 00 00 00 01 42 00 43 00 00 00 77";

const ProcessCase kCases[] = {
    // Big-endian string, lengthening rewrite; the little-endian reading has no ending null.
    {"BigEndianLonger", "11 22 33 44 00 00 00 04 00 41 00 42 00 43 00 00 55 66", "B", "XY", false,
     "11 22 33 44 00 00 00 05 00 41 00 58 00 59 00 43 00 00 55 66", ""},
    // Little-endian string: length field and both byte counts follow the change.
    {"LittleEndianLonger", kLeHeader, "B", "XY", false,
     "99 99 00 00 00 16 74 78 74 75 16 00 00 00 05 00 00 00 00 01 58 00 59 00 43 00 00 00 77", ""},
    {"LittleEndianEmptyReplacement", kLeHeader, "B", "", false,
     "99 99 00 00 00 12 74 78 74 75 12 00 00 00 03 00 00 00 00 01 43 00 00 00 77", ""},
    // The byte before C is 00, so the big-endian reading 00 43 is met first and has no start.
    {"LittleEndianShadowedByBigEndian", kLeHeader, "C", "XY", false, nullptr,
     "Unable to find the start of the string for a match at offset 21 in output file.\n"},
    {"LittleEndianLatinText",
     "99 99 00 00 00 14 74 78 74 75 14 00 00 00 04 00 00 00 41 00 42 00 43 00 00 00 77", "B", "XY", false,
     nullptr, "Unable to find the start of the string for a match at offset 19 in output file.\n"},
    // Header checks, each with its own message, and lenient mode skipping them.
    {"BadSignature", "99 99 00 00 00 14 74 78 74 78 14 00 00 00 04 00 00 00 00 01 42 00 43 00 00 00 77", "B", "D",
     false, nullptr,
     "Possible little-endian string found at offset 20, but signature \"txtu\" not found.\n"
     "Unable to find the start of the string for a match at offset 20 in output file.\n"},
    {"BadSignatureLenient", "99 99 00 00 00 14 74 78 74 78 14 00 00 00 04 00 00 00 00 01 42 00 43 00 00 00 77", "B",
     "D", true, "99 99 00 00 00 14 74 78 74 78 14 00 00 00 04 00 00 00 00 01 44 00 43 00 00 00 77", ""},
    {"BadLittleEndianCount",
     "99 99 00 00 00 14 74 78 74 75 15 00 00 00 04 00 00 00 00 01 42 00 43 00 00 00 77", "B", "D", false, nullptr,
     "Possible little-endian string found at offset 20, but little-endian byte count is not the expected value.\n"
     "Unable to find the start of the string for a match at offset 20 in output file.\n"},
    {"BadBigEndianCount", "99 99 00 00 00 15 74 78 74 75 14 00 00 00 04 00 00 00 00 01 42 00 43 00 00 00 77", "B",
     "D", false, nullptr,
     "Possible little-endian string found at offset 20, but big-endian byte count is not the expected value.\n"
     "Unable to find the start of the string for a match at offset 20 in output file.\n"},
    {"BadCountsLenientShiftsThem",
     "99 99 00 00 00 15 74 78 74 75 15 00 00 00 04 00 00 00 00 01 42 00 43 00 00 00 77", "B", "XY", true,
     "99 99 00 00 00 17 74 78 74 75 17 00 00 00 05 00 00 00 00 01 58 00 59 00 43 00 00 00 77", ""},
    // No ending null: one message per reading position, the scan goes on.
    {"NoEndingNull", "00 00 00 03 00 41 00 42 41", "A", "Z", false, nullptr,
     "Match found at index 4 of output file, but unable to find the ending null.\n"
     "Match found at index 5 of output file, but unable to find the ending null.\n"},
    // A replacement containing the search text is not translated again.
    {"ReplacementContainsSearch", "11 22 33 44 00 00 00 03 00 61 00 62 00 00 55 66 77 88 99 AA", "a", "aa", false,
     "11 22 33 44 00 00 00 04 00 61 00 61 00 62 00 00 55 66 77 88 99 AA", ""},
    // Occurrences pushed past the original end by lengthening rewrites are still found.
    {"TwoStoredStrings",
     "AB AB AB AB 00 00 00 03 00 78 00 61 00 00 CD CD CD 00 00 00 04 00 61 00 7A 00 61 00 00 EF EF", "a", "bb", false,
     "AB AB AB AB 00 00 00 04 00 78 00 62 00 62 00 00 CD CD CD 00 00 00 06 00 62 00 62 00 7A 00 62 00 62 00 00 EF EF",
     ""},
    // After shortening rewrites nothing beyond the content is reported.
    {"ShorteningLeavesNoPhantoms", "00 00 00 00 00 00 00 04 00 61 00 61 00 61 00 00", "aa", "", false,
     "00 00 00 00 00 00 00 02 00 61 00 00", ""},
    // A match closer than 4 bytes to the start has no candidate and ends the scan.
    {"MatchBeforeAnyLengthField", "00 41 00 00 00 00 00 02 00 41 00 00", "A", "B", false, nullptr,
     "Unable to find the start of the string for a match at offset 0 in output file.\n"},
    // Characters outside the basic plane take surrogate pairs in both orders.
    {"AstralBigEndian", "00 00 00 00 00 00 00 03 D8 3D DE 00 00 00", "\U0001F600", "\U0001F601x", false,
     "00 00 00 00 00 00 00 04 D8 3D DE 01 00 78 00 00", ""},
    {"AstralLittleEndian",
     "00 00 00 00 00 00 00 12 74 78 74 75 12 00 00 00 03 00 00 00 3D D8 00 DE 00 00 00", "\U0001F600", "A", false,
     "00 00 00 00 00 00 00 10 74 78 74 75 10 00 00 00 02 00 00 00 41 00 00 00 00", ""},
    // Buffers too short to hold the search text are returned as they are.
    {"BufferAsShortAsSearch", "00 41", "A", "B", false, nullptr, ""},
    {"NoOccurrence", "00 00 00 02 00 41 00 00", "Z", "Y", false, nullptr, ""},
};

// Buffers made to hurt: byte counts claiming 4 GiB, strings cut off by the
// end of the buffer, headers too close to the start, NUL characters. Where no
// stored string can be located the bytes stay intact and a line says why.
const ProcessCase kHostileCases[] = {
    // Byte counts claiming 4 GiB: lenient mode shifts whatever the counts hold; the sums keep their low 32 bits.
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

class ProcessTable : public testing::TestWithParam<ProcessCase> {};

TEST_P(ProcessTable, RewritesBytesAndReports)
{
    const ProcessCase &c = GetParam();
    const auto input = hexBytes(c.input);
    const auto before = input;
    engine::StringConsole console;
    const auto result = engine::process(input, c.search, c.replacement, c.lenient, console);
    EXPECT_EQ(toHex(result), toHex(c.expected ? hexBytes(c.expected) : input));
    EXPECT_EQ(console.text(), c.console);
    EXPECT_EQ(input, before) << "the given buffer must stay unchanged";
}

INSTANTIATE_TEST_SUITE_P(Examples, ProcessTable, testing::ValuesIn(kCases),
                         [](const auto &test) { return std::string(test.param.name); });
INSTANTIATE_TEST_SUITE_P(Hostile, ProcessTable, testing::ValuesIn(kHostileCases),
                         [](const auto &test) { return std::string(test.param.name); });

// An empty or malformed text is refused before anything is touched; the
// empty search text is named first.
TEST(Process, RefusesBadTexts)
{
    const auto input = hexBytes("00 00 00 02 00 41 00 00");
    for (const auto &[search, replacement, description] :
         {std::tuple{"", "x", "Search string must not be empty!"},
          std::tuple{"", "\xff", "Search string must not be empty!"},
          std::tuple{"A\xff", "x", "Search string is not valid UTF-8: invalid byte 0xFF at byte offset 1!"},
          std::tuple{"A", "ab\xe2\x82",
                     "Replacement string is not valid UTF-8: sequence cut short by the end of the text at byte "
                     "offset 2!"}}) {
        SCOPED_TRACE(description);
        engine::StringConsole console;
        try {
            (void)engine::process(input, search, replacement, false, console);
            ADD_FAILURE() << "expected a RuntimeError";
        } catch (const engine::RuntimeError &error) {
            EXPECT_EQ(error.kind(), engine::RuntimeError::Kind::ThrowException);
            EXPECT_EQ(error.description(), description);
        }
        EXPECT_EQ(console.text(), "");
    }
}

} // namespace
