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
    void drag_data();
    void drag();
};

void TestDropView::drag_data()
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
    QTest::newRow("dot in the folder only") << false << QList{file("/w/sets.atn/Actions")} << false;
    QTest::newRow("backup name") << false << QList{file("/w/Actions.atn.bak")} << false;
    QTest::newRow("non-Latin name") << false << QList{file("/w/Действия.atn")} << true;
    QTest::newRow("several, the first fits") << true << QList{file("/w/a.rul"), file("/w/b.txt")} << true;
    QTest::newRow("several, the first does not") << false << QList{file("/w/b.txt"), file("/w/a.atn")} << false;
    QTest::newRow("web address only") << false << QList{QUrl(u"https://example.org/a.atn"_s)} << false;
    QTest::newRow("text only") << false << QList<QUrl>{} << false;
}

void TestDropView::drag()
{
    QFETCH(bool, ruleField);
    QFETCH(QList<QUrl>, urls);
    QFETCH(bool, accepted);
    std::unique_ptr<DropView> view;
    if (ruleField)
        view = std::make_unique<RuleDropView>();
    else
        view = std::make_unique<AtnDropView>();
    view->setText(u"typed"_s);
    QSignalSpy dropped(view.get(), &DropView::fileDropped);
    QCOMPARE(view->layerColor(), QColor(Qt::gray));
    // A file drag usually carries a path as text too, which a line edit would
    // take on its own.
    const auto drag = fileDrag(urls);
    drag->setText(ruleField ? u"/w/a.rul"_s : u"/w/a.atn"_s);

    QCOMPARE(sendDrag<QDragEnterEvent>(view.get(), drag.get()), accepted);
    QCOMPARE(sendDrag<QDragMoveEvent>(view.get(), drag.get()), accepted);
    QCOMPARE(view->layerColor(), accepted ? QColor(Qt::blue) : QColor(Qt::gray));
    sendDragLeave(view.get());
    QCOMPARE(view->layerColor(), QColor(Qt::gray));

    StdoutCapture out;
    sendDrag<QDragEnterEvent>(view.get(), drag.get());
    QCOMPARE(sendDrag<QDropEvent>(view.get(), drag.get()), accepted);
    QCOMPARE(view->layerColor(), QColor(Qt::gray));
    QCOMPARE(view->text(), u"typed"_s);
    const QString path = urls.value(0).toLocalFile();
    QCOMPARE(view->filePath(), accepted ? std::optional(path) : std::nullopt);
    QCOMPARE(out.text(), accepted ? "filePath: " + path.toUtf8() + "\n" : QByteArray());
    QCOMPARE(dropped.size(), accepted ? 1 : 0);
    if (accepted)
        QCOMPARE(dropped.at(0).at(0).toString(), path);
}

QTEST_MAIN(TestDropView)
#include "tst_dropview.moc"
