// The console of the main window: a read-only text to which pieces of plain
// text are only ever appended, and which is emptied as a whole.
#pragma once

#include <QPlainTextEdit>
#include <QString>

class ConsoleView : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit ConsoleView(QWidget *parent = nullptr);

    // Appends `text` as it is, without a style and without a line break.
    void appendPiece(const QString &text);
    // Everything appended since the last clear(), line breaks included.
    [[nodiscard]] QString text() const;
    // Puts text() on the clipboard, in place of what it held.
    void copyAll() const;
};
