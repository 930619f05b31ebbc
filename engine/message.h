// A text for people, kept as the English format it was made from and the
// arguments that fill it, so that a front end can show it in its own
// language while everything else gets the English text.
//
// The format is the English text itself, with "%@" for each argument
// (stringtable.h), and its key in a string table's translations
// (`StringTable::translation`); messages.h holds every format. An argument is
// verbatim text (a path, a number, the system's description of an error) or a
// message of its own.
//
// **Example**
//   const engine::Message m(engine::messages::kCannotRead, {"in.atn", engine::messages::kIsAFolder});
//   m.english();      // "Cannot read \"in.atn\": it is a folder"
//   m.text(strings);  // the same in the language of `strings`
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace engine {

class StringTable;

// An English format of messages.h.
struct Format {
    std::string_view english;
};

class Message {
public:
    Message() = default;
    Message(Format format, std::vector<Message> args = {});
    // Verbatim text, shown as it is in every language.
    Message(std::string verbatim);
    Message(const char *verbatim);

    [[nodiscard]] std::string text(const StringTable &strings) const;
    [[nodiscard]] std::string english() const;

    bool operator==(const Message &) const = default;

private:
    std::string m_text; // the format, or the verbatim text
    bool m_verbatim = true;
    std::vector<Message> m_args;
};

} // namespace engine
