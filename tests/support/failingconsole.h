// A console that prints a given number of lines, then fails, for checking
// what a call leaves behind when its console throws halfway.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string_view>

#include "engine/console.h"

class FailingConsole : public engine::Console {
public:
    explicit FailingConsole(std::size_t lines) : m_lines(lines) {}
    void printout(std::string_view) override
    {
        if (m_lines-- == 0)
            throw std::runtime_error("console failed");
    }

private:
    std::size_t m_lines;
};
