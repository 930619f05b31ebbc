// The windows the main window opens, one per scene of its storyboard, and its
// menus, help and exit. The rule editor as the main window opens it: one
// window, made at the first request from the main window's rule file, handing
// a path back on OK.
#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "atnbuilder.h"
#include "guisupport/imageview.h"
#include "guisupport/windowcontroller.h"
#include "mainwindow/mainwindow.h"
#include "mainwindow/viewcontroller.h"
#include "resources/bundle.h"
#include "ruleeditor/ruleeditoralerts.h"
#include "ruleeditor/ruleeditorviewcontroller.h"
#include "rules/diagnosticlog.h"
#include "scripteddesktop.h"
#include "stringsview/storedstringmodel.h"
#include "stringsview/stringsviewcontroller.h"
#include "tempdir.h"

using namespace Qt::Literals::StringLiterals;

namespace {
struct Scene {
    QString identifier;
    void (ViewController::*request)();
    WindowController *(ViewController::*window)() const;
};
const Scene kScenes[] = {
    {u"Atn Window Controller"_s, &ViewController::showAtnWindow, &ViewController::atnWindow},
    {u"Rule Editor Window Controller"_s, &ViewController::editRuleFile, &ViewController::editRuleWindow},
    {u"Strings Window Controller"_s, &ViewController::showStringsWindow, &ViewController::stringsWindow},
};
} // namespace

class TestWindows : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void oneWindowPerScene_data();
    void oneWindowPerScene();
    void helpOpensThePageInSafari_data();
    void helpOpensThePageInSafari();
    void menusReachTheController();
    void stringsWindowFollowsTheChosenFiles();
    void addRuleOpensTheEditorWithDisabledRows();
    void firstOpeningTakesTheMainWindowsRuleFile_data();
    void firstOpeningTakesTheMainWindowsRuleFile();
    void okHandsBackOnlyThePath_data();
    void okHandsBackOnlyThePath();
    void laterOpeningsKeepTheFirstFile();

private:
    QAction *action(const char *name) const
    {
        return m_main->findChild<QAction *>(QLatin1StringView(name));
    }
    void choose(void (ViewController::*panel)(), const std::string &path)
    {
        m_desktop->answerNextPanel(QString::fromStdString(path));
        (m_controller->*panel)();
    }
    StringsViewController *strings() const
    {
        return qobject_cast<StringsViewController *>(m_controller->stringsWindow()->contentViewController());
    }
    RuleEditorViewController *editor() const
    {
        WindowController *window = m_controller->editRuleWindow();
        return window ? qobject_cast<RuleEditorViewController *>(window->contentViewController()) : nullptr;
    }
    QLineEdit *mainField(const char *name) const
    {
        return m_controller->findChild<QLineEdit *>(QLatin1StringView(name));
    }
    QString file(const char *name) const { return QString::fromStdString(m_dir->file(name)); }

    std::unique_ptr<ScriptedDesktop> m_desktop;
    std::unique_ptr<TempDir> m_dir;
    std::unique_ptr<MainWindow> m_main;
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
    m_dir = std::make_unique<TempDir>();
    writeText(m_dir->file("a.rul"), "1;Layer;Ebene;\n0;copy;Kopie;\n");
    writeText(m_dir->file("b.rul"), "1;Levels;Tonwertkorrektur;\n");
    rules::setLogSink([](std::string_view, std::string_view) {});
    m_main = std::make_unique<MainWindow>();
    m_controller = m_main->viewController();
    m_main->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
}

void TestWindows::cleanup()
{
    QCOMPARE(m_desktop->unansweredPanels, 0);
    // The main window takes the windows it opened with it.
    m_main.reset();
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
    rules::setLogSink({});
    m_dir.reset();
    m_desktop.reset();
}

void TestWindows::oneWindowPerScene_data()
{
    QTest::addColumn<int>("scene");
    for (int scene = 0; scene < int(std::size(kScenes)); ++scene)
        QTest::newRow(qPrintable(kScenes[scene].identifier)) << scene;
}

void TestWindows::oneWindowPerScene()
{
    QFETCH(int, scene);
    const auto request = [&] { (m_controller->*kScenes[scene].request)(); };
    const auto reference = [&] { return (m_controller->*kScenes[scene].window)(); };
    QCOMPARE(reference(), nullptr);

    request();
    WindowController *first = reference();
    QVERIFY(first);
    QWidget *window = first->window();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    // It stands on its own, so closing the main window leaves it running.
    QCOMPARE(window->parentWidget(), nullptr);
    window->setProperty("leftByTheUser", true);
    window->close();
    request();
    QCOMPARE(reference(), first);
    QVERIFY(window->isVisible());
    QVERIFY(window->property("leftByTheUser").toBool());
}

void TestWindows::helpOpensThePageInSafari_data()
{
    QTest::addColumn<bool>("browser");
    QTest::newRow("in a browser") << true;
    QTest::newRow("no browser: a sheet names the file") << false;
}

void TestWindows::helpOpensThePageInSafari()
{
    QFETCH(bool, browser);
    m_desktop->opensFiles = browser;
    QTest::mouseClick(m_controller->findChild<QPushButton *>(u"helpButton"_s), Qt::LeftButton);
    QCOMPARE(m_desktop->openedFiles.size(), 1);
    const QString page = QFileInfo(QStringLiteral(ATNLINGO_SOURCE_DIR "/resources/help/help.html")).canonicalFilePath();
    QCOMPARE(QFileInfo(m_desktop->openedFiles.at(0).path).canonicalFilePath(), page);
    QCOMPARE(m_desktop->openedFiles.at(0).application, u"Safari"_s);
    QCOMPARE(m_desktop->sheets.size(), browser ? 0 : 1);
    if (!browser)
        QVERIFY(m_desktop->sheets.at(0).alert.informativeText.contains(m_desktop->openedFiles.at(0).path));
}

void TestWindows::menusReachTheController()
{
    for (const char *panel : {"openInputAction", "chooseRulesAction", "saveOutputAction"})
        action(panel)->trigger();
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
    action("atnWindowAction")->trigger();
    action("showStringsAction")->trigger();
    for (const Scene &scene : kScenes)
        QVERIFY((m_controller->*scene.window)());

    // Quit ends the application, whatever else is open, once the rule editor
    // has asked about its unsaved rules: kept open, it ends nothing.
    qobject_cast<RuleEditorViewController *>(m_controller->editRuleWindow()->contentViewController())->insertRow();
    m_desktop->answerNextAlert(RuleEditorAlerts::Cancel);
    action("quitAction")->trigger();
    QCOMPARE(m_desktop->terminations, 0);
    m_desktop->answerNextAlert(RuleEditorAlerts::Discard);
    QTest::mouseClick(m_controller->findChild<QPushButton *>(u"exitButton"_s), Qt::LeftButton);
    QCOMPARE(m_desktop->terminations, 1);
    action("quitAction")->trigger();
    QCOMPARE(m_desktop->terminations, 2);
}

void TestWindows::stringsWindowFollowsTheChosenFiles()
{
    writeBytes(m_dir->file("One.atn"), atnbuild::actionFile("One", {atnbuild::action("Layer 1", {})}));
    writeBytes(m_dir->file("Two.atn"), atnbuild::actionFile("Two", {atnbuild::action("Layer 2", {})}));
    writeText(m_dir->file("Rules.rul"), "1;Layer;Ebene;\n");
    const auto shown = [&] {
        QStringList texts;
        int matches = 0;
        for (const StoredStringModel::Row &row : strings()->model()->rows()) {
            texts << row.text;
            matches += row.isChanged() ? 1 : 0;
        }
        return std::pair(texts, matches);
    };
    const std::pair one(QStringList{u"One"_s, u"Layer 1"_s}, 0);

    // The button beside the input field opens the window for that file.
    choose(&ViewController::selectAtnFile, m_dir->file("One.atn"));
    QTest::mouseClick(m_controller->findChild<QPushButton *>(u"showStringsButton"_s), Qt::LeftButton);
    QVERIFY(m_controller->stringsWindow() && strings());
    QWidget *window = m_controller->stringsWindow()->window();
    QVERIFY(window->isVisible());
    QCOMPARE(shown(), one);

    // While open, it follows the input and the rule file.
    choose(&ViewController::selectAtnFile, m_dir->file("Two.atn"));
    choose(&ViewController::selectRuleFile, m_dir->file("Rules.rul"));
    QCOMPARE(shown(), std::pair(QStringList{u"Two"_s, u"Layer 2"_s}, 1));
    m_controller->setRuleFieldAndPath(QString());
    QCOMPARE(shown().second, 0);

    // Closed, it is brought up to date when shown again.
    window->close();
    choose(&ViewController::selectAtnFile, m_dir->file("One.atn"));
    QCOMPARE(shown().first.constFirst(), u"Two"_s);
    m_controller->showStringsWindow();
    QVERIFY(window->isVisible());
    QCOMPARE(shown(), one);

    m_controller->resetFiles();
    QVERIFY(shown().first.isEmpty());
}

void TestWindows::addRuleOpensTheEditorWithDisabledRows()
{
    writeBytes(m_dir->file("Adjust.atn"), atnbuild::fileWithItems({{"Nm  ", atnbuild::textValue("Curves 1")},
                                                                   {"Txt ", atnbuild::textValue("Vibrance 1")}}));
    writeText(m_dir->file("Rules.rul"), "1;Layer;Ebene;\n");
    choose(&ViewController::selectAtnFile, m_dir->file("Adjust.atn"));
    choose(&ViewController::selectRuleFile, m_dir->file("Rules.rul"));
    m_controller->showStringsWindow();
    QVERIFY(strings());
    auto *table = strings()->findChild<QTableView *>(u"stringsTableView"_s);
    for (int row = 0; row < table->model()->rowCount(); ++row) {
        if (table->model()->index(row, StoredStringModel::RoleColumn).data() == u"text value"_s)
            table->selectionModel()->select(table->model()->index(row, 0),
                                            QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    QCOMPARE(m_controller->editRuleWindow(), nullptr);

    // The editor opens on the chosen rule file with a disabled rule for each
    // selected text; a second time, the same editor adds them after its rows.
    std::vector<rules::Rule> expected{{1, "Layer", "Ebene"}, {0, "Curves 1", ""}, {0, "Vibrance 1", ""}};
    for (int round = 0; round < 2; ++round) {
        QTest::mouseClick(strings()->findChild<QPushButton *>(u"addRuleButton"_s), Qt::LeftButton);
        QVERIFY(m_controller->editRuleWindow() && m_controller->editRuleWindow()->window()->isVisible());
        QVERIFY(editor());
        QCOMPARE(editor()->dataArray(), expected);
        expected.insert(expected.end(), {{0, "Curves 1", ""}, {0, "Vibrance 1", ""}});
    }
}

void TestWindows::firstOpeningTakesTheMainWindowsRuleFile_data()
{
    QTest::addColumn<QString>("ruleFile");
    QTest::addColumn<QStringList>("searches");
    QTest::addColumn<QString>("title");
    QTest::newRow("no rule file: the default rules") << QString() << QStringList{u"Background"_s, u"Brightness/Contrast"_s}
                                                     << u"Untitled"_s;
    QTest::newRow("rule file") << u"a.rul"_s << QStringList{u"Layer"_s, u"copy"_s} << u"a.rul"_s;
    QTest::newRow("missing rule file: no rules") << u"gone.rul"_s << QStringList() << u"gone.rul"_s;
}

void TestWindows::firstOpeningTakesTheMainWindowsRuleFile()
{
    QFETCH(QString, ruleFile);
    QFETCH(QStringList, searches);
    QFETCH(QString, title);
    const QString path = ruleFile.isEmpty() ? QString() : file(ruleFile.toUtf8().constData());
    if (!path.isEmpty())
        choose(&ViewController::selectRuleFile, path.toStdString());

    m_controller->editRuleFile();
    QVERIFY(editor());
    QCOMPARE(editor()->findChild<QLineEdit *>(u"ruleTextField"_s)->text(), path);
    QStringList shown;
    for (const rules::Rule &rule : editor()->dataArray())
        shown << QString::fromStdString(rule.search);
    QCOMPARE(shown.mid(0, 2), searches);
    QCOMPARE(shown.size(), path.isEmpty() ? 9 : searches.size());
    QCOMPARE(editor()->window()->windowTitle(), title);
    QCOMPARE(editor()->findChild<ImageView *>(u"ruleImageView"_s)->imageName(),
             path.isEmpty() ? u"rule_notloaded"_s : u"rule_loaded"_s);
}

void TestWindows::okHandsBackOnlyThePath_data()
{
    QTest::addColumn<bool>("load");
    QTest::newRow("after loading a file") << true;
    QTest::newRow("without loading: the path it started with") << false;
}

void TestWindows::okHandsBackOnlyThePath()
{
    QFETCH(bool, load);
    mainField("atnTextField")->setText(u"typed.atn"_s);
    mainField("atncopyTextField")->setText(u"typed.atn"_s);
    emit mainField("atncopyTextField")->textEdited(u"typed.atn"_s);
    m_controller->editRuleFile();
    mainField("rulTextField")->setText(u"typed meanwhile.rul"_s);
    if (load) {
        m_desktop->answerNextPanel(file("b.rul"));
        QTest::mouseClick(editor()->findChild<QPushButton *>(u"loadRuleButton"_s), Qt::LeftButton);
        const OpenPanel panel{.title = u"Load a RUL file"_s, .allowedFileTypes = {u"rul"_s}};
        QCOMPARE(m_desktop->openPanels, QList<OpenPanel>{panel});
        QCOMPARE(editor()->dataArray(), (std::vector<rules::Rule>{{1, "Levels", "Tonwertkorrektur"}}));
        QCOMPARE(editor()->window()->windowTitle(), u"b.rul"_s);
        QCOMPARE(editor()->findChild<ImageView *>(u"ruleImageView"_s)->imageName(), u"rule_loaded"_s);
    }
    QTest::mouseClick(editor()->findChild<QPushButton *>(u"okButton"_s), Qt::LeftButton);

    const QString expected = load ? file("b.rul") : QString();
    QCOMPARE(m_controller->rulFilePath(), expected);
    QCOMPARE(mainField("rulTextField")->text(), expected);
    QCOMPARE(mainField("atnTextField")->text(), u"typed.atn"_s);
    QCOMPARE(m_controller->findChild<ImageView *>(u"rulImageView"_s)->imageName(),
             load ? u"rule_loaded"_s : u"rule_notloaded"_s);
    QVERIFY(!editor()->window()->isVisible());
    QCOMPARE(m_controller->findChild<QPushButton *>(u"startTranslationButton"_s)->isEnabled(), load);
}

void TestWindows::laterOpeningsKeepTheFirstFile()
{
    choose(&ViewController::selectRuleFile, m_dir->file("a.rul"));
    m_controller->editRuleFile();
    RuleEditorViewController *first = editor();
    editor()->window()->close();

    choose(&ViewController::selectRuleFile, m_dir->file("b.rul"));
    QTest::mouseClick(m_controller->findChild<QPushButton *>(u"editRuleButton"_s), Qt::LeftButton);
    QCOMPARE(editor(), first);
    QVERIFY(editor()->window()->isVisible());
    QCOMPARE(editor()->ruleFilePath(), file("a.rul"));
    QCOMPARE(editor()->dataArray(), (std::vector<rules::Rule>{{1, "Layer", "Ebene"}, {0, "copy", "Kopie"}}));
    editor()->okPressed();
    QCOMPARE(m_controller->rulFilePath(), file("a.rul"));
    QCOMPARE(mainField("rulTextField")->text(), file("a.rul"));
}

QTEST_MAIN(TestWindows)
#include "tst_windows.moc"
