// Rule files made to hurt: huge counts, huge lines, garbage, broken UTF-8.
// Each reads to a result or to "Cannot read file." with the reason, in memory
// proportional to the file.
#include <gtest/gtest.h>

#include <random>

#include "rules/diagnosticlog.h"
#include "rules/rulefile.h"
#include "tempdir.h"

namespace {

using rules::Rule;
using Rules = std::vector<Rule>;
using Texts = std::vector<std::string>;

// Collects messages with their details.
class DetailedLog {
public:
    DetailedLog()
        : m_previous(rules::setLogSink([this](std::string_view message, std::string_view detail) {
              m_lines.push_back(std::string(message) + " (" + std::string(detail) + ")");
          }))
    {
    }
    ~DetailedLog() { rules::setLogSink(std::move(m_previous)); }
    DetailedLog(const DetailedLog &) = delete;
    DetailedLog &operator=(const DetailedLog &) = delete;
    [[nodiscard]] const Texts &lines() const { return m_lines; }

private:
    Texts m_lines;
    rules::LogSink m_previous;
};

std::string repeated(std::string_view piece, std::size_t times)
{
    std::string text;
    text.reserve(piece.size() * times);
    for (std::size_t i = 0; i < times; ++i)
        text += piece;
    return text;
}

TEST(HostileRules, HundredThousandRules)
{
    std::string text;
    for (int i = 0; i < 100000; ++i)
        text += (i % 2 ? "1;s" : "0;s") + std::to_string(i) + ";r" + std::to_string(i) + ";\n";
    TempDir dir;
    writeText(dir.file("many.rul"), text);
    const Rules read = rules::readData(dir.file("many.rul"));
    ASSERT_EQ(read.size(), 100000u);
    EXPECT_EQ(read.back(), (Rule{1, "s99999", "r99999"}));
    const Texts pairs = rules::processRuleFile(dir.file("many.rul"));
    ASSERT_EQ(pairs.size(), 100000u);
    EXPECT_EQ(pairs.front(), "s1");
    EXPECT_EQ(pairs.back(), "r99999");
}

// Lines of 10 MiB, each shaped to make a different part of the cutting work.
TEST(HostileRules, TenMebibyteLines)
{
    constexpr std::size_t kSize = 10 << 20;
    const std::string letters(kSize, 'a');
    // U+0301 is two bytes; after a ";" the whole run forms one character with it.
    const std::string marks = repeated("\u0301", kSize / 2);
    struct Case {
        const char *name;
        std::string text;
        Rules expected;
    };
    const Case cases[] = {
        {"LongSearchText", "1;" + letters + ";b;\n", {{1, letters, "b"}}},
        {"OnlySeparators", std::string(kSize, ';'), {}},
        {"OnlyLineEnds", repeated("\r\n", kSize / 2), {}},
        {"SeparatorJoinedToMarks", "1;a;b;" + marks, {{1, "a", "b;" + marks}}},
        {"MarksEverywhere", repeated(";\u0301", kSize / 3), {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        writeText(dir.file("long.rul"), c.text);
        DetailedLog log;
        EXPECT_EQ(rules::readData(dir.file("long.rul")), c.expected);
        EXPECT_EQ(rules::processRuleFile(dir.file("long.rul")).size(), 2 * c.expected.size());
        EXPECT_EQ(log.lines(), Texts{});
    }
}

TEST(HostileRules, BinaryGarbage)
{
    std::mt19937 random(7);
    std::string garbage(1 << 20, '\0');
    for (char &c : garbage)
        c = char(random());
    TempDir dir;
    writeText(dir.file("garbage.rul"), garbage);
    DetailedLog log;
    EXPECT_EQ(rules::readData(dir.file("garbage.rul")), Rules{});
    EXPECT_EQ(rules::processRuleFile(dir.file("garbage.rul")), Texts{});
    ASSERT_EQ(log.lines().size(), 2u);
    EXPECT_TRUE(log.lines()[0].starts_with("Cannot read file. (Cannot read \"" + dir.file("garbage.rul")
                                           + "\": not valid UTF-8 at byte "))
        << log.lines()[0];
}

// Every kind of broken UTF-8 at every kind of place in a file: each file is
// refused whole by both readers, and the log names the first bad byte.
TEST(HostileRules, InvalidUtf8AtEveryPlace)
{
    const std::pair<const char *, std::string> kinds[] = {
        {"stray continuation", "\x80"},
        {"invalid byte", "\xFF"},
        {"two-byte overlong", "\xC0\xAF"},
        {"three-byte overlong", "\xE0\x80\xAF"},
        {"above U+10FFFF", "\xF4\x90\x80\x80"},
        {"cut short", "\xE2\x82"},
        {"four-byte cut short", "\xF0\x9F\x98"},
        {"high surrogate alone", "\xED\xA0\x80"},
        {"low surrogate alone", "\xED\xB0\x80"},
        {"surrogate pair as two characters", "\xED\xA0\xBD\xED\xB8\x80"},
    };
    // Where the broken bytes go, as an offset into a file of three lines.
    const std::string file = "\xEF\xBB\xBF" "1;search;replace;\n0;other;text;\n1;short\n";
    const std::pair<const char *, std::size_t> places[] = {
        {"before the byte-order mark", 0},
        {"before the flag", 3},
        {"after the flag", 4},
        {"in place of a separator", 4},
        {"at the start of the search text", 5},
        {"inside the search text", 8},
        {"at the end of the replacement", 19},
        {"before the line feed", 20},
        {"in a disabled rule", 25},
        {"in a line of two fields", 38},
        {"at the end of the file", file.size()},
    };
    TempDir dir;
    const std::string path = dir.file("broken.rul");
    for (const auto &[kind, bytes] : kinds) {
        for (const auto &[place, at] : places) {
            SCOPED_TRACE(std::string(kind) + ", " + place);
            std::string text = file;
            if (std::string_view(place) == "in place of a separator")
                text.replace(at, 1, bytes);
            else
                text.insert(at, bytes);
            writeText(path, text);
            DetailedLog log;
            testing::internal::CaptureStdout();
            EXPECT_EQ(rules::readData(path), Rules{});
            EXPECT_EQ(rules::processRuleFile(path), Texts{});
            EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
            const std::string expected =
                "Cannot read file. (Cannot read \"" + path + "\": not valid UTF-8 at byte " + std::to_string(at);
            ASSERT_EQ(log.lines().size(), 2u);
            EXPECT_TRUE(log.lines()[0].starts_with(expected)) << log.lines()[0];
            EXPECT_EQ(log.lines()[0], log.lines()[1]);
        }
    }
}

// A device without end is cut off instead of filling the memory.
TEST(HostileRules, EndlessSource)
{
    DetailedLog log;
    EXPECT_EQ(rules::processRuleFile("/dev/zero"), Texts{});
    EXPECT_EQ(log.lines(), Texts{"Cannot read file. (Cannot read \"/dev/zero\": it holds more than 256 MiB, "
                                 "the most atnlingo reads)"});
}

} // namespace
