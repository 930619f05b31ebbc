#include <gtest/gtest.h>

#include "engine/stringtable.h"
#include "engine/utf16.h"
#include "hexbytes.h"

namespace {

using engine::ByteOrder;

struct EncodeCase {
    const char *name;
    std::string utf8;
    const char *bigEndian;
    const char *littleEndian;
};

void PrintTo(const EncodeCase &c, std::ostream *os) { *os << c.name; }

class Utf16Encoding : public testing::TestWithParam<EncodeCase> {};

TEST_P(Utf16Encoding, BothByteOrdersAndBack)
{
    const EncodeCase &c = GetParam();
    const auto be = engine::encodeUtf16(c.utf8, ByteOrder::BigEndian);
    const auto le = engine::encodeUtf16(c.utf8, ByteOrder::LittleEndian);
    EXPECT_EQ(toHex(be), c.bigEndian);
    EXPECT_EQ(toHex(le), c.littleEndian);
    EXPECT_EQ(engine::decodeUtf16(be.data(), be.size(), ByteOrder::BigEndian), c.utf8);
    EXPECT_EQ(engine::decodeUtf16(le.data(), le.size(), ByteOrder::LittleEndian), c.utf8);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Utf16Encoding,
    testing::Values(EncodeCase{"Ascii", "Ab", "00 41 00 62", "41 00 62 00"},
                    EncodeCase{"Precomposed", "F\u00fc", "00 46 00 FC", "46 00 FC 00"},
                    EncodeCase{"LastOfBasicPlane", "\uffff", "FF FF", "FF FF"},
                    EncodeCase{"FirstAstral", "\U00010000", "D8 00 DC 00", "00 D8 00 DC"},
                    EncodeCase{"LastAstral", "\U0010FFFF", "DB FF DF FF", "FF DB FF DF"},
                    EncodeCase{"Emoji", "a\U0001F600", "00 61 D8 3D DE 00", "61 00 3D D8 00 DE"}),
    [](const auto &test) { return std::string(test.param.name); });

struct InvalidCase {
    const char *name;
    std::string text;
    std::size_t offset;
    const char *reason;
};

void PrintTo(const InvalidCase &c, std::ostream *os) { *os << c.name; }

class InvalidUtf8 : public testing::TestWithParam<InvalidCase> {};

TEST_P(InvalidUtf8, FoundWithOffsetAndReason)
{
    const InvalidCase &c = GetParam();
    const auto error = engine::findInvalidUtf8(c.text);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->offset, c.offset);
    EXPECT_EQ(error->reason, c.reason);
}

// Malformed sequences by kind: stray continuation, impossible bytes, overlong
// forms, encoded surrogates, beyond U+10FFFF, truncation.
INSTANTIATE_TEST_SUITE_P(
    Malformed, InvalidUtf8,
    testing::Values(InvalidCase{"StrayContinuation", "ab\x80", 2, "unexpected continuation byte 0x80"},
                    InvalidCase{"OverlongTwoByte", "\xc1\xbf", 0, "invalid byte 0xC1"},
                    InvalidCase{"OverlongThreeByte", "\xe0\x80\xaf", 0, "overlong encoding"},
                    InvalidCase{"OverlongFourByte", "\xf0\x8f\xbf\xbf", 0, "overlong encoding"},
                    InvalidCase{"HighSurrogate", "x\xed\xa0\x80", 1, "encoded surrogate"},
                    InvalidCase{"AboveUnicode", "\xf4\x90\x80\x80", 0, "code point above U+10FFFF"},
                    InvalidCase{"ByteF5", "\xf5\x80\x80\x80", 0, "invalid byte 0xF5"},
                    InvalidCase{"Truncated", "\xe2\x82", 0, "sequence cut short by the end of the text"},
                    InvalidCase{"BadContinuation", "\xe2\x28\xa1", 0, "missing continuation byte (found 0x28)"}),
    [](const auto &test) { return std::string(test.param.name); });

TEST(Utf8, ValidTextsPass)
{
    for (const std::string &text : {std::string(), std::string("\0", 1), std::string("Farbf\u00fcllung"),
                                   std::string("\U0010FFFF\uD7FF\uE000")})
        EXPECT_FALSE(engine::findInvalidUtf8(text).has_value()) << text;
}

TEST(Utf16Decoding, UnpairedSurrogatesBecomeReplacementCharacters)
{
    const auto bytes = hexBytes("D8 00 00 41 DC 00");
    EXPECT_EQ(engine::decodeUtf16(bytes.data(), bytes.size(), ByteOrder::BigEndian), "\ufffdA\ufffd");
}

TEST(FormatText, FillsPlaceholders)
{
    EXPECT_EQ(engine::formatText("%@ and %@", {"a", "b"}), "a and b");
    EXPECT_EQ(engine::formatText("%2$@ before %1$@", {"a", "b"}), "b before a");
    EXPECT_EQ(engine::formatText("100%% %@", {"x"}), "100% x");
    // Arguments are not scanned again; missing arguments leave the placeholder.
    EXPECT_EQ(engine::formatText("%@ %@", {"%@"}), "%@ %@");
    EXPECT_EQ(engine::formatText("%3$@ %", {"a"}), "%3$@ %");
}

TEST(StringsTable, ParsesEntriesFallsBackToKeysAndReportsTheMalformedLine)
{
    const auto table = engine::parseStringsTable("// comment\n\n\"Done\" = \"Fertig.\\n\";\n"
                                                 "\"a \\\"b\\\"\"=\"c\\\\d\\te\" ;\n");
    ASSERT_TRUE(table.has_value());
    EXPECT_EQ(table->size(), 2u);
    EXPECT_EQ(table->text("Done"), "Fertig.\n");
    EXPECT_EQ(table->text("a \"b\""), "c\\d\te");
    EXPECT_EQ(table->text("missing key"), "missing key");

    std::string error;
    EXPECT_FALSE(engine::parseStringsTable("\"a\" = \"b\";\n\"c\" = \"d\"\n", &error).has_value());
    EXPECT_EQ(error, "line 2: expected \"key\" = \"text\";");
    EXPECT_FALSE(engine::parseStringsTable("\"a\" = \"b\\q\";", &error).has_value());
}

} // namespace
