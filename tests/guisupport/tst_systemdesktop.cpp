// The toolkit's own question as the desktop makes it: it opens for real and
// is answered from within.
#include <QAbstractButton>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "guisupport/systemdesktop.h"

using namespace Qt::Literals::StringLiterals;

class TestSystemDesktop : public QObject {
    Q_OBJECT

private slots:
    void questionReturnsThePressedButton();
};

void TestSystemDesktop::questionReturnsThePressedButton()
{
    QWidget window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const Alert question{.messageText = u"Save the changes?"_s,
                         .informativeText = u"Your changes will be lost."_s,
                         .buttons = {u"Cancel"_s, u"Discard"_s, u"Save"_s},
                         .cancelButton = 0};
    // The box lists the cancel button after the others, but the index is the
    // one in the alert; Escape presses the cancel button.
    for (const QString &press : {u"Discard"_s, u"Save"_s, u"Escape"_s}) {
        QTimer::singleShot(0, &window, [&] {
            QMessageBox *box = window.findChild<QMessageBox *>();
            QVERIFY(box && QTest::qWaitFor([box] { return box->isVisible(); }));
            QCOMPARE(box->text(), question.messageText);
            QCOMPARE(box->informativeText(), question.informativeText);
            if (press == u"Escape"_s) {
                QTest::keyClick(box, Qt::Key_Escape);
                return;
            }
            for (QAbstractButton *button : box->buttons()) {
                if (button->text() == press)
                    button->click();
            }
        });
        const int pressed = SystemDesktop().runAlert(question, &window);
        QCOMPARE(pressed, press == u"Escape"_s ? 0 : int(question.buttons.indexOf(press)));
        QVERIFY(!window.findChild<QMessageBox *>());
    }
}

QTEST_MAIN(TestSystemDesktop)
#include "tst_systemdesktop.moc"
