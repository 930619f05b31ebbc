#include "filelisting.h"

#include <algorithm>
#include <cstdio>

#include "atnformat/actionfile.h"
#include "cli.h"
#include "engine/fileio.h"

namespace cli {

std::string_view layoutName(atnformat::Layout layout)
{
    return layout == atnformat::Layout::BigEndian ? "be" : "le";
}

std::string_view roleName(atnformat::Role role)
{
    switch (role) {
    case atnformat::Role::SetName:
        return "setName";
    case atnformat::Role::ActionName:
        return "actionName";
    case atnformat::Role::ClassName:
        return "className";
    case atnformat::Role::TextValue:
        return "textValue";
    case atnformat::Role::ReferenceName:
        return "referenceName";
    case atnformat::Role::FilePath:
        return "filePath";
    case atnformat::Role::AliasPath:
        return "aliasPath";
    }
    return "";
}

// The escapes both JSON and a reader of the listing understand.
std::string quoted(std::string_view text)
{
    std::string out = "\"";
    for (const char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
                out += escape;
            } else {
                out += c;
            }
        }
    }
    return out + "\"";
}

std::string tableHeader()
{
    char line[64];
    std::snprintf(line, sizeof line, "%8s  %-6s  %-18s  ", "OFFSET", "LAYOUT", "ROLE");
    return line;
}

std::string tableColumns(const atnformat::StoredString &string)
{
    const std::string label = atnformat::roleLabel(string);
    char line[64];
    std::snprintf(line, sizeof line, "%8zu  %-6s  %-18s  ", string.offset,
                  string.layout == atnformat::Layout::BigEndian ? "BE" : "LE", label.c_str());
    return line;
}

namespace {

std::string counted(std::size_t n, std::string_view thing)
{
    return std::to_string(n) + " " + std::string(thing) + (n == 1 ? "" : "s");
}

std::string summary(const atnformat::ActionFile &file)
{
    return "version " + std::to_string(file.version) + ", " + counted(file.actionCount, "action") + ", " +
           counted(file.eventCount, "event") + ", " + counted(file.strings.size(), "stored string");
}

void printJson(const std::string &path, const atnformat::ActionFile &file, std::ostream &out)
{
    out << "{\n  \"file\": " << quoted(path) << ",\n  \"wellFormed\": " << (file.isWellFormed() ? "true" : "false")
        << ",\n  \"version\": " << file.version << ",\n  \"actions\": " << file.actionCount
        << ",\n  \"events\": " << file.eventCount << ",\n  \"strings\": [";
    const char *separator = "\n";
    for (const atnformat::StoredString &s : file.strings) {
        out << separator << "    {\"offset\": " << s.offset << ", \"layout\": \"" << layoutName(s.layout)
            << "\", \"role\": \"" << roleName(s.role) << "\", \"label\": " << quoted(atnformat::roleLabel(s))
            << ", \"key\": " << quoted(s.key) << ", \"event\": " << quoted(s.event) << ", \"units\": " << s.units
            << ", \"text\": " << quoted(s.text) << "}";
        separator = ",\n";
    }
    out << (file.strings.empty() ? "]" : "\n  ]") << ",\n  \"error\": ";
    if (file.error) {
        out << "{\"offset\": " << file.error->offset << ", \"expected\": " << quoted(file.error->expected)
            << ", \"found\": " << quoted(file.error->found) << ", \"message\": " << quoted(file.error->message())
            << "}";
    } else {
        out << "null";
    }
    out << "\n}\n";
}

// Empty strings (mostly class names) are counted in the summary but not listed.
void printTable(const std::string &path, const atnformat::ActionFile &file, std::ostream &out)
{
    const auto empty = static_cast<std::size_t>(
        std::count_if(file.strings.begin(), file.strings.end(), [](const auto &s) { return s.text.empty(); }));
    out << path << ": " << (file.isWellFormed() ? "well-formed, " : "not well-formed, ") << summary(file);
    if (empty > 0)
        out << " (" << empty << " empty, not listed)";
    out << "\n";
    out << tableHeader() << "TEXT\n";
    for (const atnformat::StoredString &s : file.strings) {
        if (s.text.empty())
            continue;
        out << tableColumns(s) << quoted(s.text) << "\n";
    }
}

} // namespace

int listStrings(const std::vector<std::string> &args, std::ostream &out, std::ostream &err)
{
    bool json = false;
    std::vector<std::string> files;
    for (const std::string &arg : args) {
        if (arg == "--json")
            json = true;
        else
            files.push_back(arg);
    }
    if (files.size() != 1) {
        err << "Usage: atnlingo --list [--json] FILE\n";
        return Usage;
    }
    const std::string &path = files.front();
    const engine::ReadResult input = engine::readFile(path);
    if (!input.ok) {
        err << "Error: " << input.error() << "\n";
        return Failure;
    }
    const atnformat::ActionFile file = atnformat::readActionFile(input.bytes);
    if (json)
        printJson(path, file, out);
    else
        printTable(path, file, out);
    if (file.error) {
        err << "Error: " << path << " is not a well-formed action file: " << file.error->message() << "\n";
        return Failure;
    }
    return Success;
}

int checkFiles(const std::vector<std::string> &files, std::ostream &out, std::ostream &err)
{
    if (files.empty()) {
        err << "Usage: atnlingo --check FILE...\n";
        return Usage;
    }
    int status = Success;
    for (const std::string &path : files) {
        const engine::ReadResult input = engine::readFile(path);
        if (!input.ok) {
            err << "Error: " << input.error() << "\n";
            status = Failure;
            continue;
        }
        const atnformat::ActionFile file = atnformat::readActionFile(input.bytes);
        if (file.error) {
            out << path << ": not well-formed: " << file.error->message() << "\n";
            status = Failure;
        } else {
            out << path << ": well-formed, " << summary(file) << "\n";
        }
    }
    return status;
}

} // namespace cli
