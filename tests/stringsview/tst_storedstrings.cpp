// The table of stored strings and the count of rule matches, without a window.
#include <algorithm>

#include <QAbstractItemModelTester>
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
    void cellsShowRoleTextLayoutAndOffset_data();
    void cellsShowRoleTextLayoutAndOffset();
    void countRuleMatches_data();
    void countRuleMatches();
};

void TestStoredStrings::cellsShowRoleTextLayoutAndOffset_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("role");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("layout");
    QTest::newRow("set name") << u"Retouching"_s << u"set name"_s << u"Retouching"_s << u"BE"_s;
    QTest::newRow("layer") << u"Layer 1"_s << u"layer name"_s << u"Layer 1"_s << u"BE"_s;
    QTest::newRow("channel") << u"Alpha 1"_s << u"channel name"_s << u"Alpha 1"_s << u"BE"_s;
    QTest::newRow("other class") << u"Thing"_s << u"name of 'Xyz '"_s << u"Thing"_s << u"BE"_s;
    // A line break would cut the text off in its one-line cell.
    QTest::newRow("line break") << u"Line one\nLine two"_s << u"text value"_s << u"Line one\u21B5Line two"_s << u"BE"_s;
    QTest::newRow("file path") << u"/Users/anna/Layer.jpg"_s << u"file path"_s << u"/Users/anna/Layer.jpg"_s << u"LE"_s;
}

void TestStoredStrings::cellsShowRoleTextLayoutAndOffset()
{
    QFETCH(QString, stored);
    QFETCH(QString, role);
    QFETCH(QString, shown);
    QFETCH(QString, layout);
    StoredStringModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setStrings(storedStrings(sampleFile()));
    QVERIFY(!(model.index(0, StoredStringModel::TextColumn).flags() & Qt::ItemIsEditable));
    const auto found = std::ranges::find(model.rows(), stored, &StoredStringModel::Row::text);
    QVERIFY(found != model.rows().end());
    const auto cell = [&, row = int(found - model.rows().begin())](int column, int itemRole = Qt::DisplayRole) {
        return model.index(row, column).data(itemRole).toString();
    };
    QCOMPARE(cell(StoredStringModel::RoleColumn), role);
    QCOMPARE(cell(StoredStringModel::TextColumn), shown);
    QCOMPARE(cell(StoredStringModel::TextColumn, StoredStringModel::StoredTextRole), stored);
    QCOMPARE(cell(StoredStringModel::LayoutColumn), layout);
    QCOMPARE(cell(StoredStringModel::RoleColumn, StoredStringModel::FilterRole), role + u'\n' + stored);
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
    QTest::newRow("no rules") << layers << QStringList() << 0 << 0 << 0 << QList<int>{0, 0, 0};
    // one rule in several texts, one text matched by several rules
    QTest::newRow("several rules") << layers << QStringList{u"Layer"_s, u"Ebene"_s, u"copy"_s, u"Kopie"_s} << 2 << 3
                                   << 2 << QList<int>{1, 2, 0};
    QTest::newRow("exact case") << layers << QStringList{u"layer"_s, u"Ebene"_s} << 1 << 0 << 0 << QList<int>{0, 0, 0};
    // left to right without overlaps, as a translation rewrites
    QTest::newRow("no overlaps") << QStringList{u"aaaaa"_s} << QStringList{u"aa"_s, u"b"_s} << 1 << 2 << 1
                                 << QList<int>{2};
    // each rule sees the stored texts, not the replacements of the rules above it
    QTest::newRow("rules counted apart") << layers << QStringList{u"Layer"_s, u"Ebene"_s, u"Ebene 1"_s, u"E1"_s}
                                         << 2 << 2 << 2 << QList<int>{1, 1, 0};
    // an empty search text matches nothing and is no rule
    QTest::newRow("empty search") << layers << QStringList{QString(), u"x"_s, u"1"_s, u"2"_s} << 1 << 2 << 2
                                  << QList<int>{1, 1, 0};
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
