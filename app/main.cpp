#include <QApplication>
#include <QCommandLineParser>
#include <QLocale>

#include "appdelegate.h"
#include "mainwindow/mainwindow.h"
#include "resources/bundle.h"

using namespace Qt::Literals::StringLiterals;

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(u"atnlingo"_s);
    QApplication::setApplicationDisplayName(u"atnlingo"_s);
    QApplication::setApplicationVersion(QStringLiteral(ATNLINGO_VERSION));
    QApplication::setWindowIcon(bundle::applicationIcon());
    bundle::installTranslations(QLocale());

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QCoreApplication::translate("main", "Translates the texts stored in ATN action files by search and replacement rules."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.process(application);

    AppDelegate delegate;
    delegate.attach(application);

    // The first window; it makes and owns every other window.
    MainWindow mainWindow;
    mainWindow.show();
    return QApplication::exec();
}
