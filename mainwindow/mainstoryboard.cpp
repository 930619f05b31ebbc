#include "mainstoryboard.h"

#include "atnwindow.h"
#include "guisupport/storyboard.h"
#include "guisupport/windowcontroller.h"
#include "ruleeditor/ruleeditorviewcontroller.h"
#include "stringsview/stringsviewcontroller.h"
#include "viewcontroller.h"

using namespace Qt::Literals::StringLiterals;

std::unique_ptr<const Storyboard> makeMainStoryboard(ViewController &owner)
{
    auto storyboard = std::make_unique<Storyboard>(u"Main"_s);

    // The editor starts on the owner's rule file and hands a path back on OK.
    // It is its own window, so that it stays open when the main window closes.
    storyboard->addScene(u"Rule Editor Window Controller"_s, [&owner] {
        auto *editor = new RuleEditorViewController(owner.rulFilePath());
        editor->setObjectName(u"ruleEditorWindow"_s);
        editor->resize(640, 460);
        QObject::connect(editor, &RuleEditorViewController::ruleFilePathHandedBack, &owner,
                         &ViewController::setRuleFieldAndPath);
        return std::make_unique<WindowController>(editor);
    });

    storyboard->addScene(u"Atn Window Controller"_s, [] { return std::make_unique<WindowController>(new AtnWindow); });

    // "Add Rule" puts new rows into the owner's rule editor.
    storyboard->addScene(u"Strings Window Controller"_s, [&owner] {
        auto *strings = new StringsViewController;
        strings->setAddRulesHandler(
            [&owner](const QStringList &searchTexts) { return owner.addRulesInEditor(searchTexts); });
        return std::make_unique<WindowController>(strings);
    });
    return storyboard;
}
