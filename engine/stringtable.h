// Texts shown to the user, looked up by key.
//
// Keys are short codes ("Fewargs", "Done") or the English text itself. When a
// table has no entry for a key, the key itself is the text. The formats of
// messages (message.h), whose keys are their English texts, are translated
// apart from the keys. Texts may be
// formats: each "%@" is replaced, in order, by the next argument; "%1$@",
// "%2$@", ... name an argument by position, so that a translation may reorder
// them, and "%%" stands for one "%".
//
// **Example**
//   MapStringTable table({{"ReadInputFile %@", "Read %@ bytes.\n"}});
//   formatText(table.text("ReadInputFile %@"), {"10"});  // "Read 10 bytes.\n"
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace engine {

class StringTable {
public:
    virtual ~StringTable() = default;
    [[nodiscard]] virtual std::string text(std::string_view key) const = 0;
    // The format of a message in the table's language; the English format
    // itself when the table has none.
    [[nodiscard]] virtual std::string translation(std::string_view english) const { return std::string(english); }
};

// A table that has no entries: every key stands for itself.
class KeyEchoTable final : public StringTable {
public:
    [[nodiscard]] std::string text(std::string_view key) const override { return std::string(key); }
};

class MapStringTable final : public StringTable {
public:
    MapStringTable() = default;
    explicit MapStringTable(std::map<std::string, std::string, std::less<>> entries)
        : m_entries(std::move(entries)) {}

    [[nodiscard]] std::string text(std::string_view key) const override;
    [[nodiscard]] std::size_t size() const noexcept { return m_entries.size(); }

private:
    std::map<std::string, std::string, std::less<>> m_entries;
};

// Fills the placeholders of `format` with `args`; a placeholder without an
// argument is left as it stands, arguments are never scanned for placeholders.
[[nodiscard]] std::string formatText(std::string_view format, const std::vector<std::string> &args);

} // namespace engine
