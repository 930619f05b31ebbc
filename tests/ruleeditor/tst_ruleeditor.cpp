// The rule editor on its own, with QAbstractItemModelTester watching its
// table model: cell editing by mouse and keys, texts a rule cannot hold, the
// row buttons and their undo, Save with its warning about rows that will not
// load back as they are, the questions before unsaved changes are lost, and
// Cancel.
#include <algorithm>

#include <QAbstractItemModelTester>
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTableView>
#include <QTest>

#include "guisupport/imageview.h"
#include "ruleeditor/ruleeditorviewcontroller.h"
#include "ruleeditor/ruletablemodel.h"
#include "rules/rulefile.h"
#include "scripteddesktop.h"
#include "tempdir.h"

using namespace Qt::Literals::StringLiterals;

class TestRuleEditor : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void cellsEditByMouseAndKeys();
    void rowButtons_data();
    void rowButtons();
    void saveWritesTheTableAndWarnsAboutRowsThatWillNotLoadBack();
    void unsavedChangesAreAskedAbout_data();
    void unsavedChangesAreAskedAbout();
    void cancelGoesBackToTheLastOpeningOrSave();

private:
    void makeEditor(const QString &path)
    {
        m_tester.reset();
        m_editor = std::make_unique<RuleEditorViewController>(path);
        m_tester = std::make_unique<QAbstractItemModelTester>(m_editor->model(),
                                                              QAbstractItemModelTester::FailureReportingMode::QtTest);
        m_editor->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_editor.get()));
    }
    QAction *action(const char *name) const { return m_editor->findChild<QAction *>(QLatin1StringView(name)); }
    QTableView *table() const { return m_editor->tableView(); }
    QModelIndex cell(int row, int column) const { return m_editor->model()->index(row, column); }
    QPushButton *button(const char *name) const { return m_editor->findChild<QPushButton *>(QLatin1StringView(name)); }
    QLineEdit *pathField() const { return m_editor->findChild<QLineEdit *>(u"ruleTextField"_s); }
    QString image() const { return m_editor->findChild<ImageView *>(u"ruleImageView"_s)->imageName(); }
    // Closed editors linger until deleted, hidden.
    QLineEdit *openEditor() const
    {
        for (QLineEdit *editor : table()->viewport()->findChildren<QLineEdit *>()) {
            if (editor->isVisible())
                return editor;
        }
        return nullptr;
    }
    QString file(const char *name) const { return QString::fromStdString(m_dir->file(name)); }

    std::unique_ptr<ScriptedDesktop> m_desktop;
    std::unique_ptr<TempDir> m_dir;
    std::unique_ptr<RuleEditorViewController> m_editor;
    std::unique_ptr<QAbstractItemModelTester> m_tester;
};

void TestRuleEditor::init()
{
    m_desktop = std::make_unique<ScriptedDesktop>();
    m_dir = std::make_unique<TempDir>();
    writeText(m_dir->file("a.rul"), "1;Layer;Ebene;\n");
    writeText(m_dir->file("b.rul"), "0;Levels;Tonwertkorrektur;\n");
    makeEditor(QString());
}

void TestRuleEditor::cleanup()
{
    QCOMPARE(m_desktop->unanswered, 0);
    m_tester.reset();
    m_editor.reset();
    m_dir.reset();
    m_desktop.reset();
}

// Committing a text unchanged, as a view does on leaving a cell, is no edit;
// a click on the check box ticks the rule. Typing replaces the text; a cell
// refuses what a rule cannot hold, typed or pasted.
void TestRuleEditor::cellsEditByMouseAndKeys()
{
    table()->setCurrentIndex(cell(2, RuleTableModel::ReplaceColumn));
    QTest::keyClick(table(), Qt::Key_F2);
    QTest::keyClick(openEditor(), Qt::Key_Return);
    QVERIFY(!m_editor->isModified());

    QStyleOptionViewItem option;
    option.initFrom(table());
    option.rect = table()->visualRect(cell(1, RuleTableModel::UseColumn));
    option.features = QStyleOptionViewItem::HasCheckIndicator;
    const QPoint box = table()->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, table()).center();
    QTest::mouseClick(table()->viewport(), Qt::LeftButton, {}, box);
    QCOMPARE(m_editor->dataArray()[1].use, 1);

    table()->setCurrentIndex(cell(0, RuleTableModel::SearchColumn));
    QTest::keyClick(table(), Qt::Key_B);
    QLineEdit *editor = openEditor();
    QVERIFY(editor);
    QTest::keyClicks(editor, u"ack;ground"_s);
    for (const QString &pasted : {u"a;b"_s, u"Ebene\n1"_s, u"\r"_s, u"\u2028"_s, u"\u2029"_s, u"\u0085"_s, u" layer"_s}) {
        QGuiApplication::clipboard()->setText(pasted);
        editor->paste();
    }
    QCOMPARE(editor->text(), u"background layer"_s);
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(m_editor->dataArray()[0].search, "background layer");
}

// A button by its name, or a key sequence on the table, whose current cell is
// the selected row's search text.
void TestRuleEditor::rowButtons_data()
{
    QTest::addColumn<int>("selectedBefore");
    QTest::addColumn<QByteArray>("press");
    QTest::addColumn<int>("selectedAfter");
    QTest::addColumn<QStringList>("firstThree");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("enabled");
    const QStringList defaults{u"Background"_s, u"Brightness/Contrast"_s, u"copy"_s};
    const QStringList swapped{u"Background"_s, u"copy"_s, u"Brightness/Contrast"_s};
    QTest::newRow("insert") << 1 << "insertButton"_ba << 9 << defaults << 10 << 7;
    QTest::newRow("delete the last row") << 8 << "deleteButton"_ba << 7 << defaults << 8 << 6;
    QTest::newRow("Delete key, the next row moves up") << 3 << "Del"_ba << 3 << defaults << 8 << 6;
    // Space ticks the rule instead of starting to edit its text.
    QTest::newRow("Space on a rule's text") << 1 << "Space"_ba << 1 << defaults << 9 << 8;
    QTest::newRow("delete, none selected") << -1 << "deleteButton"_ba << -1 << defaults << 9 << 7;
    QTest::newRow("up from row 2") << 2 << "moveupButton"_ba << 1 << swapped << 9 << 7;
    QTest::newRow("down from row 1") << 1 << "movedownButton"_ba << 2 << swapped << 9 << 7;
    QTest::newRow("enable all") << 4 << "selectAllButton"_ba << 4 << defaults << 9 << 9;
    QTest::newRow("disable all") << -1 << "deselectAllButton"_ba << -1 << defaults << 9 << 0;
    QTest::newRow("swap the selected rule")
        << 2 << "swapButton"_ba << 2 << QStringList{u"Background"_s, u"Brightness/Contrast"_s, u"Kopie"_s} << 9 << 7;
    QTest::newRow("swap every rule, none selected")
        << -1 << "swapButton"_ba << -1 << QStringList{u"Hintergrund"_s, u"Helligkeit/Kontrast"_s, u"Kopie"_s} << 9 << 7;
}

void TestRuleEditor::rowButtons()
{
    QFETCH(int, selectedBefore);
    QFETCH(QByteArray, press);
    QFETCH(int, selectedAfter);
    QFETCH(QStringList, firstThree);
    QFETCH(int, rows);
    QFETCH(int, enabled);
    const auto selected = [this] {
        const QModelIndexList selection = table()->selectionModel()->selectedRows();
        return selection.isEmpty() ? -1 : selection.constFirst().row();
    };
    m_editor->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_editor.get()));
    if (selectedBefore >= 0) {
        table()->selectionModel()->setCurrentIndex(cell(selectedBefore, RuleTableModel::SearchColumn),
                                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    const std::vector<rules::Rule> before = m_editor->dataArray();
    if (press.endsWith("Button"))
        QTest::mouseClick(button(press.constData()), Qt::LeftButton);
    else
        QTest::keySequence(table(), QKeySequence(QString::fromLatin1(press)));
    QCOMPARE(int(m_editor->dataArray().size()), rows);
    for (int row = 0; row < 3; ++row)
        QCOMPARE(QString::fromStdString(m_editor->dataArray()[row].search), firstThree[row]);
    QCOMPARE(selected(), selectedAfter);
    QCOMPARE(std::ranges::count(m_editor->dataArray(), 1, &rules::Rule::use), enabled);
    if (press == "insertButton") { // ready to type the new rule's search text
        QVERIFY(openEditor());
        QCOMPARE(table()->currentIndex(), cell(9, RuleTableModel::SearchColumn));
        QTest::keyClick(openEditor(), Qt::Key_Escape);
    }

    // Each change is one step back and forth by the keys, with its selection;
    // no change, no step. Back at the start, the table counts as unchanged.
    const std::vector<rules::Rule> after = m_editor->dataArray();
    QCOMPARE(action("undoAction")->isEnabled(), after != before);
    QCOMPARE(m_editor->windowTitle(), after != before ? u"Untitled *"_s : u"Untitled"_s);
    if (after == before)
        return;
    QTest::keySequence(table(), QKeySequence::Undo);
    QCOMPARE(m_editor->dataArray(), before);
    QCOMPARE(selected(), selectedBefore);
    QCOMPARE(m_editor->windowTitle(), u"Untitled"_s);
    QTest::keySequence(table(), QKeySequence::Redo);
    QCOMPARE(m_editor->dataArray(), after);
    QCOMPARE(selected(), selectedAfter);
}

void TestRuleEditor::saveWritesTheTableAndWarnsAboutRowsThatWillNotLoadBack()
{
    // A name without a suffix gets ".rul".
    m_desktop->answerNextPanel(file("de"));
    QTest::mouseClick(button("saveRuleButton"), Qt::LeftButton);
    QCOMPARE(rules::readData(m_dir->file("de.rul")), m_editor->dataArray());
    QCOMPARE(pathField()->text(), file("de.rul"));
    QCOMPARE(image(), u"rule_loaded"_s);

    QTest::mouseClick(button("insertButton"), Qt::LeftButton);
    m_editor->model()->setData(cell(0, RuleTableModel::SearchColumn), QString());
    m_desktop->answerNextPanel(file("lossy.rul"));
    m_editor->saveRule();
    QVERIFY(readText(m_dir->file("lossy.rul")).starts_with("1;;Hintergrund;\n")); // written all the same
    QCOMPARE(m_desktop->sheets.size(), 1); // the first save had none
    const QString text = m_desktop->sheets.constFirst().informativeText;
    QVERIFY2(text.contains(u"Row 1: the search text is empty"_s), qPrintable(text));
    QVERIFY2(text.contains(u"Row 10: the replacement text is empty"_s), qPrintable(text));

    // A long list ends with a count of the rest.
    for (int i = 0; i < 20; ++i)
        m_editor->insertRow();
    m_desktop->answerNextPanel(file("lossy.rul"));
    m_editor->saveRule();
    QVERIFY(m_desktop->sheets.constLast().informativeText.contains(u"and 31 more"_s));
}

// Unsaved changes are asked about before Load, closing, OK and taking another
// file replace or drop them: answered by Save (0), Discard (1) or Cancel (2).
// Without changes nothing is asked: Cancel's test loads so, and cleanup fails
// on a question that found no answer.
void TestRuleEditor::unsavedChangesAreAskedAbout_data()
{
    QTest::addColumn<QByteArray>("action");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("name");
    QTest::newRow("load, save") << "load"_ba << 0 << u"a.rul"_s;
    QTest::newRow("close, discard") << "close"_ba << 1 << u"a.rul"_s;
    QTest::newRow("close untitled, save with a panel") << "close"_ba << 0 << QString();
    QTest::newRow("close, save fails") << "close"_ba << 0 << u"missing/a.rul"_s;
    QTest::newRow("ok, discard") << "ok"_ba << 1 << u"a.rul"_s;
    QTest::newRow("another file, cancel") << "take"_ba << 2 << u"a.rul"_s;
}

void TestRuleEditor::unsavedChangesAreAskedAbout()
{
    QFETCH(QByteArray, action);
    QFETCH(int, answer);
    QFETCH(QString, name);
    const QString path = name.isEmpty() ? QString() : file(name.toUtf8().constData());
    makeEditor(path);
    const std::vector<rules::Rule> opened = m_editor->dataArray();
    m_editor->addRules({u"Curves"_s});
    m_editor->model()->setData(cell(int(opened.size()), RuleTableModel::ReplaceColumn), u"Kurven"_s);
    m_desktop->answerNextAlert(answer);
    const std::vector<rules::Rule> edited = m_editor->dataArray();
    const QString savedTo = path.isEmpty() ? file("new.rul") : path;
    const bool saves = answer == 0 && !name.startsWith(u"missing");
    if (answer == 0 && path.isEmpty())
        m_desktop->answerNextPanel(savedTo);
    const bool goesOn = answer == 1 || saves;
    if (action == "load" && goesOn)
        m_desktop->answerNextPanel(file("b.rul"));

    if (action == "load")
        m_editor->loadRule();
    else if (action == "close")
        m_editor->close();
    else if (action == "ok")
        m_editor->okPressed();
    else
        QCOMPARE(m_editor->takeRuleFile(file("b.rul")), goesOn);

    QCOMPARE(m_desktop->questions.size(), 1);
    const Alert &question = m_desktop->questions.constFirst();
    QVERIFY(question.messageText.contains(name.isEmpty() ? u"Untitled"_s : u"a.rul"_s));
    QCOMPARE(question.buttons, (QStringList{u"Save"_s, u"Discard"_s, u"Cancel"_s}));
    QCOMPARE(question.cancelButton, 2);
    if (saves)
        QCOMPARE(rules::readData(savedTo.toStdString()), edited);
    else if (name == u"a.rul"_s)
        QCOMPARE(readText(path.toStdString()), "1;Layer;Ebene;\n");
    QCOMPARE(m_desktop->sheets.size(), answer == 0 && !saves ? 1 : 0); // the failed save

    QCOMPARE(m_editor->isVisible(), !goesOn || action == "load" || action == "take");
    QCOMPARE(m_editor->isModified(), !goesOn);
    if (!goesOn)
        QCOMPARE(m_editor->dataArray(), edited);
    else if (action == "load" || action == "take")
        QCOMPARE(m_editor->dataArray(), (std::vector<rules::Rule>{{0, "Levels", "Tonwertkorrektur"}}));
    else // discarded changes are gone
        QCOMPARE(m_editor->dataArray(), saves ? edited : opened);
}

// Cancel takes the table and its file back to where they were when the
// window was last opened or saved, with a fresh history.
void TestRuleEditor::cancelGoesBackToTheLastOpeningOrSave()
{
    const std::vector<rules::Rule> defaults = m_editor->dataArray();
    m_desktop->answerNextPanel(file("b.rul"));
    m_editor->loadRule();
    m_editor->addRules({u"Curves"_s});
    QTest::mouseClick(button("cancelButton"), Qt::LeftButton);
    QVERIFY(!m_editor->isVisible());
    QCOMPARE(m_editor->dataArray(), defaults);
    QCOMPARE(pathField()->text(), QString());
    QCOMPARE(image(), u"rule_notloaded"_s);
    QVERIFY(!action("undoAction")->isEnabled());

    m_editor->show();
    m_editor->addRules({u"Curves"_s});
    m_desktop->answerNextPanel(file("c.rul"));
    m_editor->saveRule();
    const std::vector<rules::Rule> saved = m_editor->dataArray();
    m_editor->addRules({u"Vibrance"_s});
    QTest::mouseClick(button("cancelButton"), Qt::LeftButton);
    QCOMPARE(m_editor->dataArray(), saved);
    QCOMPARE(m_editor->windowTitle(), u"c.rul"_s);

    m_editor->show();
    m_desktop->answerNextPanel(file("b.rul"));
    m_editor->loadRule();
    m_editor->close();
    m_editor->show();
    m_editor->addRules({u"Vibrance"_s});
    QTest::mouseClick(button("cancelButton"), Qt::LeftButton);
    QCOMPARE(m_editor->dataArray(), (std::vector<rules::Rule>{{0, "Levels", "Tonwertkorrektur"}}));
    QCOMPARE(m_editor->ruleFilePath(), file("b.rul"));
}

QTEST_MAIN(TestRuleEditor)
#include "tst_ruleeditor.moc"
