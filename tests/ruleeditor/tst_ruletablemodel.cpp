// The rule table model: what views see, what edits they may make, and the
// signals of every row operation, watched by QAbstractItemModelTester.
#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

#include "ruleeditor/ruletablemodel.h"

using namespace Qt::Literals::StringLiterals;

class TestRuleTableModel : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup()
    {
        m_tester.reset();
        m_model.reset();
    }

    void columnsAsViewsSeeThem();
    void textCellsRefuseWhatARuleCannotHold_data();
    void textCellsRefuseWhatARuleCannotHold();
    void rowOperationsAtTheEdges();

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

void TestRuleTableModel::columnsAsViewsSeeThem()
{
    QCOMPARE(m_model->rowCount(), 9);
    const QStringList keys{u"use"_s, u"search"_s, u"replace"_s};
    QCOMPARE(m_model->columnCount(), keys.size());
    for (int column = 0; column < 3; ++column) {
        QCOMPARE(m_model->headerData(column, Qt::Horizontal, RuleTableModel::IdentifierRole).toString(), keys[column]);
        QCOMPARE(RuleTableModel::columnForIdentifier(keys[column]), column);
        const Qt::ItemFlags flags = cell(0, column).flags();
        QCOMPARE(bool(flags & Qt::ItemIsUserCheckable), column == 0);
        QCOMPARE(bool(flags & Qt::ItemIsEditable), column != 0);
    }
    QCOMPARE(RuleTableModel::columnForIdentifier(u"Search"), -1);
    QCOMPARE(cell(1, RuleTableModel::UseColumn).data(Qt::CheckStateRole), QVariant(Qt::Unchecked));
    QVERIFY(!cell(1, RuleTableModel::UseColumn).data(Qt::DisplayRole).isValid()); // the check box alone
    QCOMPARE(cell(3, RuleTableModel::ReplaceColumn).data(Qt::EditRole).toString(), u"Farbf\u00fcllung"_s);
    QCOMPARE(m_model->headerData(8, Qt::Vertical), QVariant(9)); // rows counted from 1, as warnings count them
}

void TestRuleTableModel::textCellsRefuseWhatARuleCannotHold_data()
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

void TestRuleTableModel::textCellsRefuseWhatARuleCannotHold()
{
    QFETCH(QString, text);
    QFETCH(bool, accepted);
    QSignalSpy changed(m_model.get(), &QAbstractItemModel::dataChanged);
    const QModelIndex replace = cell(7, RuleTableModel::ReplaceColumn);
    QCOMPARE(m_model->setData(replace, text), accepted);
    QCOMPARE(replace.data().toString(), accepted ? text : u"Ebene"_s);
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
    QCOMPARE(m_model->insertRow(2), 9);
    (void)m_model->deleteRow(0);
    QCOMPARE(search(0), u"Background"_s);
    QCOMPARE(moved.size() + removed.size(), 3);
    QVERIFY(m_model->isModified());
}

QTEST_GUILESS_MAIN(TestRuleTableModel)
#include "tst_ruletablemodel.moc"
