// UTF-16 in both byte orders, UTF-8 validation, the string table and messages.
#include <gtest/gtest.h>

#include <tuple>

#include "engine/console.h"
#include "engine/messages.h"
#include "engine/process.h"
#include "engine/stringtable.h"
#include "engine/utf16.h"
#include "hexbytes.h"

namespace {

using engine::ByteOrder;

// The boundaries of the basic plane and of Unicode take surrogate pairs or
// not, in both orders (Latin text is in the command line's and the sample's
// tests, whose results the independent validator reads).
TEST(Utf16, EncodesBothByteOrders)
{
    for (const auto &[utf8, bigEndian, littleEndian] :
         {std::tuple{"\uffff", "FF FF", "FF FF"}, std::tuple{"\U00010000", "D8 00 DC 00", "00 D8 00 DC"},
          std::tuple{"\U0010FFFF", "DB FF DF FF", "FF DB FF DF"}}) {
        SCOPED_TRACE(bigEndian);
        const auto be = engine::encodeUtf16(utf8, ByteOrder::BigEndian);
        const auto le = engine::encodeUtf16(utf8, ByteOrder::LittleEndian);
        EXPECT_EQ(toHex(be), bigEndian);
        EXPECT_EQ(toHex(le), littleEndian);
    }
}

// Malformed sequences by kind: stray continuation, impossible bytes, overlong
// forms, encoded surrogates, beyond U+10FFFF, truncation.
TEST(Utf8, InvalidSequencesAreFoundWithOffsetAndReason)
{
    for (const auto &[text, offset, reason] :
         {std::tuple{"ab\x80", 2, "unexpected continuation byte 0x80"}, std::tuple{"\xc1\xbf", 0, "invalid byte 0xC1"},
          std::tuple{"\xe0\x80\xaf", 0, "overlong encoding"}, std::tuple{"\xf0\x8f\xbf\xbf", 0, "overlong encoding"},
          std::tuple{"x\xed\xa0\x80", 1, "encoded surrogate"},
          std::tuple{"\xf4\x90\x80\x80", 0, "code point above U+10FFFF"},
          std::tuple{"\xe2\x82", 0, "sequence cut short by the end of the text"},
          std::tuple{"\xe2\x28\xa1", 0, "missing continuation byte (found 0x28)"}}) {
        SCOPED_TRACE(reason);
        const auto error = engine::findInvalidUtf8(text);
        ASSERT_TRUE(error.has_value());
        EXPECT_EQ(error->offset, std::size_t(offset));
        EXPECT_EQ(error->reason, reason);
    }
    for (const std::string &text : {std::string(), std::string("\0", 1), std::string("Farbf\u00fcllung"),
                                   std::string("\U0010FFFF\uD7FF\uE000")})
        EXPECT_FALSE(engine::findInvalidUtf8(text).has_value()) << text;
}

// Placeholders in order and by position fill every console line (and the
// translated message below); here what no line shows.
TEST(FormatText, FillsPlaceholders)
{
    EXPECT_EQ(engine::formatText("100%% %@", {"x"}), "100% x");
    // Arguments are not scanned again; missing arguments leave the placeholder.
    EXPECT_EQ(engine::formatText("%@ %@", {"%@"}), "%@ %@");
    EXPECT_EQ(engine::formatText("%3$@ %", {"a"}), "%3$@ %");
}

class GermanTable final : public engine::StringTable {
public:
    std::string text(std::string_view key) const override { return std::string(key); }
    std::string translation(std::string_view english) const override
    {
        if (english == engine::messages::kCannotRead.english)
            return "Kann %2$@ nicht lesen: %1$@";
        return english == engine::messages::kIsAFolder.english ? "Ordner" : std::string(english);
    }
};

// Formats are translated, nested ones too; verbatim arguments never, even
// when they read like a format.
TEST(Message, IsEnglishUnlessATableTranslatesIt)
{
    using namespace engine::messages;
    const engine::Message nested(kCannotRead, {"it is a folder", kIsAFolder});
    EXPECT_EQ(nested.english(), "Cannot read \"it is a folder\": it is a folder");
    EXPECT_EQ(nested.text(GermanTable()), "Kann Ordner nicht lesen: it is a folder");
    EXPECT_EQ(engine::Message(kNoEndingNull, {}).text(GermanTable()), kNoEndingNull.english);
}

// The engine's lines reach a console as messages, which a window's table
// translates (their English text is compared in the differential test).
TEST(Message, EngineLinesAreMessages)
{
    struct Recording final : engine::Console {
        void printout(std::string_view text) override { printed += text; }
        void print(const engine::Message &message) override { messages.push_back(message); }
        std::string printed;
        std::vector<engine::Message> messages;
    } recording;
    const std::vector<std::uint8_t> noLengthField{0, 'L', 0, 'a', 0, 'y', 0, 0};
    (void)engine::process(noLengthField, "Lay", "Eb", false, recording);
    EXPECT_EQ(recording.messages, std::vector<engine::Message>{engine::Message(engine::messages::kNoStart, {"0"})});
    EXPECT_EQ(recording.printed, "");
}

} // namespace
