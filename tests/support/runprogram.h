#pragma once

#include <string>
#include <vector>

struct ProgramRun {
    int exitCode = -1; // -1 when the program did not exit normally
    std::string out;
    std::string err;
};

// Runs `program` with `args`, standard input from /dev/null, and collects what
// it prints. A program still running after a minute is killed, so that one
// waiting for input that never comes fails (exitCode -1) instead of hanging.
[[nodiscard]] ProgramRun runProgram(const std::string &program, const std::vector<std::string> &args);
