// The rule editor as the main window opens it: one window, made at the first
// request from the main window's rule file, handing a path back on OK.
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "app/mainstoryboard.h"
#include "app/storyboard.h"
#include "app/windowcontroller.h"
#include "mainwindow/imageview.h"
#include "mainwindow/viewcontroller.h"
#include "ruleeditor/ruleeditorviewcontroller.h"
#include "ruleeditor/ruletablemodel.h"
#include "rules/diagnosticlog.h"
#include "scripteddesktop.h"
#include "tempdir.h"

using namespace Qt::Literals::StringLiterals;

class TestRuleEditorWindow : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void firstOpeningTakesTheMainWindowsRuleFile_data();
    void firstOpeningTakesTheMainWindowsRuleFile();
    void okHandsBackOnlyThePath_data();
    void okHandsBackOnlyThePath();
    void cancelKeepsTheEditsAndLaterOpeningsKeepTheFirstFile();

private:
    RuleEditorViewController *openEditor()
    {
        m_main->editRuleFile();
        WindowController *window = m_main->editRuleWindow();
        return window ? qobject_cast<RuleEditorViewController *>(window->contentViewController()) : nullptr;
    }
    void chooseRuleFile(const QString &path)
    {
        m_desktop->answerNextPanel(path);
        m_main->selectRuleFile();
    }
    QLineEdit *mainField(const char *name) const { return m_main->findChild<QLineEdit *>(QLatin1StringView(name)); }
    QString file(const char *name) const { return QString::fromStdString(m_dir->file(name)); }

    std::unique_ptr<ScriptedDesktop> m_desktop;
    std::unique_ptr<TempDir> m_dir;
    std::unique_ptr<WindowController> m_mainWindow;
    ViewController *m_main = nullptr;
};

void TestRuleEditorWindow::init()
{
    m_desktop = std::make_unique<ScriptedDesktop>();
    m_dir = std::make_unique<TempDir>();
    writeText(m_dir->file("a.rul"), "1;Layer;Ebene;\n0;copy;Kopie;\n");
    writeText(m_dir->file("b.rul"), "1;Levels;Tonwertkorrektur;\n");
    rules::setLogSink([](std::string_view, std::string_view) {});
    Storyboard::provide(makeMainStoryboard());
    m_mainWindow = Storyboard::storyboardWithName(u"Main"_s)->instantiateInitialController();
    m_main = qobject_cast<ViewController *>(m_mainWindow->contentViewController());
    QVERIFY(m_main);
    m_mainWindow->showWindow();
    QVERIFY(QTest::qWaitForWindowExposed(m_mainWindow->window()));
}

void TestRuleEditorWindow::cleanup()
{
    QCOMPARE(m_desktop->unansweredPanels, 0);
    m_mainWindow.reset();
    Storyboard::withdraw(u"Main"_s);
    rules::setLogSink({});
    m_dir.reset();
    m_desktop.reset();
}

void TestRuleEditorWindow::firstOpeningTakesTheMainWindowsRuleFile_data()
{
    QTest::addColumn<QString>("ruleFile");
    QTest::addColumn<QStringList>("searches");
    QTest::addColumn<QString>("title");
    QTest::newRow("no rule file: the default rules") << QString() << QStringList{u"Background"_s, u"Brightness/Contrast"_s}
                                                     << u"Untitled"_s;
    QTest::newRow("rule file") << u"a.rul"_s << QStringList{u"Layer"_s, u"copy"_s} << u"a.rul"_s;
    QTest::newRow("missing rule file: no rules") << u"gone.rul"_s << QStringList() << u"gone.rul"_s;
}

void TestRuleEditorWindow::firstOpeningTakesTheMainWindowsRuleFile()
{
    QFETCH(QString, ruleFile);
    QFETCH(QStringList, searches);
    QFETCH(QString, title);
    const QString path = ruleFile.isEmpty() ? QString() : file(ruleFile.toUtf8().constData());
    if (!path.isEmpty())
        chooseRuleFile(path);

    RuleEditorViewController *editor = openEditor();
    QVERIFY(editor);
    QCOMPARE(editor->findChild<QLineEdit *>(u"ruleTextField"_s)->text(), path);
    QStringList shown;
    for (const rules::Rule &rule : editor->dataArray())
        shown << QString::fromStdString(rule.search);
    QCOMPARE(shown.mid(0, 2), searches);
    QCOMPARE(shown.size(), path.isEmpty() ? 9 : searches.size());
    QCOMPARE(editor->window()->windowTitle(), title);
    QCOMPARE(editor->findChild<ImageView *>(u"ruleImageView"_s)->imageName(),
             path.isEmpty() ? u"rule_notloaded"_s : u"rule_loaded"_s);
}

void TestRuleEditorWindow::okHandsBackOnlyThePath_data()
{
    QTest::addColumn<bool>("load");
    QTest::newRow("after loading a file") << true;
    QTest::newRow("without loading: the path it started with") << false;
}

void TestRuleEditorWindow::okHandsBackOnlyThePath()
{
    QFETCH(bool, load);
    mainField("atnTextField")->setText(u"typed.atn"_s);
    RuleEditorViewController *editor = openEditor();
    mainField("rulTextField")->setText(u"typed meanwhile.rul"_s);
    if (load) {
        m_desktop->answerNextPanel(file("b.rul"));
        QTest::mouseClick(editor->findChild<QPushButton *>(u"loadRuleButton"_s), Qt::LeftButton);
        const OpenPanel panel{.title = u"Load a RUL file"_s, .allowedFileTypes = {u"rul"_s}};
        QCOMPARE(m_desktop->openPanels, QList<OpenPanel>{panel});
        QCOMPARE(editor->dataArray(), (std::vector<rules::Rule>{{1, "Levels", "Tonwertkorrektur"}}));
        QCOMPARE(editor->window()->windowTitle(), u"b.rul"_s);
        QCOMPARE(editor->findChild<ImageView *>(u"ruleImageView"_s)->imageName(), u"rule_loaded"_s);
    }
    QTest::mouseClick(editor->findChild<QPushButton *>(u"okButton"_s), Qt::LeftButton);

    const QString expected = load ? file("b.rul") : QString();
    QCOMPARE(m_main->rulFilePath(), expected);
    QCOMPARE(mainField("rulTextField")->text(), expected);
    QCOMPARE(mainField("atnTextField")->text(), u"typed.atn"_s);
    QCOMPARE(m_main->findChild<ImageView *>(u"rulImageView"_s)->imageName(), u"rule_notloaded"_s);
    QVERIFY(!editor->window()->isVisible());
}

void TestRuleEditorWindow::cancelKeepsTheEditsAndLaterOpeningsKeepTheFirstFile()
{
    chooseRuleFile(file("a.rul"));
    RuleEditorViewController *editor = openEditor();
    editor->model()->setData(editor->model()->index(1, RuleTableModel::UseColumn), Qt::Checked, Qt::CheckStateRole);
    editor->insertRow();
    QTest::mouseClick(editor->findChild<QPushButton *>(u"cancelButton"_s), Qt::LeftButton);
    QVERIFY(!editor->window()->isVisible());
    QCOMPARE(m_main->rulFilePath(), file("a.rul"));

    // Another rule file chosen meanwhile: the editor comes back as it was left.
    chooseRuleFile(file("b.rul"));
    QTest::mouseClick(m_main->findChild<QPushButton *>(u"editRuleButton"_s), Qt::LeftButton);
    QCOMPARE(m_main->editRuleWindow()->contentViewController(), editor);
    QVERIFY(editor->window()->isVisible());
    QCOMPARE(editor->ruleFilePath(), file("a.rul"));
    QCOMPARE(editor->dataArray(), (std::vector<rules::Rule>{{1, "Layer", "Ebene"}, {1, "copy", "Kopie"}, {}}));
    QCOMPARE(editor->window()->windowTitle(), u"a.rul *"_s);
    QCOMPARE(readText(m_dir->file("a.rul")), "1;Layer;Ebene;\n0;copy;Kopie;\n");
    editor->okPressed();
    QCOMPARE(m_main->rulFilePath(), file("a.rul"));
    QCOMPARE(mainField("rulTextField")->text(), file("a.rul"));
}

QTEST_MAIN(TestRuleEditorWindow)
#include "tst_ruleeditorwindow.moc"
