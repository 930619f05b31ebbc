#include "consoleview.h"

#include <QClipboard>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

ConsoleView::ConsoleView(QWidget *parent)
    : QPlainTextEdit(parent)
{
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
}

void ConsoleView::appendPiece(const QString &text)
{
    if (text.isEmpty())
        return;
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(text, QTextCharFormat());
}

QString ConsoleView::text() const
{
    // toPlainText() would turn non-breaking spaces into plain ones.
    QString text = document()->toRawText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    return text;
}

void ConsoleView::copyAll() const
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(text());
}
