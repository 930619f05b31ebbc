// What `process` does with buffers made to hurt, and the texts it refuses.
// The bytes and lines of ordinary buffers are compared with the literal
// engine in process_differential_test.cpp.
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

INSTANTIATE_TEST_SUITE_P(Hostile, ProcessTable, testing::ValuesIn(kHostileCases),
                         [](const auto &test) { return std::string(test.param.name); });

// An empty or malformed text is refused before anything is touched, a
// consumed buffer included; the empty search text is named first (the
// command line shows its text alone).
TEST(Process, RefusesBadTexts)
{
    const auto input = hexBytes("00 00 00 02 00 41 00 00");
    for (const auto &[search, replacement, description] :
         {std::tuple{"", "\xff", "Search string must not be empty!"},
          std::tuple{"A\xff", "x", "Search string is not valid UTF-8: invalid byte 0xFF at byte offset 1!"},
          std::tuple{"A", "ab\xe2\x82",
                     "Replacement string is not valid UTF-8: sequence cut short by the end of the text at byte "
                     "offset 2!"}}) {
        SCOPED_TRACE(description);
        engine::StringConsole console;
        auto consumed = input;
        try {
            (void)engine::process(std::move(consumed), search, replacement, false, console);
            ADD_FAILURE() << "expected a RuntimeError";
        } catch (const engine::RuntimeError &error) {
            EXPECT_EQ(error.kind(), engine::RuntimeError::Kind::ThrowException);
            EXPECT_EQ(error.description(), description);
        }
        EXPECT_EQ(console.text(), "");
        EXPECT_EQ(consumed, input);
    }
}

} // namespace
