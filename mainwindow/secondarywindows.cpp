#include "secondarywindows.h"

#include <QDir>
#include <QPointer>
#include <QWidget>

#include "guisupport/desktop.h"
#include "guisupport/storyboard.h"
#include "guisupport/windowcontroller.h"
#include "mainstoryboard.h"
#include "resources/bundle.h"

using namespace Qt::Literals::StringLiterals;

SecondaryWindows::SecondaryWindows(ViewController &owner)
    : m_storyboard(makeMainStoryboard(owner))
{
}

SecondaryWindows::~SecondaryWindows() = default;

WindowController *SecondaryWindows::windowFor(std::unique_ptr<WindowController> &window, const QString &identifier)
{
    if (!window)
        window = m_storyboard->instantiateControllerWithIdentifier(identifier);
    return window.get();
}

void SecondaryWindows::showWindow(std::unique_ptr<WindowController> &window, const QString &identifier)
{
    if (WindowController *controller = windowFor(window, identifier))
        controller->showWindow();
}

WindowController *SecondaryWindows::makeRuleEditor()
{
    return windowFor(m_editRuleWindow, u"Rule Editor Window Controller"_s);
}

void SecondaryWindows::showRuleEditor()
{
    if (WindowController *controller = makeRuleEditor())
        controller->showWindow();
}

void SecondaryWindows::showAtnWindow()
{
    showWindow(m_atnWindow, u"Atn Window Controller"_s);
}

void SecondaryWindows::showStrings(const QString &atnFilePath, const QString &rulFilePath,
                                   const TranslationOptions &options)
{
    WindowController *controller = windowFor(m_stringsWindow, u"Strings Window Controller"_s);
    if (!controller)
        return;
    if (auto *strings = qobject_cast<StringsViewController *>(controller->contentViewController()))
        strings->setFiles(atnFilePath, rulFilePath, options);
    controller->showWindow();
}

void SecondaryWindows::refreshStrings(const QString &atnFilePath, const QString &rulFilePath,
                                      const TranslationOptions &options)
{
    if (!m_stringsWindow || !m_stringsWindow->window() || !m_stringsWindow->window()->isVisible())
        return;
    if (auto *strings = qobject_cast<StringsViewController *>(m_stringsWindow->contentViewController()))
        strings->setFiles(atnFilePath, rulFilePath, options);
}

void SecondaryWindows::showHelp(QWidget *window)
{
    //: load help file
    const QString name = bundle::localizedString(QT_TRANSLATE_NOOP("Localizable", "help/help"));
    const QString path = bundle::pathForResource(name, u"html"_s);
    const auto failed = [path, name, window = QPointer(window)] {
        Alert alert;
        alert.style = Alert::Style::Informational;
        alert.messageText = tr("The help page could not be opened");
        alert.informativeText = path.isEmpty() ? tr("The help page %1 is missing.")
                                                     .arg(QDir(bundle::resourcePath()).filePath(name + u".html"_s))
                                               : tr("No web browser could be started. The help page is the file %1.")
                                                     .arg(path);
        alert.buttons = {tr("OK")};
        if (window)
            Desktop::current().beginSheet(alert, window);
    };
    if (path.isEmpty())
        failed();
    else
        Desktop::current().openFile(path, u"Safari"_s, failed);
}
