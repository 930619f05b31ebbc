#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QLocale>

#include "appdelegate.h"
#include "mainwindow/mainwindow.h"
#include "mainwindow/viewcontroller.h"
#include "resources/bundle.h"

using namespace Qt::Literals::StringLiterals;

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(u"atnlingo"_s);
    QApplication::setApplicationDisplayName(u"atnlingo"_s);
    QApplication::setApplicationVersion(QStringLiteral(ATNLINGO_VERSION));
    // Names the desktop entry, so that the desktop shows the window under it.
    QGuiApplication::setDesktopFileName(u"org.atnlingo.atnlingo"_s);
    QApplication::setWindowIcon(bundle::applicationIcon());
    bundle::installTranslations(QLocale());

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QCoreApplication::translate("main", "Translates the texts stored in ATN action files by search and replacement rules."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(u"files"_s,
                                 QCoreApplication::translate("main", "Files to open: an .atn file as the input file, a .rul file as the rule file."),
                                 u"[FILE...]"_s);
    parser.process(application);

    AppDelegate delegate;
    delegate.attach(application);

    // The first window; it makes and owns every other window.
    MainWindow mainWindow;
    mainWindow.show();
    QStringList files = parser.positionalArguments();
    for (QString &file : files)
        file = QFileInfo(file).absoluteFilePath();
    mainWindow.viewController()->openFiles(files);
    return QApplication::exec();
}
