#include "textcut.h"

#include <optional>
#include <vector>

#include "characterboundaries.h"

namespace rules {

bool cutRuleText(std::string_view text, std::size_t maxFields, const LineVisitor &visit)
{
    if (text.size() > CharacterBoundaries::kMaxTextSize)
        return false;
    // Set up on the first separator byte: text without any needs no segmenter.
    std::optional<CharacterBoundaries> characters;

    std::vector<std::string_view> fields;
    std::size_t fieldStart = 0;
    auto endField = [&](std::size_t end) {
        if (end > fieldStart && fields.size() < maxFields)
            fields.push_back(text.substr(fieldStart, end - fieldStart));
    };
    auto endLine = [&] {
        if (!fields.empty())
            visit(fields);
        fields.clear();
    };

    std::size_t next = 0;
    for (;;) {
        const bool lineFull = fields.size() >= maxFields;
        const std::size_t at = lineFull ? text.find('\n', next) : text.find_first_of(";\n", next);
        if (at == std::string_view::npos)
            break;
        next = at + 1;
        if (!characters) {
            characters.emplace(text);
            if (!characters->isValid())
                return false;
        }
        if (!characters->standsAlone(at))
            continue;
        endField(at);
        fieldStart = at + 1;
        if (text[at] == '\n')
            endLine();
    }
    endField(text.size());
    endLine();
    return true;
}

} // namespace rules
