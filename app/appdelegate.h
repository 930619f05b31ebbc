// The application's answers to its life-cycle events.
#pragma once

#include <QObject>

class QApplication;

class AppDelegate : public QObject {
    Q_OBJECT

public:
    explicit AppDelegate(QObject *parent = nullptr);

    void applicationDidFinishLaunching();
    void applicationWillTerminate();
    [[nodiscard]] bool applicationShouldTerminateAfterLastWindowClosed() const;

    // Wires the three answers into the application's event loop.
    void attach(QApplication &application);
};
