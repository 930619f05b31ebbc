// The table of stored strings and the count of rule matches, without a window.
#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

#include "atnbuilder.h"
#include "atnformat/actionfile.h"
#include "stringsview/rulematches.h"
#include "stringsview/storedstringmodel.h"

using namespace Qt::Literals::StringLiterals;

namespace {

using Items = std::vector<atnbuild::Item>;

// Set and action names, a layer and a channel by name, a class of its own by
// name, a text value with a line break, a file path (little-endian) and the
// empty class names of the descriptors.
atnbuild::Bytes sampleFile()
{
    using namespace atnbuild;
    return actionFile("Retouching", {
        action("Soft Layer", {
            event("slct", "Select", Items{{"null", reference({byName("Lyr ", "Layer 1")})}}),
            event("slct", "Select", Items{{"null", reference({byName("Chnl", "Alpha 1")})}}),
            event("setd", "Set", Items{{"null", reference({byName("Xyz ", "Thing")})},
                                       {"T   ", textValue("Line one\nLine two")}}),
            event("Opn ", "Open", Items{{"null", pathValue("/Users/anna/Layer.jpg")}}),
        }),
    });
}

std::vector<atnformat::StoredString> storedStrings(const atnbuild::Bytes &bytes)
{
    return atnformat::readActionFile(bytes).strings;
}

} // namespace

class TestStoredStrings : public QObject {
    Q_OBJECT

private slots:
    void rowsAreTheNonEmptyStringsInFileOrder();
    void cellsShowRoleTextLayoutAndOffset_data();
    void cellsShowRoleTextLayoutAndOffset();
    void matchCountsAreAnnounced();
    void countRuleMatches_data();
    void countRuleMatches();
};

void TestStoredStrings::rowsAreTheNonEmptyStringsInFileOrder()
{
    StoredStringModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);

    const std::vector<atnformat::StoredString> strings = storedStrings(sampleFile());
    model.setStrings(strings);
    QCOMPARE(resets.size(), 1);

    std::vector<const atnformat::StoredString *> withText;
    for (const atnformat::StoredString &string : strings) {
        if (!string.text.empty())
            withText.push_back(&string);
    }
    QVERIFY(withText.size() < strings.size());
    QCOMPARE(std::size_t(model.rowCount()), withText.size());
    QCOMPARE(model.columnCount(), 4);
    for (std::size_t row = 0; row < withText.size(); ++row) {
        const QModelIndex offset = model.index(int(row), StoredStringModel::OffsetColumn);
        QCOMPARE(offset.data().toULongLong(), qulonglong(withText[row]->offset));
        QCOMPARE(offset.data(StoredStringModel::StoredTextRole).toString(), QString::fromStdString(withText[row]->text));
        if (row > 0)
            QVERIFY(withText[row - 1]->offset < withText[row]->offset);
    }

    // The table is only read.
    for (int column = 0; column < model.columnCount(); ++column)
        QVERIFY(!(model.flags(model.index(0, column)) & Qt::ItemIsEditable));

    model.setStrings({});
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(resets.size(), 2);
}

void TestStoredStrings::cellsShowRoleTextLayoutAndOffset_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("role");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("layout");

    QTest::newRow("set name") << u"Retouching"_s << u"set name"_s << u"Retouching"_s << u"BE"_s;
    QTest::newRow("action name") << u"Soft Layer"_s << u"action name"_s << u"Soft Layer"_s << u"BE"_s;
    QTest::newRow("layer") << u"Layer 1"_s << u"layer name"_s << u"Layer 1"_s << u"BE"_s;
    QTest::newRow("channel") << u"Alpha 1"_s << u"channel name"_s << u"Alpha 1"_s << u"BE"_s;
    QTest::newRow("other class by name") << u"Thing"_s << u"name of 'Xyz '"_s << u"Thing"_s << u"BE"_s;
    // A line break would cut the text off in its one-line cell.
    QTest::newRow("text with a line break") << u"Line one\nLine two"_s << u"text value"_s
                                            << u"Line one\u21B5Line two"_s << u"BE"_s;
    QTest::newRow("file path") << u"/Users/anna/Layer.jpg"_s << u"file path"_s << u"/Users/anna/Layer.jpg"_s
                               << u"LE"_s;
}

void TestStoredStrings::cellsShowRoleTextLayoutAndOffset()
{
    QFETCH(QString, stored);
    QFETCH(QString, role);
    QFETCH(QString, shown);
    QFETCH(QString, layout);

    StoredStringModel model;
    model.setStrings(storedStrings(sampleFile()));
    const auto found = std::find_if(model.rows().begin(), model.rows().end(),
                                    [&](const StoredStringModel::Row &row) { return row.text == stored; });
    QVERIFY(found != model.rows().end());
    const int row = int(found - model.rows().begin());

    const auto cell = [&](int column, int itemRole = Qt::DisplayRole) {
        return model.index(row, column).data(itemRole);
    };
    QCOMPARE(cell(StoredStringModel::RoleColumn).toString(), role);
    QCOMPARE(cell(StoredStringModel::TextColumn).toString(), shown);
    QCOMPARE(cell(StoredStringModel::TextColumn, StoredStringModel::StoredTextRole).toString(), stored);
    QCOMPARE(cell(StoredStringModel::LayoutColumn).toString(), layout);
    QCOMPARE(cell(StoredStringModel::RoleColumn, StoredStringModel::FilterRole).toString(), role + u'\n' + stored);
    QCOMPARE(cell(StoredStringModel::OffsetColumn).userType(), QMetaType::ULongLong);
}

void TestStoredStrings::matchCountsAreAnnounced()
{
    StoredStringModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setStrings(storedStrings(sampleFile()));
    QSignalSpy changes(&model, &QAbstractItemModel::dataChanged);

    // Fewer counts than rows: the rest match nothing.
    model.setMatchCounts({0, 2});
    QCOMPARE(changes.size(), 1);
    QCOMPARE(changes.constFirst().at(0).toModelIndex(), model.index(0, 0));
    QCOMPARE(changes.constFirst().at(1).toModelIndex(), model.index(model.rowCount() - 1, 3));
    QVERIFY(changes.constFirst().at(2).value<QList<int>>().contains(StoredStringModel::MatchCountRole));

    QList<int> counts;
    for (int row = 0; row < model.rowCount(); ++row)
        counts << model.index(row, 0).data(StoredStringModel::MatchCountRole).toInt();
    QCOMPARE(counts.mid(0, 3), (QList<int>{0, 2, 0}));
    QCOMPARE(counts.count(0), model.rowCount() - 1);
    QVERIFY(model.index(1, StoredStringModel::TextColumn).data(Qt::ToolTipRole).toString().contains(u'2'));

    // A reload forgets the counts of the rows before it.
    model.setStrings(storedStrings(sampleFile()));
    QCOMPARE(model.index(1, 0).data(StoredStringModel::MatchCountRole).toInt(), 0);
}

void TestStoredStrings::countRuleMatches_data()
{
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QStringList>("pairs");
    QTest::addColumn<int>("rules");
    QTest::addColumn<int>("occurrences");
    QTest::addColumn<int>("strings");
    QTest::addColumn<QList<int>>("perText");

    const QStringList layers{u"Layer 1"_s, u"Layer 1 copy"_s, u"Background"_s};
    // no rules
    QTest::newRow("no rules") << layers << QStringList() << 0 << 0 << 0 << QList<int>{0, 0, 0};
    // no texts
    QTest::newRow("no texts") << QStringList() << QStringList{u"Layer"_s, u"Ebene"_s} << 1 << 0 << 0 << QList<int>();
    // one rule in several texts, one text matched by several rules
    QTest::newRow("several rules") << layers << QStringList{u"Layer"_s, u"Ebene"_s, u"copy"_s, u"Kopie"_s} << 2 << 3
                                   << 2 << QList<int>{1, 2, 0};
    // capitals count
    QTest::newRow("exact case") << layers << QStringList{u"layer"_s, u"Ebene"_s} << 1 << 0 << 0
                                << QList<int>{0, 0, 0};
    // left to right without overlaps, as a translation rewrites
    QTest::newRow("no overlaps") << QStringList{u"aaaaa"_s} << QStringList{u"aa"_s, u"b"_s} << 1 << 2 << 1
                                 << QList<int>{2};
    // whole text
    QTest::newRow("whole text") << layers << QStringList{u"Background"_s, u"Hintergrund"_s} << 1 << 1 << 1
                                << QList<int>{0, 0, 1};
    // each rule sees the stored texts, not the replacements of the rules above it
    QTest::newRow("rules counted apart") << layers << QStringList{u"Layer"_s, u"Ebene"_s, u"Ebene 1"_s, u"E1"_s}
                                         << 2 << 2 << 2 << QList<int>{1, 1, 0};
    // the same search twice is two rules
    QTest::newRow("repeated rule") << layers << QStringList{u"copy"_s, u"Kopie"_s, u"copy"_s, u"Kopie"_s} << 2 << 2
                                   << 1 << QList<int>{0, 2, 0};
    // an empty search text matches nothing and is no rule
    QTest::newRow("empty search") << layers << QStringList{QString(), u"x"_s, u"1"_s, u"2"_s} << 1 << 2 << 2
                                  << QList<int>{1, 1, 0};
    // texts beyond Latin-1 and outside the basic plane
    QTest::newRow("non-ASCII") << QStringList{u"夕焼けの海.jpg"_s, u"Farbfüllung 🎨🎨"_s}
                               << QStringList{u"海"_s, u"sea"_s, u"🎨"_s, u"paint"_s, u"ü"_s, u"ue"_s} << 3 << 4 << 2
                               << QList<int>{1, 3};
}

void TestStoredStrings::countRuleMatches()
{
    QFETCH(QStringList, texts);
    QFETCH(QStringList, pairs);
    QFETCH(int, rules);
    QFETCH(int, occurrences);
    QFETCH(int, strings);
    QFETCH(QList<int>, perText);

    const RuleMatches matches = ::countRuleMatches(texts, pairs);
    QCOMPARE(matches.rules, rules);
    QCOMPARE(matches.occurrences, occurrences);
    QCOMPARE(matches.strings, strings);
    QCOMPARE(QList<int>(matches.perText.begin(), matches.perText.end()), perText);
}

QTEST_GUILESS_MAIN(TestStoredStrings)
#include "tst_storedstrings.moc"
