#include "message.h"

#include "stringtable.h"

namespace engine {

Message::Message(Format format, std::vector<Message> args)
    : m_text(format.english)
    , m_verbatim(false)
    , m_args(std::move(args))
{
}

Message::Message(std::string verbatim)
    : m_text(std::move(verbatim))
{
}

Message::Message(const char *verbatim)
    : m_text(verbatim)
{
}

std::string Message::text(const StringTable &strings) const
{
    if (m_verbatim)
        return m_text;
    std::vector<std::string> args;
    args.reserve(m_args.size());
    for (const Message &arg : m_args)
        args.push_back(arg.text(strings));
    return formatText(strings.translation(m_text), args);
}

std::string Message::english() const
{
    return text(KeyEchoTable());
}

} // namespace engine
