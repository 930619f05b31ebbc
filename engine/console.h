// Where the engine and the translation driver write their progress and error
// lines. `printout` appends the text exactly as given: callers end their own
// lines with "\n", so several calls may build one visible line. The engine
// writes its own lines as messages (message.h), which a console shows in
// English unless it knows better; one that passes lines on passes them on as
// messages.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "message.h"

namespace engine {

class Console {
public:
    virtual ~Console() = default;
    virtual void printout(std::string_view text) = 0;
    virtual void print(const Message &message) { printout(message.english()); }
};

// Collects everything printed; used by tests, benchmarks and fuzzers.
class StringConsole final : public Console {
public:
    void printout(std::string_view text) override { m_text.append(text); }
    [[nodiscard]] const std::string &text() const noexcept { return m_text; }

private:
    std::string m_text;
};

// Passes everything straight on to a stream, flushing at each line end so that
// a long translation shows its progress as it goes.
class StreamConsole final : public Console {
public:
    explicit StreamConsole(std::ostream &out) : m_out(out) {}
    void printout(std::string_view text) override
    {
        m_out << text;
        if (!text.empty() && text.back() == '\n')
            m_out.flush();
    }

private:
    std::ostream &m_out;
};

} // namespace engine
