// The rule editor on its own, with QAbstractItemModelTester watching its
// table model: the columns, cell editing by mouse and keys, texts a rule
// cannot hold, the row buttons, and Save with its warning about rows that
// will not load back as they are.
#include <algorithm>
#include <sys/stat.h>

#include <QAbstractItemModelTester>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTableView>
#include <QTest>

#include "guisupport/imageview.h"
#include "hangguard.h"
#include "ruleeditor/ruleeditorviewcontroller.h"
#include "ruleeditor/ruletablemodel.h"
#include "rules/diagnosticlog.h"
#include "rules/rulefile.h"
#include "scripteddesktop.h"
#include "tempdir.h"

using namespace Qt::Literals::StringLiterals;

class TestRuleEditor : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void columnsAreFoundByIdentifier();
    void checkBoxTogglesByClickAndSpace();
    void typingEditsACellAndTabMovesOn();
    void cellsRefuseSemicolonsTypedOrPasted();
    void modelRefusesWhatARuleCannotHold_data();
    void modelRefusesWhatARuleCannotHold();
    void rowButtons_data();
    void rowButtons();
    void deleteKeyRemovesTheSelectedRow();
    void saveWritesTheTableAndWarnsAboutRowsThatWillNotLoadBack();
    void loadRefusesPipesAndDevicesAtOnce();
    void addRulesAppendsDisabledRowsToFillIn();

private:
    QTableView *table() const { return m_editor->tableView(); }
    QModelIndex cell(int row, int column) const { return m_editor->model()->index(row, column); }
    void click(const char *name)
    {
        auto *button = m_editor->findChild<QPushButton *>(QLatin1StringView(name));
        QVERIFY2(button, name);
        QTest::mouseClick(button, Qt::LeftButton);
    }
    QLineEdit *pathField() const { return m_editor->findChild<QLineEdit *>(u"ruleTextField"_s); }
    QString image() const { return m_editor->findChild<ImageView *>(u"ruleImageView"_s)->imageName(); }
    void select(int row)
    {
        table()->selectionModel()->setCurrentIndex(cell(row, RuleTableModel::SearchColumn),
                                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    int selected() const
    {
        const QModelIndexList rows = table()->selectionModel()->selectedRows();
        return rows.isEmpty() ? -1 : rows.constFirst().row();
    }
    QStringList searches() const
    {
        QStringList texts;
        for (const rules::Rule &rule : m_editor->dataArray())
            texts << QString::fromStdString(rule.search);
        return texts;
    }
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
    rules::setLogSink([](std::string_view, std::string_view) {});
    m_editor = std::make_unique<RuleEditorViewController>();
    m_tester = std::make_unique<QAbstractItemModelTester>(m_editor->model(),
                                                          QAbstractItemModelTester::FailureReportingMode::QtTest);
    m_editor->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_editor.get()));
}

void TestRuleEditor::cleanup()
{
    QCOMPARE(m_desktop->unansweredPanels, 0);
    m_tester.reset();
    m_editor.reset();
    rules::setLogSink({});
    m_dir.reset();
    m_desktop.reset();
}

void TestRuleEditor::columnsAreFoundByIdentifier()
{
    const QStringList keys{u"use"_s, u"search"_s, u"replace"_s};
    QCOMPARE(m_editor->model()->columnCount(), keys.size());
    for (int column = 0; column < 3; ++column) {
        QCOMPARE(m_editor->model()->headerData(column, Qt::Horizontal, RuleTableModel::IdentifierRole).toString(),
                 keys[column]);
        QCOMPARE(RuleTableModel::columnForIdentifier(keys[column]), column);
    }
    QVERIFY(!cell(1, RuleTableModel::UseColumn).data(Qt::DisplayRole).isValid()); // the check box alone
    QCOMPARE(m_editor->model()->headerData(8, Qt::Vertical), QVariant(9)); // counted from 1, as warnings count rows
}

void TestRuleEditor::checkBoxTogglesByClickAndSpace()
{
    QStyleOptionViewItem option;
    option.initFrom(table());
    option.rect = table()->visualRect(cell(1, RuleTableModel::UseColumn));
    option.features = QStyleOptionViewItem::HasCheckIndicator;
    const QPoint box = table()->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, table()).center();
    QTest::mouseClick(table()->viewport(), Qt::LeftButton, {}, box);
    QCOMPARE(m_editor->dataArray()[1].use, 1);
    QCOMPARE(m_editor->windowTitle(), u"Untitled *"_s);

    // Space ticks the current row from its check box and from its texts alike.
    for (const int column : {RuleTableModel::UseColumn, RuleTableModel::ReplaceColumn}) {
        table()->setCurrentIndex(cell(1, column));
        QTest::keyClick(table(), Qt::Key_Space);
        QCOMPARE(m_editor->dataArray()[1].use, column == RuleTableModel::UseColumn ? 0 : 1);
    }
    QCOMPARE(m_editor->dataArray()[1].replace, "Helligkeit/Kontrast");
}

void TestRuleEditor::typingEditsACellAndTabMovesOn()
{
    table()->setCurrentIndex(cell(0, RuleTableModel::SearchColumn));
    QTest::keyClick(table(), Qt::Key_B);
    QVERIFY(openEditor());
    QTest::keyClicks(openEditor(), u"ackground layer"_s); // typing replaces the text
    QTest::keyClick(openEditor(), Qt::Key_Tab);
    QCOMPARE(m_editor->dataArray()[0].search, "background layer");
    QCOMPARE(table()->currentIndex(), cell(0, RuleTableModel::ReplaceColumn));
    QTRY_VERIFY(openEditor());
    QCOMPARE(openEditor()->text(), u"Hintergrund"_s);
    QTest::keyClick(openEditor(), Qt::Key_Escape);

    const QPoint layer = table()->visualRect(cell(7, RuleTableModel::SearchColumn)).center();
    QTest::mouseClick(table()->viewport(), Qt::LeftButton, {}, layer);
    QVERIFY(!openEditor());
    QTest::mouseDClick(table()->viewport(), Qt::LeftButton, {}, layer);
    QTRY_VERIFY(openEditor());
    QCOMPARE(openEditor()->text(), u"Layer"_s);
}

void TestRuleEditor::cellsRefuseSemicolonsTypedOrPasted()
{
    table()->setCurrentIndex(cell(2, RuleTableModel::ReplaceColumn));
    QTest::keyClick(table(), Qt::Key_F2);
    QLineEdit *editor = openEditor();
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, u"Ko;pie"_s);
    for (const QString &pasted : {u"a;b"_s, u"Ebene\n1"_s, u" 1"_s}) {
        QGuiApplication::clipboard()->setText(pasted);
        editor->paste();
    }
    QCOMPARE(editor->text(), u"Kopie 1"_s);
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(QString::fromStdString(m_editor->dataArray()[2].replace), u"Kopie 1"_s);
}

void TestRuleEditor::modelRefusesWhatARuleCannotHold_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("plain") << u"Hintergrundebene"_s << true;
    QTest::newRow("empty") << QString() << true;
    QTest::newRow("semicolon") << u"a;b"_s << false;
    QTest::newRow("line feed") << u"Layer\n"_s << false;
    QTest::newRow("carriage return") << u"Layer\r1"_s << false;
    QTest::newRow("line separator") << u"Layer\u2028"_s << false;
    QTest::newRow("paragraph separator") << u"\u2029"_s << false;
    QTest::newRow("next line") << u"a\u0085b"_s << false;
}

void TestRuleEditor::modelRefusesWhatARuleCannotHold()
{
    QFETCH(QString, text);
    QFETCH(bool, accepted);
    QAbstractItemModel *model = m_editor->model();
    QSignalSpy changed(model, &QAbstractItemModel::dataChanged);
    const QModelIndex replace = cell(7, RuleTableModel::ReplaceColumn);
    QCOMPARE(model->setData(replace, text), accepted);
    QCOMPARE(replace.data().toString(), accepted ? text : u"Ebene"_s);
    QCOMPARE(m_editor->isModified(), accepted);

    // Committing the unchanged text, as a view does on leaving a cell, is no edit.
    QVERIFY(model->setData(replace, replace.data()));
    QCOMPARE(changed.size(), accepted ? 1 : 0);
}

void TestRuleEditor::rowButtons_data()
{
    QTest::addColumn<int>("selectedBefore");
    QTest::addColumn<QByteArray>("button");
    QTest::addColumn<int>("selectedAfter");
    QTest::addColumn<QStringList>("firstThree");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("enabled");
    const QStringList defaults{u"Background"_s, u"Brightness/Contrast"_s, u"copy"_s};
    const QStringList swapped{u"Background"_s, u"copy"_s, u"Brightness/Contrast"_s};
    QTest::newRow("insert") << 1 << "insertButton"_ba << 9 << defaults << 10 << 7;
    QTest::newRow("delete row 0") << 0 << "deleteButton"_ba << 0 << defaults.mid(1) + QStringList{u"Color Fill"_s}
                                  << 8 << 6;
    QTest::newRow("delete the last row") << 8 << "deleteButton"_ba << 7 << defaults << 8 << 6;
    QTest::newRow("delete, none selected") << -1 << "deleteButton"_ba << -1 << defaults << 9 << 7;
    QTest::newRow("up from row 0") << 0 << "moveupButton"_ba << 0 << defaults << 9 << 7;
    QTest::newRow("up from row 2") << 2 << "moveupButton"_ba << 1 << swapped << 9 << 7;
    QTest::newRow("down from row 1") << 1 << "movedownButton"_ba << 2 << swapped << 9 << 7;
    QTest::newRow("down from the last row") << 8 << "movedownButton"_ba << 8 << defaults << 9 << 7;
    QTest::newRow("enable all") << 4 << "selectAllButton"_ba << 4 << defaults << 9 << 9;
    QTest::newRow("disable all") << -1 << "deselectAllButton"_ba << -1 << defaults << 9 << 0;
}

void TestRuleEditor::rowButtons()
{
    QFETCH(int, selectedBefore);
    QFETCH(QByteArray, button);
    QFETCH(int, selectedAfter);
    QFETCH(QStringList, firstThree);
    QFETCH(int, rows);
    QFETCH(int, enabled);
    if (selectedBefore >= 0)
        select(selectedBefore);
    QSignalSpy moved(m_editor->model(), &QAbstractItemModel::rowsMoved);
    click(button.constData());
    // Moves that cannot happen announce nothing.
    QCOMPARE(moved.size(), button.startsWith("move") && selectedAfter != selectedBefore ? 1 : 0);
    QCOMPARE(searches().size(), rows);
    QCOMPARE(searches().mid(0, 3), firstThree);
    QCOMPARE(selected(), selectedAfter);
    QCOMPARE(std::ranges::count(m_editor->dataArray(), 1, &rules::Rule::use), enabled);
    if (button == "insertButton") { // ready to type the new rule's search text
        QVERIFY(openEditor());
        QCOMPARE(table()->currentIndex(), cell(9, RuleTableModel::SearchColumn));
    }
}

void TestRuleEditor::deleteKeyRemovesTheSelectedRow()
{
    m_editor->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_editor.get()));
    table()->setFocus();
    select(3);
    QTest::keyClick(table(), Qt::Key_Delete);
    QCOMPARE(searches().size(), 8);
    QCOMPARE(searches().at(3), u"Gradient Fill"_s);
    QCOMPARE(selected(), 3);
}

void TestRuleEditor::saveWritesTheTableAndWarnsAboutRowsThatWillNotLoadBack()
{
    pathField()->setText(u"typed name.rul"_s);
    m_editor->model()->setData(cell(0, RuleTableModel::ReplaceColumn), u"Hintergrundebene"_s);
    // Cancelled panels change nothing.
    m_desktop->answerNextPanel(std::nullopt);
    m_editor->loadRule();
    m_desktop->answerNextPanel(std::nullopt);
    m_editor->saveRule();
    QCOMPARE(m_editor->dataArray()[0].replace, "Hintergrundebene");
    QCOMPARE(pathField()->text(), u"typed name.rul"_s);
    QVERIFY(m_dir->entries().empty());

    m_desktop->answerNextPanel(file("de.rul"));
    click("saveRuleButton");
    const SavePanel expected{.title = u"Save RUL file"_s, .nameFieldStringValue = u"typed name.rul"_s};
    QCOMPARE(m_desktop->savePanels, (QList<SavePanel>{expected, expected}));
    QCOMPARE(rules::readData(m_dir->file("de.rul")), m_editor->dataArray());
    QCOMPARE(pathField()->text(), file("de.rul"));
    QCOMPARE(image(), u"rule_loaded"_s);
    QCOMPARE(m_editor->windowTitle(), u"de.rul"_s);
    QVERIFY(m_desktop->sheets.isEmpty());

    click("insertButton");
    m_editor->model()->setData(cell(0, RuleTableModel::SearchColumn), QString());
    m_desktop->answerNextPanel(file("lossy.rul"));
    m_editor->saveRule();
    // Written all the same, byte for byte.
    QVERIFY(readText(m_dir->file("lossy.rul")).starts_with("1;;Hintergrundebene;\n0;Brightness"));
    QVERIFY(readText(m_dir->file("lossy.rul")).ends_with("1;Levels;Tonwertkorrektur;\n0;;;\n"));
    QCOMPARE(m_desktop->sheets.size(), 1);
    const ScriptedDesktop::Sheet &sheet = m_desktop->sheets.constFirst();
    QCOMPARE(sheet.window, m_editor.get());
    QCOMPARE(sheet.alert.style, Alert::Style::Warning);
    const QString text = sheet.alert.informativeText;
    QVERIFY2(text.contains(u"Row 1: the search text is empty"_s), qPrintable(text));
    QVERIFY2(text.contains(u"Row 10: the replacement text is empty"_s), qPrintable(text));
    QVERIFY(!text.contains(u"Row 2"_s));

    // A long list ends with a count of the rest.
    for (int i = 0; i < 20; ++i)
        m_editor->insertRow();
    m_desktop->answerNextPanel(file("lossy.rul"));
    m_editor->saveRule();
    QVERIFY(m_desktop->sheets.constLast().alert.informativeText.contains(u"and 31 more"_s));
}

void TestRuleEditor::loadRefusesPipesAndDevicesAtOnce()
{
    const HangGuard guard;
    const QString pipe = file("pipe.rul");
    QCOMPARE(::mkfifo(qPrintable(pipe), 0644), 0);
    QStringList logged;
    rules::setLogSink([&](std::string_view, std::string_view detail) { logged << QString::fromUtf8(detail); });
    for (const auto &[path, reason] : {std::pair{pipe, u"it is a pipe with no writer"_s},
                                       std::pair{u"/dev/zero"_s, u"it is a device"_s}}) {
        m_desktop->answerNextPanel(path);
        m_editor->loadRule();
        QCOMPARE(logged.constLast(), u"Cannot read \"%1\": %2"_s.arg(path, reason));
        QVERIFY(m_editor->dataArray().empty());
    }
}

void TestRuleEditor::addRulesAppendsDisabledRowsToFillIn()
{
    // Texts a rule cannot hold are left out; the first new row waits for its replacement.
    QCOMPARE(m_editor->addRules({u"Curves"_s, u"a;b"_s, u"two\nlines"_s, QString(), u"Vibrance"_s}), 2);
    QCOMPARE(std::vector(m_editor->dataArray().begin() + 9, m_editor->dataArray().end()),
             (std::vector<rules::Rule>{{0, "Curves", ""}, {0, "Vibrance", ""}}));
    QCOMPARE(table()->currentIndex(), cell(9, RuleTableModel::ReplaceColumn));
    QCOMPARE(m_editor->windowTitle(), u"Untitled *"_s);
    QCOMPARE(m_editor->addRules({u";"_s}), 0);
    QCOMPARE(searches().size(), 11);
}

QTEST_MAIN(TestRuleEditor)
#include "tst_ruleeditor.moc"
