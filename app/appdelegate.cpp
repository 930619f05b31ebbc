#include "appdelegate.h"

#include <QApplication>
#include <QTimer>

AppDelegate::AppDelegate(QObject *parent)
    : QObject(parent)
{
}

// Nothing to prepare and nothing to save: the application keeps no settings.
void AppDelegate::applicationDidFinishLaunching() {}

void AppDelegate::applicationWillTerminate() {}

bool AppDelegate::applicationShouldTerminateAfterLastWindowClosed() const
{
    return true;
}

void AppDelegate::attach(QApplication &application)
{
    QApplication::setQuitOnLastWindowClosed(applicationShouldTerminateAfterLastWindowClosed());
    connect(&application, &QCoreApplication::aboutToQuit, this, &AppDelegate::applicationWillTerminate);
    QTimer::singleShot(0, this, &AppDelegate::applicationDidFinishLaunching);
}
