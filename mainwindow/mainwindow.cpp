#include "mainwindow.h"

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QMenuBar>
#include <QMessageBox>

#include "batchtranslation.h"
#include "viewcontroller.h"

using namespace Qt::Literals::StringLiterals;

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
    , m_viewController(new ViewController(this))
{
    setObjectName(u"mainWindow"_s);
    setWindowTitle(QApplication::applicationDisplayName());
    setCentralWidget(m_viewController);
    createMenus();
    resize(760, 580);
}

void MainWindow::createMenus()
{
    ViewController *controller = m_viewController;

    QMenu *fileMenu = menuBar()->addMenu(tr("&File"));
    QAction *openAction = fileMenu->addAction(tr("&Open Input File…"), controller, &ViewController::selectAtnFile);
    openAction->setShortcut(QKeySequence::Open);
    openAction->setObjectName(u"openInputAction"_s);
    openAction->setStatusTip(tr("Choose the ATN file to translate"));
    QAction *rulesAction = fileMenu->addAction(tr("Choose &Rule File…"), controller, &ViewController::selectRuleFile);
    rulesAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    rulesAction->setObjectName(u"chooseRulesAction"_s);
    QAction *saveAction = fileMenu->addAction(tr("Save Output &As…"), controller, &ViewController::saveAtnFile);
    saveAction->setShortcut(QKeySequence::SaveAs);
    saveAction->setObjectName(u"saveOutputAction"_s);
    fileMenu->addSeparator();
    QAction *resetAction = fileMenu->addAction(tr("R&eset Files"), controller, &ViewController::resetFiles);
    resetAction->setObjectName(u"resetFilesAction"_s);
    fileMenu->addSeparator();
    QAction *quitAction = fileMenu->addAction(tr("&Quit"), controller, &ViewController::exitApp);
    quitAction->setShortcut(QKeySequence::Quit);
    quitAction->setMenuRole(QAction::QuitRole);
    quitAction->setObjectName(u"quitAction"_s);

    QMenu *editMenu = menuBar()->addMenu(tr("&Edit"));
    QAction *copyAction = editMenu->addAction(tr("&Copy Console Output"), controller, &ViewController::copyOutput);
    copyAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    copyAction->setObjectName(u"copyOutputAction"_s);
    QAction *clearAction = editMenu->addAction(tr("C&lear Console"), controller, &ViewController::clearOutput);
    clearAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));
    clearAction->setObjectName(u"clearOutputAction"_s);

    QMenu *translateMenu = menuBar()->addMenu(tr("&Translate"));
    QAction *startAction = translateMenu->addAction(tr("&Start Translation"), controller,
                                                    &ViewController::startTranslation);
    startAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Return));
    startAction->setObjectName(u"startTranslationAction"_s);
    startAction->setEnabled(false);
    connect(controller, &ViewController::startEnabledChanged, startAction, &QAction::setEnabled);
    QAction *severalAction = translateMenu->addAction(tr("Translate Several &Files…"), controller, [controller] {
        BatchTranslation(*controller)
            .chooseAndTranslate();
    });
    severalAction->setObjectName(u"translateSeveralFilesAction"_s);
    severalAction->setStatusTip(tr("Translate several ATN files into one folder with the chosen rule file"));
    QAction *editRulesAction = translateMenu->addAction(tr("&Edit Rules…"), controller, &ViewController::editRuleFile);
    editRulesAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    editRulesAction->setObjectName(u"editRulesAction"_s);
    QAction *stringsAction = translateMenu->addAction(tr("Stored Strings of the &Input File…"), controller,
                                                      &ViewController::showStringsWindow);
    stringsAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    stringsAction->setObjectName(u"showStringsAction"_s);
    stringsAction->setStatusTip(tr("Show the texts stored in the input file and what the rules match"));

    QMenu *helpMenu = menuBar()->addMenu(tr("&Help"));
    QAction *helpAction = helpMenu->addAction(tr("atnlingo &Help"), controller, &ViewController::showHelp);
    helpAction->setShortcut(QKeySequence::HelpContents);
    helpAction->setObjectName(u"helpAction"_s);
    QAction *atnAction = helpMenu->addAction(tr("About ATN &Files"), controller, &ViewController::showAtnWindow);
    atnAction->setObjectName(u"atnWindowAction"_s);
    helpMenu->addSeparator();
    QAction *aboutAction = helpMenu->addAction(tr("&About atnlingo"), this, &MainWindow::showAbout);
    aboutAction->setMenuRole(QAction::AboutRole);
}

void MainWindow::showAbout()
{
    QMessageBox::about(this, tr("About atnlingo"),
                       tr("<h3>atnlingo %1</h3>"
                          "<p>Translates the texts stored in ATN action files by search and replacement "
                          "rules, so that actions recorded in one language of the image editor work "
                          "in another.</p>")
                           .arg(QApplication::applicationVersion()));
}
