// The main window's console as the engine and the translation run write to
// it: every piece goes on to the window as it comes, messages in the
// language of the application's string tables.
#pragma once

#include <QString>

#include <string_view>

#include "engine/console.h"

class ViewController;

class ConsoleBridge final : public engine::Console {
public:
    enum class Clearing { Never, BeforeFirstLine };
    explicit ConsoleBridge(ViewController &controller, Clearing clearing = Clearing::Never);

    void printout(std::string_view text) override;
    void print(const engine::Message &message) override;

private:
    ViewController &m_controller;
    Clearing m_clearing;
};
