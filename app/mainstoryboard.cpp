#include "mainstoryboard.h"

#include "atnwindow.h"
#include "mainwindow/mainwindow.h"
#include "mainwindow/viewcontroller.h"
#include "ruleeditor/ruleeditorviewcontroller.h"
#include "storyboard.h"
#include "stringsview/stringsviewcontroller.h"
#include "windowcontroller.h"

using namespace Qt::Literals::StringLiterals;

namespace {

std::unique_ptr<WindowController> makeMainWindowController()
{
    auto *window = new MainWindow;
    return std::make_unique<WindowController>(window, window->viewController());
}

// The editor is its own window, so that it stays open when the main window
// closes.
std::unique_ptr<WindowController> makeRuleEditorWindowController()
{
    auto *window = new RuleEditorViewController;
    window->setObjectName(u"ruleEditorWindow"_s);
    window->resize(640, 460);
    return std::make_unique<WindowController>(window);
}

std::unique_ptr<WindowController> makeAtnWindowController()
{
    return std::make_unique<WindowController>(new AtnWindow);
}

// "Add Rule" of the strings window: new rows in the main window's rule editor,
// which is opened for them.
int addRulesInEditor(const QStringList &searchTexts)
{
    ViewController *main = ViewController::mainController();
    if (!main)
        return 0;
    main->editRuleFile();
    WindowController *editorWindow = main->editRuleWindow();
    auto *editor =
        editorWindow ? qobject_cast<RuleEditorViewController *>(editorWindow->contentViewController()) : nullptr;
    return editor ? editor->addRules(searchTexts) : 0;
}

std::unique_ptr<WindowController> makeStringsWindowController()
{
    auto *strings = new StringsViewController;
    strings->setAddRulesHandler(addRulesInEditor);
    return std::make_unique<WindowController>(strings);
}

} // namespace

std::shared_ptr<Storyboard> makeMainStoryboard()
{
    auto storyboard = std::make_shared<Storyboard>(u"Main"_s);
    storyboard->setInitialScene(makeMainWindowController);
    storyboard->addScene(u"Rule Editor Window Controller"_s, makeRuleEditorWindowController);
    storyboard->addScene(u"Atn Window Controller"_s, makeAtnWindowController);
    storyboard->addScene(u"Strings Window Controller"_s, makeStringsWindowController);
    return storyboard;
}
