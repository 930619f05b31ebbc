// The drop fields: which drags they take, their colour during a drag, and
// what a drop leaves behind.
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>

#include "dragdrop.h"
#include "mainwindow/atndropview.h"
#include "mainwindow/ruledropview.h"
#include "stdoutcapture.h"

using namespace Qt::Literals::StringLiterals;

class TestDropView : public QObject {
    Q_OBJECT

private slots:
    void dragEnter_data();
    void dragEnter();
    void answerOnEnteringStandsWhileMoving();
    void dropKeepsTheFirstPathAndLeavesTheText();
    void dropWithoutAFileIsRefused_data();
    void dropWithoutAFileIsRefused();
};

void TestDropView::dragEnter_data()
{
    QTest::addColumn<bool>("ruleField");
    QTest::addColumn<QList<QUrl>>("urls");
    QTest::addColumn<bool>("accepted");

    const auto file = [](const char *path) { return QUrl::fromLocalFile(QString::fromUtf8(path)); };
    QTest::newRow("ATN file on an ATN field") << false << QList{file("/w/Actions.atn")} << true;
    QTest::newRow("RUL file on an ATN field") << false << QList{file("/w/de.rul")} << false;
    QTest::newRow("RUL file on the RUL field") << true << QList{file("/w/de.rul")} << true;
    QTest::newRow("ATN file on the RUL field") << true << QList{file("/w/Actions.atn")} << false;
    QTest::newRow("capitals") << false << QList{file("/w/ACTIONS.ATN")} << false;
    QTest::newRow("no extension") << false << QList{file("/w/atn")} << false;
    QTest::newRow("dot in the folder only") << false << QList{file("/w/sets.atn/Actions")} << false;
    QTest::newRow("backup name") << false << QList{file("/w/Actions.atn.bak")} << false;
    QTest::newRow("non-Latin name") << false << QList{file("/w/Действия.atn")} << true;
    QTest::newRow("several, the first fits") << false << QList{file("/w/a.atn"), file("/w/b.txt")} << true;
    QTest::newRow("several, the first does not") << false << QList{file("/w/b.txt"), file("/w/a.atn")} << false;
    QTest::newRow("web address only") << false << QList{QUrl(u"https://example.org/a.atn"_s)} << false;
    QTest::newRow("empty list") << false << QList<QUrl>{} << false;
}

void TestDropView::dragEnter()
{
    QFETCH(bool, ruleField);
    QFETCH(QList<QUrl>, urls);
    QFETCH(bool, accepted);
    std::unique_ptr<DropView> view;
    if (ruleField)
        view = std::make_unique<RuleDropView>();
    else
        view = std::make_unique<AtnDropView>();
    QCOMPARE(view->layerColor(), QColor(Qt::gray));
    const auto drag = fileDrag(urls);

    QCOMPARE(sendDragEnter(view.get(), drag.get()), accepted);
    QCOMPARE(view->layerColor(), accepted ? QColor(Qt::blue) : QColor(Qt::gray));
    sendDragLeave(view.get());
    QCOMPARE(view->layerColor(), QColor(Qt::gray));
    QCOMPARE(view->filePath(), std::nullopt);
}

void TestDropView::answerOnEnteringStandsWhileMoving()
{
    // A file drag usually carries the path as text too, which a line edit
    // would take on its own.
    AtnDropView view;
    QMimeData refused;
    refused.setUrls({QUrl::fromLocalFile(u"/w/notes.txt"_s)});
    refused.setText(u"/w/notes.txt"_s);
    QVERIFY(!sendDragEnter(&view, &refused));
    QVERIFY(!sendDragMove(&view, &refused));
    QCOMPARE(view.layerColor(), QColor(Qt::gray));
}

void TestDropView::dropKeepsTheFirstPathAndLeavesTheText()
{
    AtnDropView view;
    view.setText(u"typed.atn"_s);
    QSignalSpy dropped(&view, &DropView::fileDropped);

    StdoutCapture out;
    for (const char *first : {"/w/first.atn", "/w/second.atn"}) {
        const auto drag = fileDrag(QStringList{QString::fromLatin1(first), u"/w/notes.txt"_s});
        QVERIFY(sendDragEnter(&view, drag.get()));
        QVERIFY(sendDrop(&view, drag.get()));
        QCOMPARE(view.filePath(), std::optional(QString::fromLatin1(first)));
        QCOMPARE(view.layerColor(), QColor(Qt::gray));
    }

    QCOMPARE(out.text(), QByteArray("filePath: /w/first.atn\nfilePath: /w/second.atn\n"));
    QCOMPARE(view.text(), u"typed.atn"_s);
    QCOMPARE(dropped.size(), 2);
    QCOMPARE(dropped.at(1).at(0).toString(), u"/w/second.atn"_s);
}

void TestDropView::dropWithoutAFileIsRefused_data()
{
    QTest::addColumn<QList<QUrl>>("urls");
    QTest::addColumn<QString>("text");
    QTest::newRow("text only") << QList<QUrl>{} << u"/w/a.atn"_s;
    QTest::newRow("web address") << QList{QUrl(u"https://example.org/a.atn"_s)} << QString();
}

void TestDropView::dropWithoutAFileIsRefused()
{
    QFETCH(QList<QUrl>, urls);
    QFETCH(QString, text);
    RuleDropView view;
    view.setFilePath(u"/w/earlier.rul"_s);
    QMimeData data;
    if (!urls.isEmpty())
        data.setUrls(urls);
    if (!text.isEmpty())
        data.setText(text);
    QSignalSpy dropped(&view, &DropView::fileDropped);

    StdoutCapture out;
    QVERIFY(!sendDrop(&view, &data));

    QCOMPARE(view.filePath(), std::optional(u"/w/earlier.rul"_s));
    QVERIFY(view.text().isEmpty());
    QVERIFY(out.text().isEmpty());
    QCOMPARE(dropped.size(), 0);
}

QTEST_MAIN(TestDropView)
#include "tst_dropview.moc"
