#include "rulefile.h"

#include <cerrno>
#include <iostream>

#include "engine/fileio.h"
#include "engine/utf16.h"
#include "rules/diagnosticlog.h"
#include "rules/textcut.h"

namespace rules {
namespace {

constexpr std::string_view kCannotRead = "Cannot read file.";
constexpr std::string_view kCannotWrite = "Cannot write to file.";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::size_t kFieldsUsed = 3;

void setError(std::string *error, std::string text)
{
    if (error)
        *error = std::move(text);
}

// Checks the encoding and drops a leading byte-order mark.
std::optional<std::string_view> prepare(std::string_view text, std::string *error)
{
    if (const auto invalid = engine::findInvalidUtf8(text)) {
        setError(error, "not valid UTF-8 at byte " + std::to_string(invalid->offset) + ": " + invalid->reason);
        return std::nullopt;
    }
    if (text.starts_with(kByteOrderMark))
        text.remove_prefix(kByteOrderMark.size());
    return text;
}

bool cut(std::string_view text, const LineVisitor &visit, std::string *error)
{
    const auto prepared = prepare(text, error);
    if (!prepared)
        return false;
    if (!cutRuleText(*prepared, kFieldsUsed, visit)) {
        setError(error, "the text is too long or cannot be cut into characters");
        return false;
    }
    return true;
}

bool isEnabling(std::string_view flag) { return flag == "1" || flag == "true"; }
bool isDisabling(std::string_view flag) { return flag == "0" || flag == "false"; }

// The file's bytes, or nothing after logging why not. A missing file is not
// logged when `notFound` is given: it says so there instead.
std::optional<std::vector<std::uint8_t>> readBytes(const std::string &path, bool *notFound = nullptr)
{
    engine::ReadResult read = engine::readFile(path, kMaxRuleFileSize);
    if (!read.ok) {
        // A path that cannot be looked at (a folder without search
        // permission) is not "not found": the log says why.
        if (notFound && (read.systemError == ENOENT || read.systemError == ENOTDIR))
            *notFound = true;
        else
            logMessage(kCannotRead, read.error());
        return std::nullopt;
    }
    return std::move(read.bytes);
}

std::string_view asText(const std::vector<std::uint8_t> &bytes)
{
    return {reinterpret_cast<const char *>(bytes.data()), bytes.size()};
}

void logUnreadable(const std::string &path, const std::string &why)
{
    logMessage(kCannotRead, "Cannot read \"" + path + "\": " + why);
}

} // namespace

RuleLineEnds appendRuleLine(std::string &text, const Rule &rule)
{
    RuleLineEnds ends{};
    text += std::to_string(rule.use);
    ends.flag = text.size();
    text.append(";").append(rule.search);
    ends.search = text.size();
    text.append(";").append(rule.replace);
    ends.replace = text.size();
    text.append(";\n");
    return ends;
}

std::string rulesToText(const std::vector<Rule> &rules)
{
    std::string text;
    for (const Rule &rule : rules)
        appendRuleLine(text, rule);
    return text;
}

std::optional<std::vector<Rule>> rulesFromText(std::string_view text, std::string *error)
{
    std::vector<Rule> rules;
    int flag = 0; // carried from one rule of the text to the next
    const bool ok = cut(text, [&](std::span<const std::string_view> fields) {
        if (fields.size() < kFieldsUsed)
            return;
        if (isEnabling(fields[0]))
            flag = 1;
        if (isDisabling(fields[0]))
            flag = 0;
        rules.push_back({flag, std::string(fields[1]), std::string(fields[2])});
    }, error);
    if (!ok)
        return std::nullopt;
    return rules;
}

std::optional<std::vector<std::string>> enabledPairsFromText(std::string_view text, std::string *error)
{
    std::vector<std::string> pairs;
    const bool ok = cut(text, [&](std::span<const std::string_view> fields) {
        if (fields.size() < kFieldsUsed || !isEnabling(fields[0]))
            return;
        pairs.emplace_back(fields[1]);
        pairs.emplace_back(fields[2]);
    }, error);
    if (!ok)
        return std::nullopt;
    return pairs;
}

std::vector<std::string> processRuleFile(const std::string &pathname)
{
    bool notFound = false;
    const auto bytes = readBytes(pathname, &notFound);
    if (notFound)
        std::cout << "File not found\n" << std::flush;
    if (!bytes)
        return {};
    std::string why;
    auto pairs = enabledPairsFromText(asText(*bytes), &why);
    if (!pairs) {
        logUnreadable(pathname, why);
        return {};
    }
    return std::move(*pairs);
}

std::vector<Rule> readData(const std::string &path)
{
    const auto bytes = readBytes(path);
    if (!bytes)
        return {};
    std::string why;
    auto rules = rulesFromText(asText(*bytes), &why);
    if (!rules) {
        logUnreadable(path, why);
        return {};
    }
    return std::move(*rules);
}

WriteReport writeData(const std::string &path, const std::vector<Rule> &rules)
{
    WriteReport report;
    report.lossyRows = findLossyRows(rules);
    const engine::WriteResult result = engine::writeFileAtomically(path, std::string_view(rulesToText(rules)));
    report.written = result.ok;
    if (!result.ok) {
        report.error = result.error();
        logMessage(kCannotWrite, result.error());
    }
    return report;
}

} // namespace rules
