// The one error type of the translation engine.
//
// `process` throws it for a search or replacement text it cannot work with,
// always before it looks at the buffer; the translation driver catches it and
// turns it into a console line "Error: <description>\n".
#pragma once

#include <exception>
#include <string>

namespace engine {

class RuntimeError : public std::exception {
public:
    enum class Kind { ThrowException };

    [[nodiscard]] static RuntimeError ThrowException(std::string description)
    {
        return RuntimeError(Kind::ThrowException, std::move(description));
    }

    [[nodiscard]] Kind kind() const noexcept { return m_kind; }
    [[nodiscard]] const std::string &description() const noexcept { return m_description; }
    [[nodiscard]] const char *what() const noexcept override { return m_description.c_str(); }

private:
    RuntimeError(Kind kind, std::string description)
        : m_kind(kind), m_description(std::move(description)) {}

    Kind m_kind;
    std::string m_description;
};

} // namespace engine
