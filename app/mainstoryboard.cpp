#include "mainstoryboard.h"

#include <QCoreApplication>

#include "atnwindow.h"
#include "mainwindow/mainwindow.h"
#include "mainwindow/viewcontroller.h"
#include "storyboard.h"
#include "windowcontroller.h"

using namespace Qt::Literals::StringLiterals;

namespace {

std::unique_ptr<WindowController> makeMainWindowController()
{
    auto *window = new MainWindow;
    return std::make_unique<WindowController>(window, window->viewController());
}

// The rule editor's own content comes with its controller; until then the
// scene is an empty window.
std::unique_ptr<WindowController> makeRuleEditorWindowController()
{
    auto *window = new QWidget;
    window->setObjectName(u"ruleEditorWindow"_s);
    window->setWindowTitle(QCoreApplication::translate("MainStoryboard", "Rule Editor"));
    window->resize(560, 420);
    return std::make_unique<WindowController>(window);
}

std::unique_ptr<WindowController> makeAtnWindowController()
{
    return std::make_unique<WindowController>(new AtnWindow);
}

} // namespace

std::shared_ptr<Storyboard> makeMainStoryboard()
{
    auto storyboard = std::make_shared<Storyboard>(u"Main"_s);
    storyboard->setInitialScene(makeMainWindowController);
    storyboard->addScene(u"Rule Editor Window Controller"_s, makeRuleEditorWindowController);
    storyboard->addScene(u"Atn Window Controller"_s, makeAtnWindowController);
    return storyboard;
}
