#include "rule.h"

namespace rules {

std::optional<Rule::Value> Rule::value(std::string_view key) const
{
    if (key == "use")
        return Value(use);
    if (key == "search")
        return Value(search);
    if (key == "replace")
        return Value(replace);
    return std::nullopt;
}

bool Rule::setValue(std::string_view key, Value newValue)
{
    if (key == "use") {
        if (const int *flag = std::get_if<int>(&newValue)) {
            use = *flag;
            return true;
        }
        return false;
    }
    std::string *text = key == "search" ? &search : key == "replace" ? &replace : nullptr;
    if (!text || !std::holds_alternative<std::string>(newValue))
        return false;
    *text = std::move(std::get<std::string>(newValue));
    return true;
}

} // namespace rules
