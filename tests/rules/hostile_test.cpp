// Rule files made to hurt: huge counts, huge lines, garbage, broken UTF-8.
// Each reads to a result or to "Cannot read file." with the reason, in memory
// proportional to the file. (A file over the size limit is the command line's.)
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "rules/diagnosticlog.h"
#include "rules/rulefile.h"
#include "tempdir.h"

namespace {

using rules::Rule;
using Rules = std::vector<Rule>;
using Texts = std::vector<std::string>;

// Collects the rule-file diagnostics for as long as it lives.
class LogCapture {
public:
    LogCapture()
        : m_previous(rules::setLogSink([this](std::string_view message, std::string_view detail) {
              messages.emplace_back(message);
              details.emplace_back(detail);
          }))
    {
    }
    ~LogCapture() { rules::setLogSink(std::move(m_previous)); }
    LogCapture(const LogCapture &) = delete;
    LogCapture &operator=(const LogCapture &) = delete;

    std::vector<std::string> messages;
    std::vector<std::string> details;

private:
    rules::LogSink m_previous;
};

// A hundred thousand rules, and lines of 10 MiB, each shaped to make a
// different part of the cutting work.
TEST(HostileRules, HugeCountsAndLines)
{
    std::string many;
    Rules manyRules;
    for (int i = 0; i < 100000; ++i) {
        many += std::to_string(i % 2) + ";s" + std::to_string(i) + ";r" + std::to_string(i) + ";\n";
        manyRules.push_back({i % 2, "s" + std::to_string(i), "r" + std::to_string(i)});
    }
    const auto repeated = [](std::string_view piece, std::size_t times) {
        std::string text;
        for (std::size_t i = 0; i < times; ++i)
            text += piece;
        return text;
    };
    constexpr std::size_t kSize = 10 << 20;
    const std::string letters(kSize, 'a');
    // U+0301 is two bytes; after a ";" the whole run forms one character with it.
    const std::string marks = repeated("\u0301", kSize / 2);
    const std::pair<std::string, Rules> cases[] = {
        {many, manyRules},
        {"1;" + letters + ";b;\n", {{1, letters, "b"}}},
        {std::string(kSize, ';'), {}},
        {repeated("\r\n", kSize / 2), {}},
        {"1;a;b;" + marks, {{1, "a", "b;" + marks}}},
        {repeated(";\u0301", kSize / 3), {}},
    };
    TempDir dir;
    for (const auto &[text, expected] : cases) {
        writeText(dir.file("long.rul"), text);
        LogCapture log;
        EXPECT_EQ(rules::readData(dir.file("long.rul")), expected) << text.substr(0, 8);
        const auto enabled = std::count_if(expected.begin(), expected.end(), [](const Rule &r) { return r.use == 1; });
        EXPECT_EQ(rules::processRuleFile(dir.file("long.rul")).size(), 2 * std::size_t(enabled));
        EXPECT_EQ(log.messages, Texts{});
    }
}

// Every kind of broken UTF-8 at every kind of place in a file, and random
// bytes: each file is refused whole by both readers, and the log names the
// first bad byte.
TEST(HostileRules, InvalidUtf8AtEveryPlaceAndGarbage)
{
    // The whole text is checked before it is cut into rules; the reasons
    // themselves are the validator's (see the engine's text tests).
    const std::string kinds[] = {
        "\x80",             // stray continuation
        "\xE2\x82",         // cut short
        "\xED\xA0\xBD\xED\xB8\x80", // a surrogate pair as two characters
    };
    // Places in a file of three lines: before the byte-order mark, in a
    // disabled rule, at the end.
    const std::string file = "\xEF\xBB\xBF" "1;search;replace;\n0;other;text;\n1;short\n";
    const std::size_t places[] = {0, 25, file.size()};
    std::vector<std::pair<std::string, std::size_t>> texts; // with the first bad byte
    for (const std::string &bytes : kinds) {
        for (const std::size_t at : places)
            texts.emplace_back(std::string(file).insert(at, bytes), at);
        texts.emplace_back(std::string(file).replace(4, 1, bytes), 4); // in place of a separator
    }
    std::mt19937 random(7);
    std::string garbage(1 << 20, '\0');
    for (char &c : garbage)
        c = char(random());
    texts.emplace_back(garbage, std::string::npos); // the offset is not checked

    TempDir dir;
    const std::string path = dir.file("broken.rul");
    for (const auto &[text, at] : texts) {
        SCOPED_TRACE(testing::PrintToString(text.substr(0, 48)));
        writeText(path, text);
        LogCapture log;
        testing::internal::CaptureStdout();
        EXPECT_EQ(rules::readData(path), Rules{});
        EXPECT_EQ(rules::processRuleFile(path), Texts{});
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
        ASSERT_EQ(log.messages, Texts(2, "Cannot read file."));
        const std::string reason = "Cannot read \"" + path + "\": not valid UTF-8 at byte " +
                                   (at == std::string::npos ? "" : std::to_string(at) + ":");
        EXPECT_TRUE(log.details[0].starts_with(reason)) << log.details[0];
        EXPECT_EQ(log.details[0], log.details[1]);
    }
}

} // namespace
