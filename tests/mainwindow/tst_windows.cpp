// The windows the main window opens: the rule editor, made at the first
// request from the main window's rule file and handing a path back on OK; the
// Stored Strings window following the main window's files and adding rules to
// the editor; and Quit asking the open editor.
#include <QAction>
#include <QApplication>
#include <QLabel>
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
#include "scripteddesktop.h"
#include "stringsview/storedstringmodel.h"
#include "stringsview/stringsviewcontroller.h"
#include "tempdir.h"

using namespace Qt::Literals::StringLiterals;

using Rules = std::vector<rules::Rule>;

class TestWindows : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { bundle::installTranslations(QLocale(QLocale::English)); }
    void init();
    void cleanup();

    void editorTakesTheRuleFileOnceAndHandsBackItsOwn();
    void stringsWindowFollowsTheChosenFiles();
    void addRuleAppendsDisabledRulesToTheMainWindowsRuleFile();
    void quitAsksTheOpenEditor();

private:
    template <class T>
    T *child(const char *name) const
    {
        return m_controller->findChild<T *>(QLatin1StringView(name));
    }
    StringsViewController *strings() const
    {
        return qobject_cast<StringsViewController *>(m_controller->stringsWindow()->contentViewController());
    }
    RuleEditorViewController *editor() const
    {
        return qobject_cast<RuleEditorViewController *>(m_controller->editRuleWindow()->contentViewController());
    }
    QString file(const char *name) const { return QString::fromStdString(m_dir->file(name)); }
    // However a path gets into a field, the main window reads the field.
    void setField(const char *field, const QString &path) const { child<QLineEdit>(field)->setText(path); }

    std::unique_ptr<ScriptedDesktop> m_desktop;
    std::unique_ptr<TempDir> m_dir;
    std::unique_ptr<MainWindow> m_main;
    ViewController *m_controller = nullptr;
};

void TestWindows::init()
{
    m_desktop = std::make_unique<ScriptedDesktop>();
    m_dir = std::make_unique<TempDir>();
    writeText(m_dir->file("a.rul"), "1;Layer;Ebene;\n0;copy;Kopie;\n");
    writeText(m_dir->file("b.rul"), "1;Levels;Tonwertkorrektur;\n");
    m_main = std::make_unique<MainWindow>();
    m_controller = m_main->viewController();
    m_main->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
}

void TestWindows::cleanup()
{
    QCOMPARE(m_desktop->unanswered, 0);
    // The main window takes the windows it opened with it.
    m_main.reset();
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
    m_dir.reset();
    m_desktop.reset();
}

// Made at the first request, the editor reads the main window's rule file;
// later openings show it as it was, on its own file. OK hands back the file
// it has, here the one last loaded, and nothing else.
void TestWindows::editorTakesTheRuleFileOnceAndHandsBackItsOwn()
{
    m_desktop->answerNextPanel(file("a.rul"));
    m_controller->selectRuleFile();
    m_controller->editRuleFile();
    QCOMPARE(editor()->ruleFilePath(), file("a.rul"));
    editor()->window()->close();
    setField("rulTextField", u"typed meanwhile.rul"_s);
    setField("atnTextField", u"typed.atn"_s);
    QTest::mouseClick(child<QPushButton>("editRuleButton"), Qt::LeftButton);
    QVERIFY(editor()->window()->isVisible());
    QCOMPARE(editor()->dataArray(), (Rules{{1, "Layer", "Ebene"}, {0, "copy", "Kopie"}}));

    m_desktop->answerNextPanel(file("b.rul"));
    QTest::mouseClick(editor()->findChild<QPushButton *>(u"loadRuleButton"_s), Qt::LeftButton);
    QTest::mouseClick(editor()->findChild<QPushButton *>(u"okButton"_s), Qt::LeftButton);
    QVERIFY(!editor()->window()->isVisible());
    QCOMPARE(m_controller->rulFilePath(), file("b.rul"));
    QCOMPARE(child<ImageView>("rulImageView")->imageName(), u"rule_loaded"_s);
    QCOMPARE(child<QLineEdit>("atnTextField")->text(), u"typed.atn"_s);
}

void TestWindows::stringsWindowFollowsTheChosenFiles()
{
    writeBytes(m_dir->file("One.atn"), atnbuild::actionFile("One", {atnbuild::action("Layer 1", {})}));
    writeBytes(m_dir->file("Two.atn"), atnbuild::actionFile("Two", {atnbuild::action("Layer 2", {})}));
    // The texts shown, those a rule changes marked with "*".
    const auto shown = [&] {
        QStringList texts;
        for (const StoredStringModel::Row &row : strings()->model()->rows())
            texts << (row.isChanged() ? u"*"_s : QString()) + row.text;
        return texts;
    };

    // The button beside the input field opens the window for that file.
    setField("atnTextField", file("One.atn"));
    QTest::mouseClick(child<QPushButton>("showStringsButton"), Qt::LeftButton);
    QWidget *window = m_controller->stringsWindow()->window();
    QVERIFY(window->isVisible());
    QCOMPARE(shown(), (QStringList{u"One"_s, u"Layer 1"_s}));

    // While open, it follows the input and the rule file.
    setField("atnTextField", file("Two.atn"));
    setField("rulTextField", file("a.rul"));
    QCOMPARE(shown(), (QStringList{u"Two"_s, u"*Layer 2"_s}));

    // A translation that replaced the input shows what it wrote.
    setField("atncopyTextField", file("Two.atn"));
    m_controller->startTranslation();
    QCOMPARE(shown(), (QStringList{u"Two"_s, u"Ebene 2"_s}));

    // Closed, it is brought up to date when shown again.
    window->close();
    setField("atnTextField", file("One.atn"));
    m_controller->showStringsWindow();
    QCOMPARE(shown(), (QStringList{u"One"_s, u"*Layer 1"_s}));
}

// The editor, open on another file, takes the main window's rule file; the
// selected texts come top to bottom, each once, and those a rule cannot hold
// are counted under the table.
void TestWindows::addRuleAppendsDisabledRulesToTheMainWindowsRuleFile()
{
    m_controller->editRuleFile();
    writeBytes(m_dir->file("Adjust.atn"), atnbuild::fileWithItems({{"Nm  ", atnbuild::textValue("Curves 1")},
                                                                   {"Txt ", atnbuild::textValue("Two\nlines")},
                                                                   {"T   ", atnbuild::textValue("Vibrance 1")},
                                                                   {"Ttl ", atnbuild::textValue("Curves 1")}}));
    setField("atnTextField", file("Adjust.atn"));
    setField("rulTextField", file("b.rul"));
    m_controller->showStringsWindow();
    auto *table = strings()->findChild<QTableView *>(u"stringsTableView"_s);
    for (int row = table->model()->rowCount() - 1; row >= 0; --row) {
        if (table->model()->index(row, StoredStringModel::RoleColumn).data() == u"text value"_s)
            table->selectionModel()->select(table->model()->index(row, 0),
                                            QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

    QTest::mouseClick(strings()->findChild<QPushButton *>(u"addRuleButton"_s), Qt::LeftButton);
    QVERIFY(editor()->window()->isVisible());
    QCOMPARE(editor()->ruleFilePath(), file("b.rul"));
    QCOMPARE(editor()->dataArray(), (Rules{{1, "Levels", "Tonwertkorrektur"}, {0, "Curves 1", ""}, {0, "Vibrance 1", ""}}));
    QCOMPARE(strings()->findChild<QLabel *>(u"addRuleNoteLabel"_s)->text(),
             u"Texts left out, as a rule cannot hold \";\" or a line break: 1"_s);
}

// Quit ends the application, whatever else is open, once the rule editor has
// asked about its unsaved rules: kept open, it ends nothing.
void TestWindows::quitAsksTheOpenEditor()
{
    m_controller->editRuleFile();
    editor()->insertRow();
    m_desktop->answerNextAlert(RuleEditorAlerts::Cancel);
    m_main->findChild<QAction *>(u"quitAction"_s)->trigger();
    QCOMPARE(m_desktop->terminations, 0);
    m_desktop->answerNextAlert(RuleEditorAlerts::Discard);
    QTest::mouseClick(child<QPushButton>("exitButton"), Qt::LeftButton);
    QCOMPARE(m_desktop->terminations, 1);
    m_main->findChild<QAction *>(u"quitAction"_s)->trigger();
    QCOMPARE(m_desktop->terminations, 2);
}

QTEST_MAIN(TestWindows)
#include "tst_windows.moc"
