// The windows a main window opens, and its help page. The rule editor, the
// ATN window and the Stored Strings window are each made from the main
// window's storyboard "Main" at their first request and kept from then on, so
// that they come back as the user left them.
#pragma once

#include <QCoreApplication>
#include <QString>

#include <memory>

#include "stringsview/stringsviewcontroller.h"

class QWidget;
class Storyboard;
class ViewController;
class WindowController;

class SecondaryWindows final {
    Q_DECLARE_TR_FUNCTIONS(SecondaryWindows)

public:
    explicit SecondaryWindows(ViewController &owner);
    ~SecondaryWindows();
    Q_DISABLE_COPY_MOVE(SecondaryWindows)

    [[nodiscard]] WindowController *editRuleWindow() const { return m_editRuleWindow.get(); }
    [[nodiscard]] WindowController *atnWindow() const { return m_atnWindow.get(); }
    [[nodiscard]] WindowController *stringsWindow() const { return m_stringsWindow.get(); }

    void showRuleEditor();
    // The rule editor, made at the first request, not shown.
    WindowController *makeRuleEditor();
    void showAtnWindow();
    void showStrings(const QString &atnFilePath, const QString &rulFilePath, const TranslationOptions &options);
    // Brings an open Stored Strings window up to date; a hidden one is when it
    // is shown again.
    void refreshStrings(const QString &atnFilePath, const QString &rulFilePath, const TranslationOptions &options);
    // Opens the help page in a browser; when none can show it, a sheet on
    // `window` names the page's file.
    void showHelp(QWidget *window);

private:
    WindowController *windowFor(std::unique_ptr<WindowController> &window, const QString &identifier);
    void showWindow(std::unique_ptr<WindowController> &window, const QString &identifier);

    std::unique_ptr<const Storyboard> m_storyboard;
    std::unique_ptr<WindowController> m_editRuleWindow;
    std::unique_ptr<WindowController> m_atnWindow;
    std::unique_ptr<WindowController> m_stringsWindow;
};
