#pragma once

#include <string>
#include <vector>

#include "rules/diagnosticlog.h"

// Collects the rule-file diagnostics for as long as it lives.
class LogCapture {
public:
    LogCapture()
        : m_previous(rules::setLogSink(
              [this](std::string_view message, std::string_view) { m_messages.emplace_back(message); }))
    {
    }
    ~LogCapture() { rules::setLogSink(std::move(m_previous)); }
    LogCapture(const LogCapture &) = delete;
    LogCapture &operator=(const LogCapture &) = delete;

    [[nodiscard]] const std::vector<std::string> &messages() const { return m_messages; }

private:
    std::vector<std::string> m_messages;
    rules::LogSink m_previous;
};
