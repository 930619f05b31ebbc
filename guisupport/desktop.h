// The desktop services the windows use: open and save panels, alert sheets
// and questions, opening a file in another program, quitting.
//
// Everything goes through `Desktop::current()`, the toolkit's dialogs unless
// something else was set; tests set a scripted desktop so that no real modal
// dialog ever opens.
#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QWidget;

struct OpenPanel {
    QString title;
    QStringList allowedFileTypes; // extensions without the dot; empty: any file
    bool allowsMultipleSelection = false;
    bool canChooseDirectories = false;
    bool canCreateDirectories = false;
    bool canChooseFiles = true;

    bool operator==(const OpenPanel &) const = default;
};

struct SavePanel {
    QString title;
    QString nameFieldStringValue; // proposed name, used as given
    // Extensions without the dot, offered as the panel's filter; a name
    // chosen without an extension gets the first. Empty: any name, as typed.
    QStringList allowedFileTypes;

    bool operator==(const SavePanel &) const = default;
};

struct Alert {
    enum class Style { Warning, Informational, Critical };
    Style style = Style::Warning;
    QString messageText;
    QString informativeText;
    QStringList buttons;
    // The button that Escape and closing the alert press; -1 for none.
    int cancelButton = -1;

    bool operator==(const Alert &) const = default;
};

class Desktop {
    Q_DECLARE_TR_FUNCTIONS(Desktop)

public:
    Desktop() = default;
    virtual ~Desktop();
    Q_DISABLE_COPY_MOVE(Desktop)

    // Runs the panel application-modally; the chosen path, or nothing when
    // the user cancels. A name saved without an extension gets the first
    // allowed type, and the question whether to replace a file of that name.
    [[nodiscard]] virtual std::optional<QString> runOpenPanel(const OpenPanel &panel, QWidget *parent) = 0;
    // The same for a panel that may choose several files: every chosen path,
    // none when the user cancels.
    [[nodiscard]] virtual QStringList runOpenPanelForFiles(const OpenPanel &panel, QWidget *parent) = 0;
    [[nodiscard]] std::optional<QString> runSavePanel(const SavePanel &panel, QWidget *parent);

    // Shows the alert modal to `window` only and returns at once; a button
    // closes it.
    virtual void beginSheet(const Alert &alert, QWidget *window) = 0;
    // Shows the alert modal to `window` and waits for an answer: the index
    // in `alert.buttons` of the button pressed.
    [[nodiscard]] virtual int runAlert(const Alert &alert, QWidget *window) = 0;
    // Asks "Replace “NAME”?" with `informativeText`, Replace and Cancel; true
    // for Replace.
    [[nodiscard]] bool askToReplace(const QString &path, const QString &informativeText, QWidget *window);

    // Opens a file in the named program where the platform can name one, in
    // the user's default program otherwise. `failed` is called, at once or
    // later, when no program could be started to show it.
    virtual void openFile(const QString &path, const QString &application, std::function<void()> failed) = 0;

    virtual void terminate() = 0;

    [[nodiscard]] static Desktop &current();
    // `desktop` stays the caller's; nullptr goes back to the toolkit's.
    static void setCurrent(Desktop *desktop);

protected:
    // The path as the save panel gives it back.
    [[nodiscard]] virtual std::optional<QString> chooseSavePath(const SavePanel &panel, QWidget *parent) = 0;
};
