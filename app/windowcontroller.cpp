#include "windowcontroller.h"

namespace {

QList<WindowController *> &windowList()
{
    static QList<WindowController *> windows;
    return windows;
}

} // namespace

WindowController::WindowController(QWidget *window, QWidget *contentViewController)
    : m_window(window)
    , m_contentViewController(contentViewController ? contentViewController : window)
{
    Q_ASSERT(window && window->isWindow());
    windowList().append(this);
}

WindowController::~WindowController()
{
    windowList().removeOne(this);
    delete m_window.data();
}

void WindowController::showWindow()
{
    if (!m_window)
        return;
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

QList<WindowController *> WindowController::applicationWindows()
{
    return windowList();
}
