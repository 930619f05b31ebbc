#include "diagnosticlog.h"

#include <iostream>
#include <string>

namespace rules {
namespace {

LogSink &currentSink()
{
    static LogSink sink;
    return sink;
}

} // namespace

LogSink setLogSink(LogSink sink)
{
    LogSink previous = std::move(currentSink());
    currentSink() = std::move(sink);
    return previous;
}

void logMessage(std::string_view message, std::string_view detail)
{
    if (const LogSink &sink = currentSink()) {
        sink(message, detail);
        return;
    }
    // One write per line, so that lines of concurrent writers do not mix.
    std::string line(message);
    if (!detail.empty())
        line.append(" (").append(detail).append(")");
    line.push_back('\n');
    std::cerr << line << std::flush;
}

} // namespace rules
