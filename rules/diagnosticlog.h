// The diagnostic log of the rule-file functions: where "Cannot read file."
// and "Cannot write to file." go. Nothing here is shown in a window.
//
// By default each message is one line on standard error, its detail (the
// path and the reason) following in parentheses. A program or a test may
// send the messages elsewhere with `setLogSink`.
//
// **Example**
//   std::vector<std::string> seen;
//   auto previous = setLogSink([&](std::string_view m, std::string_view) { seen.emplace_back(m); });
//   ...
//   setLogSink(std::move(previous));
#pragma once

#include <functional>
#include <string_view>

namespace rules {

// `message` is one of the fixed texts; `detail` says which file and why.
using LogSink = std::function<void(std::string_view message, std::string_view detail)>;

// Sends later messages to `sink`; an empty sink restores standard error.
// Returns the sink that was in place (empty for standard error). Not thread
// safe: set it up before reading or writing rule files.
LogSink setLogSink(LogSink sink);

void logMessage(std::string_view message, std::string_view detail);

} // namespace rules
