// The application delegate: the application ends when its last window
// closes, not before.
#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "app/appdelegate.h"
#include "guisupport/windowcontroller.h"
#include "mainwindow/mainwindow.h"
#include "mainwindow/viewcontroller.h"

class TestAppDelegate : public QObject {
    Q_OBJECT

private slots:
    void lastWindowClosedEndsTheApplication();
};

void TestAppDelegate::lastWindowClosedEndsTheApplication()
{
    AppDelegate delegate;
    QApplication::setQuitOnLastWindowClosed(false);
    delegate.attach(*qApp);
    QVERIFY(QApplication::quitOnLastWindowClosed());

    // Closing the main window while the ATN window is open keeps the
    // application running; closing that one too ends it.
    MainWindow main;
    main.show();
    main.viewController()->showAtnWindow();
    QWidget *atn = main.viewController()->atnWindow()->window();
    QVERIFY(QTest::qWaitForWindowExposed(atn));
    QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);
    int closedAfterMain = -1;
    QTimer::singleShot(0, this, [&] {
        main.close();
        closedAfterMain = int(lastClosed.size());
        atn->close();
    });
    QCOMPARE(QApplication::exec(), 0);
    QCOMPARE(closedAfterMain, 0);
    QCOMPARE(lastClosed.size(), 1);
}

QTEST_MAIN(TestAppDelegate)
#include "tst_appdelegate.moc"
