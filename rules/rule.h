// One rule of a RUL file: an enabled flag, a search text and a replacement
// text, each also reachable by its key name ("use", "search", "replace"), the
// way a table column names the field it shows.
//
// **Example**
//   Rule rule{1, "Layer", "Ebene"};
//   rule.value("search");                         // std::string("Layer")
//   rule.setValue("use", 0);                      // true, rule.use == 0
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace rules {

struct Rule {
    // "use" holds an int, the two texts a std::string.
    using Value = std::variant<int, std::string>;

    static constexpr std::array<std::string_view, 3> kKeys{"use", "search", "replace"};

    int use = 0; // 1: enabled, 0: disabled
    std::string search;
    std::string replace;

    // The field stored under `key`; nothing for an unknown key.
    [[nodiscard]] std::optional<Value> value(std::string_view key) const;

    // Stores `newValue` under `key`. Returns false, changing nothing, for an
    // unknown key or a value of the wrong kind (a text for "use", an int for a
    // text field).
    bool setValue(std::string_view key, Value newValue);

    friend bool operator==(const Rule &, const Rule &) = default;
};

} // namespace rules
