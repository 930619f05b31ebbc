// Runs one window of the application: owns it, knows the widget that
// controls its content, and brings it to the front on request.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

class WindowController : public QObject {
    Q_OBJECT

public:
    // Takes `window`, which must be a top-level widget; the content controller
    // is a widget inside it, the window itself when none is given.
    explicit WindowController(QWidget *window, QWidget *contentViewController = nullptr);
    ~WindowController() override;
    Q_DISABLE_COPY_MOVE(WindowController)

    [[nodiscard]] QWidget *window() const { return m_window; }
    [[nodiscard]] QWidget *contentViewController() const { return m_contentViewController; }

    // Shows the window, in front and active. A closed window is only hidden,
    // so it comes back as it was left.
    void showWindow();

private:
    QPointer<QWidget> m_window;
    QPointer<QWidget> m_contentViewController;
};
