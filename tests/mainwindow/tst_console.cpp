// The console: appending, clearing and copying its text.
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "mainwindow/viewcontroller.h"

using namespace Qt::Literals::StringLiterals;

class TestConsole : public QObject {
    Q_OBJECT

private slots:
    void appendCopyClear_data();
    void appendCopyClear();
};

void TestConsole::appendCopyClear_data()
{
    QTest::addColumn<QStringList>("pieces");
    QTest::addColumn<QString>("text");
    QTest::newRow("nothing") << QStringList{} << QString();
    QTest::newRow("pieces on one line, empty piece") << QStringList{u"a"_s, QString(), u"b"_s} << u"ab"_s;
    QTest::newRow("line breaks, blank lines") << QStringList{u"\n\na\n"_s, u"b\n"_s} << u"\n\na\nb\n"_s;
    QTest::newRow("non-Latin, astral, no-break space")
        << QStringList{u"„Ebene“ Слой 😀\n"_s, u"1\u00a0234"_s} << u"„Ebene“ Слой 😀\n1\u00a0234"_s;
}

void TestConsole::appendCopyClear()
{
    QFETCH(QStringList, pieces);
    QFETCH(QString, text);
    ViewController controller;
    const auto click = [&](const char *button) {
        QTest::mouseClick(controller.findChild<QPushButton *>(QLatin1StringView(button)), Qt::LeftButton);
    };
    QVERIFY(controller.findChild<QPlainTextEdit *>(u"consoleViewText"_s)->isReadOnly());
    for (const QString &piece : pieces)
        controller.printout(piece);
    QCOMPARE(controller.consoleText(), text);

    // Copy replaces whatever the clipboard held with the plain text.
    auto *old = new QMimeData;
    old->setHtml(u"<b>old</b>"_s);
    QGuiApplication::clipboard()->setMimeData(old);
    click("copyOutputButton");
    QCOMPARE(QGuiApplication::clipboard()->mimeData()->text(), text);
    QVERIFY(!QGuiApplication::clipboard()->mimeData()->hasHtml());

    click("clearOutputButton");
    QVERIFY(controller.consoleText().isEmpty());
    controller.printout(u"again"_s);
    controller.clearConsole();
    QVERIFY(controller.consoleText().isEmpty());
}

QTEST_MAIN(TestConsole)
#include "tst_console.moc"
