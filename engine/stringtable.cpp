#include "stringtable.h"

#include <cctype>

namespace engine {

std::string MapStringTable::text(std::string_view key) const
{
    const auto found = m_entries.find(key);
    return found == m_entries.end() ? std::string(key) : found->second;
}

std::string formatText(std::string_view format, const std::vector<std::string> &args)
{
    std::string out;
    out.reserve(format.size());
    std::size_t next = 0;
    std::size_t i = 0;
    while (i < format.size()) {
        if (format[i] != '%' || i + 1 >= format.size()) {
            out.push_back(format[i++]);
            continue;
        }
        if (format[i + 1] == '@') {
            if (next < args.size())
                out += args[next++];
            else
                out += "%@";
            i += 2;
            continue;
        }
        if (format[i + 1] == '%') {
            out.push_back('%');
            i += 2;
            continue;
        }
        // Positional form %N$@.
        std::size_t j = i + 1;
        std::size_t index = 0;
        while (j < format.size() && std::isdigit(static_cast<unsigned char>(format[j])) && index < 1000)
            index = index * 10 + std::size_t(format[j++] - '0');
        if (j > i + 1 && j + 1 < format.size() && format[j] == '$' && format[j + 1] == '@' && index >= 1
            && index <= args.size()) {
            out += args[index - 1];
            i = j + 2;
            continue;
        }
        out.push_back(format[i++]);
    }
    return out;
}

namespace {

// Reads a quoted, escaped text starting at `i` (which points at the opening
// quote); leaves `i` after the closing quote.
bool readQuoted(std::string_view line, std::size_t &i, std::string &out)
{
    if (i >= line.size() || line[i] != '"')
        return false;
    ++i;
    while (i < line.size()) {
        const char c = line[i++];
        if (c == '"')
            return true;
        if (c != '\\') {
            out.push_back(c);
            continue;
        }
        if (i >= line.size())
            return false;
        switch (line[i++]) {
        case 'n': out.push_back('\n'); break;
        case 't': out.push_back('\t'); break;
        case '"': out.push_back('"'); break;
        case '\\': out.push_back('\\'); break;
        default: return false;
        }
    }
    return false;
}

void skipBlanks(std::string_view line, std::size_t &i)
{
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r'))
        ++i;
}

} // namespace

std::optional<MapStringTable> parseStringsTable(std::string_view source, std::string *error)
{
    std::map<std::string, std::string, std::less<>> entries;
    std::size_t lineNumber = 0;
    std::size_t begin = 0;
    while (begin <= source.size()) {
        std::size_t end = source.find('\n', begin);
        if (end == std::string_view::npos)
            end = source.size();
        const std::string_view line = source.substr(begin, end - begin);
        begin = end + 1;
        ++lineNumber;

        std::size_t i = 0;
        skipBlanks(line, i);
        if (i == line.size() || line.substr(i, 2) == "//")
            continue;
        std::string key, value;
        bool ok = readQuoted(line, i, key);
        skipBlanks(line, i);
        ok = ok && i < line.size() && line[i++] == '=';
        skipBlanks(line, i);
        ok = ok && readQuoted(line, i, value);
        skipBlanks(line, i);
        ok = ok && i < line.size() && line[i++] == ';';
        skipBlanks(line, i);
        if (!ok || i != line.size()) {
            if (error)
                *error = "line " + std::to_string(lineNumber) + ": expected \"key\" = \"text\";";
            return std::nullopt;
        }
        entries[std::move(key)] = std::move(value);
    }
    return MapStringTable(std::move(entries));
}

} // namespace engine
