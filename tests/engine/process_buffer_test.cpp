// What `process` does with the buffers it is given and returns.
#include <gtest/gtest.h>

#include "engine/process.h"
#include "engine/runtimeerror.h"
#include "hexbytes.h"
#include "tests/support/referenceprocess.h"

namespace {

constexpr const char *kBigEndianAb = "11 22 33 44 00 00 00 03 00 41 00 42 00 00 55 66";

// The consumed buffer is handed back when nothing is rewritten, holds the
// result when it has the room, is released when it has not, and is left as
// it was when the call throws (see also the differential test).
TEST(ProcessBuffer, ConsumedBuffer)
{
    const auto before = hexBytes(kBigEndianAb);
    struct Row {
        const char *search, *replacement;
        std::size_t room; // capacity beyond the size
        const char *expected;
        bool sameStorage;
    };
    const Row rows[] = {
        {"Z", "Y", 0, kBigEndianAb, true},
        {"A", "", 0, "11 22 33 44 00 00 00 02 00 42 00 00 55 66", true},
        {"A", "XY", 0, "11 22 33 44 00 00 00 04 00 58 00 59 00 42 00 00 55 66", false},
        {"A", "XY", 2, "11 22 33 44 00 00 00 04 00 58 00 59 00 42 00 00 55 66", true},
    };
    for (const Row &row : rows) {
        engine::StringConsole console;
        std::vector<std::uint8_t> buffer;
        buffer.reserve(before.size() + row.room);
        buffer = before;
        const std::uint8_t *storage = buffer.data();
        const auto result = engine::process(std::move(buffer), row.search, row.replacement, false, console);
        EXPECT_EQ(toHex(result), row.expected) << row.search << " -> " << row.replacement;
        EXPECT_EQ(result.data() == storage, row.sameStorage) << row.search << " -> " << row.replacement;
        EXPECT_EQ(buffer.capacity(), 0u);
    }

    auto buffer = before;
    engine::StringConsole console;
    EXPECT_THROW((void)engine::process(std::move(buffer), "", "x", false, console), engine::RuntimeError);
    EXPECT_EQ(buffer, before);
}

// Rewrites far apart: when the result is built in new memory, the input goes
// into it in windows as the scan goes, and here the walk back from a match
// crosses what was copied that way (the string's length field lies more than
// one window before the match); when the rewrites are made in the buffer
// itself, long stretches of input move between them.
TEST(ProcessBuffer, WalkBackReachesInputCopiedWindowsAgo)
{
    std::vector<std::uint8_t> buffer = hexBytes("AB AB 00 00 00 02 00 61 00 00");
    const auto filler = [&](std::size_t bytes) {
        for (std::size_t i = 0; i < bytes; ++i)
            buffer.push_back(std::uint8_t(0x10 + i % 7));
    };
    filler(150000);
    const std::size_t units = 50000; // 100,000 bytes of text, the match near its end
    const std::uint8_t count[] = {0, 0, std::uint8_t((units + 2) >> 8), std::uint8_t(units + 2)};
    buffer.insert(buffer.end(), {0x00, 0x00});
    buffer.insert(buffer.end(), count, count + 4);
    for (std::size_t i = 0; i < units; ++i)
        buffer.insert(buffer.end(), {0x00, 0x78});
    buffer.insert(buffer.end(), {0x00, 0x61, 0x00, 0x00});
    filler(70000);
    buffer.insert(buffer.end(), {0x00, 0x00, 0x00, 0x02, 0x00, 0x61, 0x00, 0x00, 0xCD});

    for (const std::string replacement : {"bcd", ""}) {
        engine::StringConsole referenceConsole;
        const auto expected = reference::process(buffer, "a", replacement, false, referenceConsole);
        // All three strings are rewritten.
        EXPECT_EQ(std::int64_t(expected.size()), std::int64_t(buffer.size()) + 3 * (2 * std::int64_t(replacement.size()) - 2));
        // Kept, and consumed with the room to be rewritten where it stands.
        for (const bool consumed : {false, true}) {
            engine::StringConsole console;
            std::vector<std::uint8_t> copy;
            copy.reserve(engine::capacityForRewrites(buffer.size()));
            copy = buffer;
            const auto result = consumed ? engine::process(std::move(copy), "a", replacement, false, console)
                                         : engine::process(buffer, "a", replacement, false, console);
            EXPECT_TRUE(result == expected) << "replacement \"" << replacement << "\", consumed " << consumed;
            EXPECT_EQ(console.text(), referenceConsole.text());
        }
    }
}

} // namespace
