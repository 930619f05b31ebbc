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
    void init() { m_controller = std::make_unique<ViewController>(); }
    void cleanup() { m_controller.reset(); }

    void appends_data();
    void appends();
    void clearEmptiesIt();
    void copyPutsTheWholeTextAsPlainText_data();
    void copyPutsTheWholeTextAsPlainText();

private:
    void click(const char *button)
    {
        QTest::mouseClick(m_controller->findChild<QPushButton *>(QLatin1StringView(button)), Qt::LeftButton);
    }

    std::unique_ptr<ViewController> m_controller;
};

void TestConsole::appends_data()
{
    QTest::addColumn<QStringList>("pieces");
    QTest::addColumn<QString>("text");
    QTest::newRow("pieces on one line") << QStringList{u"a"_s, u"b"_s} << u"ab"_s;
    QTest::newRow("line break ends a line") << QStringList{u"a\n"_s, u"b"_s} << u"a\nb"_s;
    QTest::newRow("empty piece") << QStringList{u"a"_s, QString(), u"b\n"_s} << u"ab\n"_s;
    QTest::newRow("blank lines") << QStringList{u"\n\n"_s, u"x\n"_s} << u"\n\nx\n"_s;
    QTest::newRow("non-Latin, astral, no-break space")
        << QStringList{u"„Ebene“ Слой 😀\n"_s, u"1\u00a0234"_s} << u"„Ebene“ Слой 😀\n1\u00a0234"_s;
}

void TestConsole::appends()
{
    QFETCH(QStringList, pieces);
    QFETCH(QString, text);
    for (const QString &piece : pieces)
        m_controller->printout(piece);
    QCOMPARE(m_controller->consoleText(), text);
    QVERIFY(m_controller->findChild<QPlainTextEdit *>(u"consoleViewText"_s)->isReadOnly());
}

void TestConsole::clearEmptiesIt()
{
    click("clearOutputButton"); // an empty console stays empty
    QVERIFY(m_controller->consoleText().isEmpty());
    m_controller->printout(u"Done.\n"_s);
    click("clearOutputButton");
    QVERIFY(m_controller->consoleText().isEmpty());
    m_controller->printout(u"again"_s);
    m_controller->clearConsole();
    QVERIFY(m_controller->consoleText().isEmpty());
}

void TestConsole::copyPutsTheWholeTextAsPlainText_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("two lines") << u"Opening input file: /w/in.atn\nDone.\n"_s;
    QTest::newRow("empty console") << QString();
}

void TestConsole::copyPutsTheWholeTextAsPlainText()
{
    QFETCH(QString, text);
    auto *old = new QMimeData;
    old->setHtml(u"<b>old</b>"_s);
    old->setText(u"old"_s);
    QGuiApplication::clipboard()->setMimeData(old);
    m_controller->printout(text);

    click("copyOutputButton");

    const QMimeData *copied = QGuiApplication::clipboard()->mimeData();
    QCOMPARE(copied->text(), text);
    QVERIFY(!copied->hasHtml());
}

QTEST_MAIN(TestConsole)
#include "tst_console.moc"
