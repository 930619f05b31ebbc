// The toolkit's own panels, sheet and question as the desktop sets them up:
// panels are only configured here, never run; the sheet and the question open
// for real, the question answered from the event loop.
#include <QAbstractButton>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include "guisupport/systemdesktop.h"

using namespace Qt::Literals::StringLiterals;

class TestSystemDesktop : public QObject {
    Q_OBJECT

private slots:
    void panelsAreSetUpAsAsked();
    void sheetIsWindowModalAndReturnsAtOnce();
    void questionAnswersWithTheButtonsIndex_data();
    void questionAnswersWithTheButtonsIndex();
};

void TestSystemDesktop::panelsAreSetUpAsAsked()
{
    QWidget parent;
    const auto open = SystemDesktop::makeOpenDialog({.title = u"Select a ATN file"_s, .allowedFileTypes = {u"atn"_s}},
                                                    &parent);
    QCOMPARE(open->windowTitle(), u"Select a ATN file"_s);
    QCOMPARE(open->fileMode(), QFileDialog::ExistingFile);
    QCOMPARE(open->nameFilters(), QStringList{u"ATN files (*.atn)"_s});
    QVERIFY(open->testOption(QFileDialog::ReadOnly)); // no new folders
    QCOMPARE(open->parentWidget(), &parent);

    const auto save = SystemDesktop::makeSaveDialog(
        {.title = u"Save to ATN file"_s, .nameFieldStringValue = u"copy.atn"_s, .allowedFileTypes = {u"atn"_s}}, nullptr);
    save->setOption(QFileDialog::DontUseNativeDialog);
    QCOMPARE(save->windowTitle(), u"Save to ATN file"_s);
    QCOMPARE(save->acceptMode(), QFileDialog::AcceptSave);
    QCOMPARE(save->nameFilters(), QStringList{u"ATN files (*.atn)"_s});
    QCOMPARE(save->defaultSuffix(), u"atn"_s);
    QCOMPARE(QFileInfo(save->selectedFiles().value(0)).fileName(), u"copy.atn"_s);
}

// The answer is the pressed button's place in the alert; Escape presses the last.
void TestSystemDesktop::questionAnswersWithTheButtonsIndex_data()
{
    QTest::addColumn<int>("press"); // -1: Escape
    QTest::addColumn<int>("answer");
    QTest::newRow("first") << 0 << 0;
    QTest::newRow("last") << 2 << 2;
    QTest::newRow("Escape") << -1 << 2;
}

void TestSystemDesktop::questionAnswersWithTheButtonsIndex()
{
    QFETCH(int, press);
    QFETCH(int, answer);
    QWidget window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QStringList buttons{u"Save"_s, u"Discard"_s, u"Cancel"_s};
    QTimer::singleShot(0, &window, [&] {
        auto *box = window.findChild<QMessageBox *>();
        QVERIFY(box && box->isModal());
        if (press < 0) {
            QTest::keyClick(box, Qt::Key_Escape);
            return;
        }
        for (QAbstractButton *button : box->buttons()) {
            if (button->text() == buttons[press])
                button->click();
        }
    });
    QCOMPARE(SystemDesktop().runAlert({.style = Alert::Style::Warning, .messageText = u"Unsaved"_s,
                                       .informativeText = {}, .buttons = buttons},
                                      &window),
             answer);
    QVERIFY(!window.findChild<QMessageBox *>());
}

void TestSystemDesktop::sheetIsWindowModalAndReturnsAtOnce()
{
    QWidget window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    SystemDesktop().beginSheet({.style = Alert::Style::Warning,
                                .messageText = u"Warning"_s,
                                .informativeText = u"Your RUL file is empty."_s,
                                .buttons = {u"Ok"_s}},
                               &window);

    QPointer box = window.findChild<QMessageBox *>();
    QVERIFY(box);
    QTRY_VERIFY(box->isVisible());
    QCOMPARE(box->windowModality(), Qt::WindowModal);
    QCOMPARE(box->icon(), QMessageBox::Warning);
    QCOMPARE(box->text(), u"Warning"_s);
    QCOMPARE(box->informativeText(), u"Your RUL file is empty."_s);
    QCOMPARE(box->buttons().size(), 1);
    QCOMPARE(box->buttons().constFirst()->text(), u"Ok"_s);

    QTest::mouseClick(box->buttons().constFirst(), Qt::LeftButton);
    QTRY_VERIFY(!box);
}

QTEST_MAIN(TestSystemDesktop)
#include "tst_systemdesktop.moc"
