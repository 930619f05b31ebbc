#pragma once

#include <string>
#include <vector>

#include "rules/diagnosticlog.h"

// Collects the rule-file diagnostics for as long as it lives.
class LogCapture {
public:
    LogCapture()
        : m_previous(rules::setLogSink([this](std::string_view message, std::string_view detail) {
              messages.emplace_back(message);
              details.emplace_back(detail);
          }))
    {
    }
    ~LogCapture() { rules::setLogSink(std::move(m_previous)); }
    LogCapture(const LogCapture &) = delete;
    LogCapture &operator=(const LogCapture &) = delete;

    std::vector<std::string> messages;
    std::vector<std::string> details;

private:
    rules::LogSink m_previous;
};
