#include "windowcontroller.h"

WindowController::WindowController(QWidget *window, QWidget *contentViewController)
    : m_window(window)
    , m_contentViewController(contentViewController ? contentViewController : window)
{
    Q_ASSERT(window && window->isWindow());
}

WindowController::~WindowController()
{
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
