// The application shell: the storyboard "Main", one window per scene, the
// menus, help, exit and the end of the application.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include "app/appdelegate.h"
#include "app/mainstoryboard.h"
#include "app/storyboard.h"
#include "app/windowcontroller.h"
#include "atnbuilder.h"
#include "mainwindow/viewcontroller.h"
#include "resources/bundle.h"
#include "ruleeditor/ruleeditorviewcontroller.h"
#include "scripteddesktop.h"
#include "stringsview/storedstringmodel.h"
#include "stringsview/stringsviewcontroller.h"
#include "tempdir.h"

using namespace Qt::Literals::StringLiterals;

namespace {
const QString kRuleEditorScene = u"Rule Editor Window Controller"_s;
const QString kAtnScene = u"Atn Window Controller"_s;
const QString kStringsScene = u"Strings Window Controller"_s;

struct SceneRequest {
    void (ViewController::*request)();
    WindowController *(ViewController::*reference)() const;
};

SceneRequest requestFor(const QString &scene)
{
    if (scene == kRuleEditorScene)
        return {&ViewController::editRuleFile, &ViewController::editRuleWindow};
    if (scene == kAtnScene)
        return {&ViewController::showAtnWindow, &ViewController::atnWindow};
    return {&ViewController::showStringsWindow, &ViewController::stringsWindow};
}
} // namespace

class TestWindows : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void storyboardsAndScenesAreFoundByName();
    void oneWindowPerScene_data();
    void oneWindowPerScene();
    void missingSceneShowsNothingAndIsTriedAgain();
    void helpOpensThePageInSafari();
    void helpPageLinksAndPicturesResolve();
    void menusReachTheController();
    void stringsWindowFollowsTheChosenFiles();
    void addRuleOpensTheEditorWithDisabledRows();
    void lastWindowClosedEndsTheApplication();

private:
    QAction *action(const char *name) const
    {
        return m_main->window()->findChild<QAction *>(QLatin1StringView(name));
    }

    std::unique_ptr<ScriptedDesktop> m_desktop;
    std::unique_ptr<WindowController> m_main;
    ViewController *m_controller = nullptr;
};

void TestWindows::initTestCase()
{
    bundle::installTranslations(QLocale(QLocale::English));
    bundle::setResourcePath(QStringLiteral(ATNLINGO_SOURCE_DIR "/resources"));
}

void TestWindows::init()
{
    m_desktop = std::make_unique<ScriptedDesktop>();
    Storyboard::provide(makeMainStoryboard());
    m_main = Storyboard::storyboardWithName(u"Main"_s)->instantiateInitialController();
    QVERIFY(m_main);
    m_controller = qobject_cast<ViewController *>(m_main->contentViewController());
    QVERIFY(m_controller);
    m_main->showWindow();
    QVERIFY(QTest::qWaitForWindowExposed(m_main->window()));
}

void TestWindows::cleanup()
{
    m_main.reset();
    Storyboard::withdraw(u"Main"_s);
    m_desktop.reset();
    QVERIFY(WindowController::applicationWindows().isEmpty());
}

void TestWindows::storyboardsAndScenesAreFoundByName()
{
    QCOMPARE(Storyboard::storyboardWithName(u"main"_s), nullptr);
    const auto storyboard = Storyboard::storyboardWithName(u"Main"_s);
    QCOMPARE(storyboard->identifiers(), (QStringList{kAtnScene, kRuleEditorScene, kStringsScene}));
    for (const QString &unknown : {u"atn window controller"_s, u"Preferences"_s, QString()})
        QCOMPARE(storyboard->instantiateControllerWithIdentifier(unknown), nullptr);

    // Secondary windows stand on their own, so closing the main window
    // leaves them (and the application) running.
    for (const QString &scene : {kAtnScene, kRuleEditorScene, kStringsScene}) {
        const auto made = storyboard->instantiateControllerWithIdentifier(scene);
        QVERIFY(made && made->window()->isWindow());
        QCOMPARE(made->window()->parentWidget(), nullptr);
    }
}

void TestWindows::oneWindowPerScene_data()
{
    QTest::addColumn<QString>("scene");
    QTest::newRow("rule editor") << kRuleEditorScene;
    QTest::newRow("ATN window") << kAtnScene;
    QTest::newRow("strings window") << kStringsScene;
}

void TestWindows::oneWindowPerScene()
{
    QFETCH(QString, scene);
    const SceneRequest scenes = requestFor(scene);
    const auto request = [&] { (m_controller->*scenes.request)(); };
    const auto reference = [&] { return (m_controller->*scenes.reference)(); };
    QCOMPARE(reference(), nullptr);

    request();
    WindowController *first = reference();
    QVERIFY(first);
    QWidget *window = first->window();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    window->setProperty("leftByTheUser", true);
    request();
    QCOMPARE(reference(), first);

    window->close();
    QVERIFY(!window->isVisible());
    request();
    QCOMPARE(reference(), first);
    QVERIFY(window->isVisible());
    QVERIFY(window->property("leftByTheUser").toBool());

    // The main window stays first in the application's window list.
    const QList<WindowController *> windows = WindowController::applicationWindows();
    QCOMPARE(windows.size(), 2);
    QCOMPARE(windows.constFirst()->contentViewController(), m_controller);
}

void TestWindows::missingSceneShowsNothingAndIsTriedAgain()
{
    auto partial = std::make_shared<Storyboard>(u"Main"_s);
    int attempts = 0;
    partial->addScene(kAtnScene, [&attempts] {
        ++attempts;
        return std::unique_ptr<WindowController>();
    });
    Storyboard::provide(partial);

    m_controller->editRuleFile();
    m_controller->showAtnWindow();
    QCOMPARE(m_controller->editRuleWindow(), nullptr);
    QCOMPARE(m_controller->atnWindow(), nullptr);
    QCOMPARE(attempts, 1);

    Storyboard::provide(makeMainStoryboard());
    m_controller->showAtnWindow();
    QVERIFY(m_controller->atnWindow() && m_controller->atnWindow()->window()->isVisible());
}

void TestWindows::helpOpensThePageInSafari()
{
    for (const QLocale &locale : {QLocale(QLocale::English), QLocale(QLocale::German)}) {
        bundle::installTranslations(locale);
        QTest::mouseClick(m_controller->findChild<QPushButton *>(u"helpButton"_s), Qt::LeftButton);
    }
    bundle::installTranslations(QLocale(QLocale::English));

    const QString page = QFileInfo(QStringLiteral(ATNLINGO_SOURCE_DIR "/resources/help/help.html")).canonicalFilePath();
    QCOMPARE(m_desktop->openedFiles.size(), 2);
    for (const ScriptedDesktop::OpenedFile &opened : std::as_const(m_desktop->openedFiles)) {
        QCOMPARE(QFileInfo(opened.path).canonicalFilePath(), page);
        QCOMPARE(opened.application, u"Safari"_s);
    }
}

void TestWindows::helpPageLinksAndPicturesResolve()
{
    const QString path = bundle::pathForResource(u"help/help"_s, u"html"_s);
    QFile page(path);
    QVERIFY(page.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(page.readAll());

    QStringList ids;
    for (const QRegularExpressionMatch &id : QRegularExpression(u"id=\"([^\"]+)\""_s).globalMatch(html))
        ids << id.captured(1);
    int links = 0;
    for (const QRegularExpressionMatch &link : QRegularExpression(u"href=\"#([^\"]+)\""_s).globalMatch(html)) {
        QVERIFY2(ids.contains(link.captured(1)), qPrintable(link.captured(1)));
        ++links;
    }
    QVERIFY(links > 0);
    int pictures = 0;
    for (const QRegularExpressionMatch &picture : QRegularExpression(u"<img src=\"([^\"]+)\""_s).globalMatch(html)) {
        QVERIFY2(QFileInfo(path).dir().exists(picture.captured(1)), qPrintable(picture.captured(1)));
        ++pictures;
    }
    QVERIFY(pictures > 0);
}

void TestWindows::menusReachTheController()
{
    QStringList menus;
    for (QAction *menu : qobject_cast<QMainWindow *>(m_main->window())->menuBar()->actions())
        menus << menu->text();
    QCOMPARE(menus, (QStringList{u"&File"_s, u"&Edit"_s, u"&Translate"_s, u"&Help"_s}));

    action("openInputAction")->trigger();
    action("chooseRulesAction")->trigger();
    action("saveOutputAction")->trigger();
    QCOMPARE(m_desktop->openPanels.size(), 2);
    QCOMPARE(m_desktop->savePanels.size(), 1);
    m_desktop->unansweredPanels = 0;

    QVERIFY(!action("startTranslationAction")->isEnabled());
    for (const char *field : {"atnTextField", "rulTextField", "atncopyTextField"}) {
        auto *edit = m_controller->findChild<QLineEdit *>(QLatin1StringView(field));
        edit->setText(std::string_view(field) == "rulTextField" ? u"a.rul"_s : u"a.atn"_s);
        emit edit->textEdited(edit->text());
    }
    QVERIFY(action("startTranslationAction")->isEnabled());

    action("editRulesAction")->trigger();
    QVERIFY(m_controller->editRuleWindow());
    action("atnWindowAction")->trigger();
    QVERIFY(m_controller->atnWindow());
    QCOMPARE(action("showStringsAction")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_I));
    action("showStringsAction")->trigger();
    QVERIFY(m_controller->stringsWindow());

    // Quit ends the application at once, whatever else is open.
    QCOMPARE(action("quitAction")->shortcut(), QKeySequence(QKeySequence::Quit));
    action("quitAction")->trigger();
    QTest::mouseClick(m_controller->findChild<QPushButton *>(u"exitButton"_s), Qt::LeftButton);
    QCOMPARE(m_desktop->terminations, 2);
}

void TestWindows::stringsWindowFollowsTheChosenFiles()
{
    TempDir dir;
    const auto file = [&](const char *name) { return QString::fromStdString(dir.file(name)); };
    writeBytes(dir.file("One.atn"), atnbuild::actionFile("One", {atnbuild::action("Layer 1", {})}));
    writeBytes(dir.file("Two.atn"), atnbuild::actionFile("Two", {atnbuild::action("Layer 2", {})}));
    writeText(dir.file("Rules.rul"), "1;Layer;Ebene;\n");
    const auto choose = [&](void (ViewController::*panel)(), const QString &path) {
        m_desktop->answerNextPanel(path);
        (m_controller->*panel)();
    };
    choose(&ViewController::selectAtnFile, file("One.atn"));

    // The button beside the input field opens the window for that file.
    QTest::mouseClick(m_controller->findChild<QPushButton *>(u"showStringsButton"_s), Qt::LeftButton);
    QVERIFY(m_controller->stringsWindow());
    QWidget *window = m_controller->stringsWindow()->window();
    auto *strings = qobject_cast<StringsViewController *>(m_controller->stringsWindow()->contentViewController());
    QVERIFY(strings && window->isVisible());
    const auto texts = [&] {
        QStringList shown;
        for (const StoredStringModel::Row &row : strings->model()->rows())
            shown << row.text;
        return shown;
    };
    const auto matches = [&] {
        int count = 0;
        for (const StoredStringModel::Row &row : strings->model()->rows())
            count += row.matches;
        return count;
    };
    QCOMPARE(texts(), (QStringList{u"One"_s, u"Layer 1"_s}));
    QCOMPARE(strings->rulFilePath(), QString());

    // While open, it follows the input and the rule file.
    choose(&ViewController::selectAtnFile, file("Two.atn"));
    QCOMPARE(texts(), (QStringList{u"Two"_s, u"Layer 2"_s}));
    choose(&ViewController::selectRuleFile, file("Rules.rul"));
    QCOMPARE(strings->rulFilePath(), file("Rules.rul"));
    QCOMPARE(matches(), 1);
    m_controller->setRuleFieldAndPath(QString());
    QCOMPARE(matches(), 0);

    // Closed, it is brought up to date when shown again.
    window->close();
    choose(&ViewController::selectAtnFile, file("One.atn"));
    QCOMPARE(texts(), (QStringList{u"Two"_s, u"Layer 2"_s}));
    m_controller->showStringsWindow();
    QVERIFY(window->isVisible());
    QCOMPARE(texts(), (QStringList{u"One"_s, u"Layer 1"_s}));

    m_controller->resetFiles();
    QCOMPARE(strings->atnFilePath(), QString());
    QVERIFY(texts().isEmpty());
}

void TestWindows::addRuleOpensTheEditorWithDisabledRows()
{
    TempDir dir;
    writeBytes(dir.file("Adjust.atn"),
               atnbuild::fileWithItems({{"Nm  ", atnbuild::textValue("Curves 1")},
                                        {"Txt ", atnbuild::textValue("Vibrance 1")},
                                        {"Ttl ", atnbuild::textValue("Before; after")}}));
    writeText(dir.file("Rules.rul"), "1;Layer;Ebene;\n");
    m_desktop->answerNextPanel(QString::fromStdString(dir.file("Adjust.atn")));
    m_controller->selectAtnFile();
    m_desktop->answerNextPanel(QString::fromStdString(dir.file("Rules.rul")));
    m_controller->selectRuleFile();
    m_controller->showStringsWindow();
    auto *strings = qobject_cast<StringsViewController *>(m_controller->stringsWindow()->contentViewController());
    QVERIFY(strings);

    auto *table = strings->findChild<QTableView *>(u"stringsTableView"_s);
    for (int row = 0; row < table->model()->rowCount(); ++row) {
        if (table->model()->index(row, StoredStringModel::RoleColumn).data() == u"text value"_s)
            table->selectionModel()->select(table->model()->index(row, 0),
                                            QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    QCOMPARE(strings->selectedTexts(), (QStringList{u"Curves 1"_s, u"Vibrance 1"_s, u"Before; after"_s}));
    QCOMPARE(m_controller->editRuleWindow(), nullptr);
    QTest::mouseClick(strings->findChild<QPushButton *>(u"addRuleButton"_s), Qt::LeftButton);

    // The editor opens on the chosen rule file, with a disabled rule with an
    // empty replacement for each text a rule can hold.
    QVERIFY(m_controller->editRuleWindow());
    QVERIFY(m_controller->editRuleWindow()->window()->isVisible());
    auto *editor = qobject_cast<RuleEditorViewController *>(m_controller->editRuleWindow()->contentViewController());
    QVERIFY(editor);
    const std::vector<rules::Rule> expected{{1, "Layer", "Ebene"}, {0, "Curves 1", ""}, {0, "Vibrance 1", ""}};
    QCOMPARE(editor->dataArray(), expected);
    QVERIFY(strings->findChild<QLabel *>(u"addRuleNoteLabel"_s)->text().endsWith(u": 1"_s));

    // The same editor takes the next ones, after the rows it has.
    table->clearSelection();
    table->selectionModel()->select(table->model()->index(0, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    const QString first = strings->selectedTexts().constFirst();
    strings->addRule();
    QCOMPARE(editor->dataArray().size(), expected.size() + 1);
    QCOMPARE(editor->dataArray().back(), (rules::Rule{0, first.toStdString(), ""}));
}

void TestWindows::lastWindowClosedEndsTheApplication()
{
    AppDelegate delegate;
    QApplication::setQuitOnLastWindowClosed(false);
    delegate.attach(*qApp);
    QVERIFY(QApplication::quitOnLastWindowClosed());

    // Closing the main window while the ATN window is open keeps the
    // application running; closing that one too ends it.
    m_controller->showAtnWindow();
    QWidget *atn = m_controller->atnWindow()->window();
    QVERIFY(QTest::qWaitForWindowExposed(atn));
    QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);
    int closedAfterMain = -1;
    QTimer::singleShot(0, this, [&] {
        m_main->window()->close();
        closedAfterMain = int(lastClosed.size());
        atn->close();
    });
    QCOMPARE(QApplication::exec(), 0);
    QCOMPARE(closedAfterMain, 0);
    QCOMPARE(lastClosed.size(), 1);
}

QTEST_MAIN(TestWindows)
#include "tst_windows.moc"
