#include "consolebridge.h"

#include "guisupport/localizedstringtable.h"
#include "viewcontroller.h"

ConsoleBridge::ConsoleBridge(ViewController &controller, Clearing clearing)
    : m_controller(controller)
    , m_clearing(clearing)
{
}

void ConsoleBridge::printout(std::string_view text)
{
    if (m_clearing == Clearing::BeforeFirstLine) {
        m_controller.clearConsole();
        m_clearing = Clearing::Never;
    }
    m_controller.printout(QString::fromUtf8(text.data(), qsizetype(text.size())));
}

void ConsoleBridge::print(const engine::Message &message)
{
    printout(message.text(LocalizedStringTable()));
}
