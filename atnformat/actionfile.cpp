#include "actionfile.h"

#include <map>

#include "decoding.h"
#include "walker.h"

namespace atnformat {
namespace {

// Keeps what the walk tells, as the reader reports it.
class Collector {
public:
    explicit Collector(ActionFile &file) : m_file(file) {}

    static bool wants(const detail::WalkedString &) { return true; }
    void version(std::uint32_t version) { m_file.version = version; }
    void string(const detail::WalkedString &s)
    {
        detail::readUnits(s.text, s.length(), s.layout, m_units);
        m_file.strings.push_back(StoredString{s.offset, s.layout, s.role, detail::latin1(s.key),
                                              detail::latin1(s.event), detail::utf8(m_units), s.units});
    }
    void action() { ++m_file.actionCount; }
    void event() { ++m_file.eventCount; }

private:
    ActionFile &m_file;
    std::u16string m_units;
};

} // namespace

std::string FormatError::message() const
{
    std::string text = "at offset " + std::to_string(offset) + ": expected " + expected;
    if (!found.empty())
        text += ", found " + found;
    return text;
}

ActionFile readActionFile(std::span<const std::uint8_t> bytes)
{
    ActionFile file;
    Collector collector(file);
    file.error = detail::walk(bytes, collector);
    return file;
}

std::optional<FormatError> checkActionFile(std::span<const std::uint8_t> bytes)
{
    detail::NoVisitor none;
    return detail::walk(bytes, none);
}

std::string roleLabel(const StoredString &string)
{
    switch (string.role) {
    case Role::SetName:
        return "set name";
    case Role::ActionName:
        return "action name";
    case Role::ClassName:
        return "class name";
    case Role::TextValue:
        return "text value";
    case Role::FilePath:
        return "file path";
    case Role::AliasPath:
        return "alias path";
    case Role::ReferenceName:
        break;
    }
    static const std::map<std::string, std::string, std::less<>> kNamed = {
        {"Lyr ", "layer name"},      {"Chnl", "channel name"},      {"Dcmn", "document name"},
        {"Actn", "action reference"}, {"ASet", "set reference"},
    };
    const auto it = kNamed.find(string.key);
    return it != kNamed.end() ? it->second : "name of '" + string.key + "'";
}

} // namespace atnformat
