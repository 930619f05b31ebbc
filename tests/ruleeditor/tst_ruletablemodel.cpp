// The rule table model: what views see, what edits they may make, and the
// signals of every row operation, watched by QAbstractItemModelTester.
#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

#include "ruleeditor/ruletablemodel.h"

using namespace Qt::Literals::StringLiterals;
using Rules = std::vector<rules::Rule>;

class TestRuleTableModel : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void defaultTableAsViewsSeeIt();
    void columnsAreFoundByIdentifier();
    void useTogglesWhateverTheCheckBoxDelivers_data();
    void useTogglesWhateverTheCheckBoxDelivers();
    void textCellsRefuseWhatARuleCannotHold_data();
    void textCellsRefuseWhatARuleCannotHold();
    void rowOperationsAtTheEdges();
    void enableAndDisableAll();
    void appendedRulesAreDisabledAndSkipUnstorableTexts();
    void modifiedUntilTheRowsAreReplaced();

private:
    QModelIndex cell(int row, int column) const { return m_model->index(row, column); }
    QString search(int row) const { return cell(row, RuleTableModel::SearchColumn).data().toString(); }

    std::unique_ptr<RuleTableModel> m_model;
    std::unique_ptr<QAbstractItemModelTester> m_tester;
};

void TestRuleTableModel::init()
{
    m_model = std::make_unique<RuleTableModel>();
    m_tester = std::make_unique<QAbstractItemModelTester>(m_model.get(),
                                                          QAbstractItemModelTester::FailureReportingMode::QtTest);
}

void TestRuleTableModel::cleanup()
{
    m_tester.reset();
    m_model.reset();
}

void TestRuleTableModel::defaultTableAsViewsSeeIt()
{
    QCOMPARE(m_model->rowCount(), 9);
    QCOMPARE(m_model->columnCount(), 3);
    const QModelIndex brightness = cell(1, RuleTableModel::UseColumn);
    QCOMPARE(brightness.data(Qt::CheckStateRole), QVariant(Qt::Unchecked));
    QCOMPARE(brightness.data(Qt::EditRole), QVariant(0));
    QVERIFY(!brightness.data(Qt::DisplayRole).isValid()); // the check box alone
    QCOMPARE(cell(0, RuleTableModel::UseColumn).data(Qt::CheckStateRole), QVariant(Qt::Checked));
    QCOMPARE(search(1), u"Brightness/Contrast"_s);
    const QString fill = cell(3, RuleTableModel::ReplaceColumn).data(Qt::EditRole).toString();
    QCOMPARE(fill, u"Farbf\u00fcllung"_s);
    QCOMPARE(fill.size(), 11);
    QCOMPARE(m_model->headerData(8, Qt::Vertical), QVariant(9)); // rows counted from 1, as warnings count them
    QVERIFY(!m_model->isModified());
}

void TestRuleTableModel::columnsAreFoundByIdentifier()
{
    const QStringList keys{u"use"_s, u"search"_s, u"replace"_s};
    for (int column = 0; column < 3; ++column) {
        QCOMPARE(m_model->headerData(column, Qt::Horizontal, RuleTableModel::IdentifierRole).toString(), keys[column]);
        QCOMPARE(RuleTableModel::columnForIdentifier(keys[column]), column);
        const Qt::ItemFlags flags = cell(0, column).flags();
        QCOMPARE(bool(flags & Qt::ItemIsUserCheckable), column == 0);
        QCOMPARE(bool(flags & Qt::ItemIsEditable), column != 0);
    }
    QCOMPARE(RuleTableModel::columnForIdentifier(u"Search"), -1);
    QCOMPARE(RuleTableModel::identifier(3), QString());
}

void TestRuleTableModel::useTogglesWhateverTheCheckBoxDelivers_data()
{
    QTest::addColumn<QVariant>("delivered");
    QTest::newRow("checked") << QVariant(Qt::Checked);
    QTest::newRow("unchecked") << QVariant(Qt::Unchecked);
    QTest::newRow("text") << QVariant(u"yes"_s);
    QTest::newRow("nothing") << QVariant();
}

void TestRuleTableModel::useTogglesWhateverTheCheckBoxDelivers()
{
    QFETCH(QVariant, delivered);
    QSignalSpy changed(m_model.get(), &QAbstractItemModel::dataChanged);
    const QModelIndex brightness = cell(1, RuleTableModel::UseColumn);
    QVERIFY(m_model->setData(brightness, delivered, Qt::CheckStateRole));
    QCOMPARE(m_model->dataArray()[1].use, 1);
    QVERIFY(m_model->setData(brightness, delivered, Qt::CheckStateRole));
    QCOMPARE(m_model->dataArray()[1].use, 0);
    QCOMPARE(changed.size(), 2);
    QCOMPARE(changed[0][0].toModelIndex(), brightness);
    QVERIFY(changed[0][2].value<QList<int>>().contains(Qt::CheckStateRole));
    QVERIFY(m_model->isModified());
}

void TestRuleTableModel::textCellsRefuseWhatARuleCannotHold_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("plain") << u"Hintergrundebene"_s << true;
    QTest::newRow("empty") << QString() << true;
    QTest::newRow("tab and spaces") << u" a\tb "_s << true;
    QTest::newRow("semicolon") << u"a;b"_s << false;
    QTest::newRow("semicolon alone") << u";"_s << false;
    QTest::newRow("line feed") << u"Layer\n"_s << false;
    QTest::newRow("carriage return") << u"Layer\r1"_s << false;
    QTest::newRow("line separator") << u"Layer\u2028"_s << false;
    QTest::newRow("paragraph separator") << u"\u2029"_s << false;
    QTest::newRow("next line") << u"a\u0085b"_s << false;
}

void TestRuleTableModel::textCellsRefuseWhatARuleCannotHold()
{
    QFETCH(QString, text);
    QFETCH(bool, accepted);
    QSignalSpy changed(m_model.get(), &QAbstractItemModel::dataChanged);
    const QModelIndex replace = cell(7, RuleTableModel::ReplaceColumn);
    QCOMPARE(m_model->setData(replace, text), accepted);
    QCOMPARE(replace.data().toString(), accepted ? text : u"Ebene"_s);
    QCOMPARE(changed.size(), accepted ? 1 : 0);
    QCOMPARE(m_model->isModified(), accepted);

    // Committing the unchanged text, as a view does on leaving a cell, is no edit.
    QVERIFY(m_model->setData(replace, replace.data()));
    QCOMPARE(changed.size(), accepted ? 1 : 0);
}

void TestRuleTableModel::rowOperationsAtTheEdges()
{
    // Outcomes per button are the editor's tests; here the tester checks the
    // signals, and moves that cannot happen must not announce anything.
    QSignalSpy moved(m_model.get(), &QAbstractItemModel::rowsMoved);
    QSignalSpy removed(m_model.get(), &QAbstractItemModel::rowsRemoved);
    QCOMPARE(m_model->moveupRow(0), std::nullopt);
    QCOMPARE(m_model->movedownRow(8), std::nullopt);
    QCOMPARE(m_model->movedownRow(-1), std::nullopt);
    QCOMPARE(m_model->deleteRow(9), std::nullopt);
    QCOMPARE(moved.size() + removed.size(), 0);
    QVERIFY(!m_model->isModified());

    QCOMPARE(m_model->movedownRow(0), 1);
    QCOMPARE(m_model->moveupRow(8), 7);
    QCOMPARE(search(1), u"Background"_s);
    QCOMPARE(search(7), u"Levels"_s);
    QCOMPARE(moved.size(), 2);
    QCOMPARE(m_model->insertRow(2), 9);
    QCOMPARE(m_model->dataArray().back(), rules::Rule{});
    (void)m_model->deleteRow(0);
    QCOMPARE(search(0), u"Background"_s);
    QCOMPARE(removed.size(), 1);
    QVERIFY(m_model->isModified());
}

void TestRuleTableModel::enableAndDisableAll()
{
    QSignalSpy changed(m_model.get(), &QAbstractItemModel::dataChanged);
    m_model->selectAllRows();
    for (int row = 0; row < 9; ++row)
        QCOMPARE(cell(row, 0).data(Qt::CheckStateRole), QVariant(Qt::Checked));
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed[0][1].toModelIndex(), cell(8, 0));
    m_model->selectAllRows(); // nothing left to change
    QCOMPARE(changed.size(), 1);
    m_model->deselectAll();
    for (const rules::Rule &rule : m_model->dataArray())
        QCOMPARE(rule.use, 0);

    m_model->setDataArray({});
    m_model->selectAllRows();
    m_model->deselectAll();
    QCOMPARE(changed.size(), 2);
    QVERIFY(!m_model->isModified());
}

void TestRuleTableModel::appendedRulesAreDisabledAndSkipUnstorableTexts()
{
    QSignalSpy inserted(m_model.get(), &QAbstractItemModel::rowsInserted);
    QCOMPARE(m_model->appendRules({u"Curves"_s, u"a;b"_s, QString(), u"two\nlines"_s, u"Vibrance"_s}), 9);
    QCOMPARE(inserted.size(), 1);
    QCOMPARE(m_model->rowCount(), 11);
    QCOMPARE(m_model->dataArray()[9], (rules::Rule{0, "Curves", ""}));
    QCOMPARE(m_model->dataArray()[10], (rules::Rule{0, "Vibrance", ""}));
    QVERIFY(m_model->isModified());

    QCOMPARE(m_model->appendRules({u";"_s, QString()}), std::nullopt);
    QCOMPARE(inserted.size(), 1);
}

void TestRuleTableModel::modifiedUntilTheRowsAreReplaced()
{
    QSignalSpy modified(m_model.get(), &RuleTableModel::modifiedChanged);
    (void)m_model->insertRow(-1);
    (void)m_model->insertRow(-1);
    QCOMPARE(modified.size(), 1);
    m_model->setDataArray(Rules{{1, "a", "b"}});
    QCOMPARE(m_model->rowCount(), 1);
    QCOMPARE(modified.size(), 2);
    QCOMPARE(modified[1][0], QVariant(false));
}

QTEST_GUILESS_MAIN(TestRuleTableModel)
#include "tst_ruletablemodel.moc"
