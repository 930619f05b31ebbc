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

} // namespace engine
