// The Stored Strings window on its own: the table for built files and the
// shipped sample, the filter, files that cannot be read or are not
// well-formed, the count of rule matches and "Add Rule".
#include <QAbstractItemModelTester>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "atnbuilder.h"
#include "atnformat/actionfile.h"
#include "resources/bundle.h"
#include "stdoutcapture.h"
#include "stringsview/storedstringmodel.h"
#include "stringsview/stringsviewcontroller.h"
#include "tempdir.h"

using namespace Qt::Literals::StringLiterals;

namespace {

using Items = std::vector<atnbuild::Item>;

atnbuild::Bytes layersFile()
{
    using namespace atnbuild;
    const auto select = [](std::string_view layer) {
        return event("slct", "Select", Items{{"null", reference({byName("Lyr ", layer)})}});
    };
    return actionFile("Layers", {
        action("Copy Layer", {select("Layer 1"), event("Dplc", "Duplicate", Items{{"Nm  ", textValue("Layer 1 copy")}})}),
        action("Back", {select("Background"), select("Layer 1")}),
    });
}

QString sourcePath(const QString &relative)
{
    return QStringLiteral(ATNLINGO_SOURCE_DIR "/") + relative;
}

} // namespace

class TestStringsView : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { bundle::installTranslations(QLocale(QLocale::English)); }
    void init();
    void cleanup();

    void listsTheStringsOfABuiltFile();
    void listsTheShippedSample();
    void filterKeepsMatchingTextsAndRoles_data();
    void filterKeepsMatchingTextsAndRoles();
    void saysWhatIsWrongWithTheFile_data();
    void saysWhatIsWrongWithTheFile();
    void saysWhenTheFileCannotBeRead();
    void countsWhatTheRulesMatch_data();
    void countsWhatTheRulesMatch();
    void reloadReadsTheFilesAgain();
    void addRuleHandsOverTheSelectedTexts();

private:
    QString write(const char *name, const atnbuild::Bytes &bytes)
    {
        writeBytes(m_dir->file(name), bytes);
        return QString::fromStdString(m_dir->file(name));
    }
    QString writeRules(const char *name, std::string_view text)
    {
        writeText(m_dir->file(name), text);
        return QString::fromStdString(m_dir->file(name));
    }
    QTableView *table() const { return m_view->findChild<QTableView *>(u"stringsTableView"_s); }
    QString label(const char *name) const { return m_view->findChild<QLabel *>(QLatin1StringView(name))->text(); }
    bool problemShown() const { return m_view->findChild<QLabel *>(u"problemIconLabel"_s)->isVisible(); }
    QPushButton *button(const char *name) const { return m_view->findChild<QPushButton *>(QLatin1StringView(name)); }
    // The texts in the table as it shows them, top to bottom.
    QStringList shownTexts() const
    {
        QStringList texts;
        const QAbstractItemModel *model = table()->model();
        for (int row = 0; row < model->rowCount(); ++row)
            texts << model->index(row, StoredStringModel::TextColumn).data(StoredStringModel::StoredTextRole).toString();
        return texts;
    }
    void selectRows(const QList<int> &rows)
    {
        table()->clearSelection();
        for (const int row : rows) {
            table()->selectionModel()->select(table()->model()->index(row, 0),
                                              QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
    }

    std::unique_ptr<TempDir> m_dir;
    std::unique_ptr<StringsViewController> m_view;
};

void TestStringsView::init()
{
    m_dir = std::make_unique<TempDir>();
    m_view = std::make_unique<StringsViewController>();
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
}

void TestStringsView::cleanup()
{
    m_view.reset();
    m_dir.reset();
}

void TestStringsView::listsTheStringsOfABuiltFile()
{
    QVERIFY(label("statusLabel").startsWith(u"Choose an input ATN file"_s));
    QCOMPARE(table()->model()->rowCount(), 0);

    const QString path = write("Layers.atn", layersFile());
    m_view->setFiles(path, QString());
    QCOMPARE(m_view->atnFilePath(), path);
    QCOMPARE(shownTexts(), (QStringList{u"Layers"_s, u"Copy Layer"_s, u"Layer 1"_s, u"Layer 1 copy"_s, u"Back"_s,
                                        u"Background"_s, u"Layer 1"_s}));
    QCOMPARE(label("statusLabel"), u"A well-formed action file. Actions: 2, steps: 4, stored texts: 7."_s);
    QVERIFY(!problemShown());
    QCOMPARE(label("filePathLabel"), QDir::toNativeSeparators(path));
    QCOMPARE(m_view->windowTitle(), u"Stored Strings of Layers.atn"_s);

    // Read-only, in file order until a header is clicked.
    QCOMPARE(table()->editTriggers(), QAbstractItemView::NoEditTriggers);
    table()->sortByColumn(StoredStringModel::TextColumn, Qt::DescendingOrder);
    QCOMPARE(shownTexts().constFirst(), u"Layers"_s);
    table()->sortByColumn(StoredStringModel::OffsetColumn, Qt::AscendingOrder);
    QCOMPARE(shownTexts().constFirst(), u"Layers"_s);
    QCOMPARE(shownTexts().constLast(), u"Layer 1"_s);
}

void TestStringsView::listsTheShippedSample()
{
    const QString path = sourcePath(u"resources/samples/sample-en.atn"_s);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const atnformat::ActionFile read = atnformat::readActionFile(
        std::span(reinterpret_cast<const std::uint8_t *>(bytes.constData()), std::size_t(bytes.size())));
    QVERIFY(read.isWellFormed());
    QStringList expected;
    for (const atnformat::StoredString &string : read.strings) {
        if (!string.text.empty())
            expected << QString::fromStdString(string.text);
    }

    m_view->setFiles(path, QString());
    QAbstractItemModelTester tester(table()->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(shownTexts(), expected);
    QVERIFY(expected.contains(u"Hue/Saturation 1"_s));
    QVERIFY(label("statusLabel").startsWith(u"A well-formed action file. Actions: %1, steps: %2,"_s.arg(
        QString::number(read.actionCount), QString::number(read.eventCount))));

    // The paths inside 'Pth ' values are the little-endian strings.
    const QAbstractItemModel *model = table()->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        const bool filePath = model->index(row, StoredStringModel::RoleColumn).data().toString() == u"file path"_s;
        QCOMPARE(model->index(row, StoredStringModel::LayoutColumn).data().toString(), filePath ? u"LE"_s : u"BE"_s);
    }
}

void TestStringsView::filterKeepsMatchingTextsAndRoles_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("texts");

    QTest::newRow("text, any case") << u"LAYER 1"_s
                                    << QStringList{u"Layer 1"_s, u"Layer 1 copy"_s, u"Layer 1"_s};
    QTest::newRow("role") << u"action name"_s << QStringList{u"Copy Layer"_s, u"Back"_s};
    QTest::newRow("text or role") << u"back"_s << QStringList{u"Back"_s, u"Background"_s};
    QTest::newRow("nothing") << u"Ebene"_s << QStringList();
    QTest::newRow("empty filter") << QString()
                                  << QStringList{u"Layers"_s, u"Copy Layer"_s, u"Layer 1"_s, u"Layer 1 copy"_s,
                                                 u"Back"_s, u"Background"_s, u"Layer 1"_s};
}

void TestStringsView::filterKeepsMatchingTextsAndRoles()
{
    QFETCH(QString, filter);
    QFETCH(QStringList, texts);

    m_view->setFiles(write("Layers.atn", layersFile()), QString());
    auto *field = m_view->findChild<QLineEdit *>(u"filterField"_s);
    QTest::keyClicks(field, filter);
    QCOMPARE(shownTexts(), texts);

    // The filter stays over a reload, and emptying it shows everything again.
    m_view->reload();
    QCOMPARE(shownTexts(), texts);
    field->clear();
    QCOMPARE(table()->model()->rowCount(), 7);
}

void TestStringsView::saysWhatIsWrongWithTheFile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QStringList>("texts");

    const atnbuild::Bytes whole = layersFile();
    const auto bytes = [](const atnbuild::Bytes &b) {
        return QByteArray(reinterpret_cast<const char *>(b.data()), qsizetype(b.size()));
    };
    const auto notWellFormed = [](const atnbuild::Bytes &b) {
        return u"Not a well-formed action file: %1. "_s.arg(
            QString::fromStdString(atnformat::readActionFile(b).error->message()));
    };
    const QStringList all{u"Layers"_s, u"Copy Layer"_s, u"Layer 1"_s, u"Layer 1 copy"_s,
                          u"Back"_s,   u"Background"_s, u"Layer 1"_s};

    // Cut off inside the last layer name: the texts before it are listed.
    const atnbuild::Bytes cut(whole.begin(), whole.end() - 6);
    QTest::newRow("cut off") << bytes(cut) << notWellFormed(cut) << all.mid(0, 6);
    using atnbuild::operator+;
    const atnbuild::Bytes longer = whole + atnbuild::Bytes{0, 0};
    QTest::newRow("bytes after the end") << bytes(longer) << notWellFormed(longer) << all;
    const atnbuild::Bytes older = atnbuild::actionFile("Old", {}, 12);
    QTest::newRow("another version") << bytes(older) << notWellFormed(older) << QStringList();
    QTest::newRow("empty file") << QByteArray("") << notWellFormed({}) << QStringList();
}

void TestStringsView::saysWhatIsWrongWithTheFile()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, status);
    QFETCH(QStringList, texts);

    m_view->setFiles(write("Broken.atn", atnbuild::Bytes(bytes.begin(), bytes.end())), QString());
    QVERIFY2(label("statusLabel").startsWith(status), qPrintable(label("statusLabel")));
    QVERIFY(label("statusLabel").endsWith(u"Stored texts found before that point: %1."_s.arg(texts.size())));
    QVERIFY(problemShown());
    QCOMPARE(shownTexts(), texts);
}

void TestStringsView::saysWhenTheFileCannotBeRead()
{
    m_view->setFiles(write("Layers.atn", layersFile()), QString());
    QCOMPARE(table()->model()->rowCount(), 7);

    const QString missing = QString::fromStdString(m_dir->file("Missing.atn"));
    const QString folder = QString::fromStdString(m_dir->path());
    for (const QString &path : {missing, folder}) {
        m_view->setFiles(path, QString());
        QVERIFY2(label("statusLabel").startsWith(u"Cannot read %1: "_s.arg(QDir::toNativeSeparators(path))),
                 qPrintable(label("statusLabel")));
        QVERIFY(label("statusLabel").size() > u"Cannot read %1: "_s.arg(QDir::toNativeSeparators(path)).size());
        QCOMPARE(table()->model()->rowCount(), 0);
        QVERIFY(problemShown());
    }

    m_view->setFiles(QString(), QString());
    QVERIFY(label("statusLabel").startsWith(u"Choose an input ATN file"_s));
    QCOMPARE(label("filePathLabel"), u"none"_s);
    QVERIFY(!problemShown());
    QCOMPARE(m_view->windowTitle(), u"Stored Strings"_s);
}

void TestStringsView::countsWhatTheRulesMatch_data()
{
    QTest::addColumn<QByteArray>("rules"); // "-": no rule file chosen, "?": a missing one
    QTest::addColumn<QString>("count");
    QTest::addColumn<QStringList>("bold");

    QTest::newRow("no rule file") << QByteArray("-")
                                  << u"Choose a rule file in the main window to see which of these texts its rules "
                                     "match."_s
                                  << QStringList();
    QTest::newRow("missing rule file") << QByteArray("?") << u"Rules.rul has no enabled rules, or cannot be read."_s
                                       << QStringList();
    QTest::newRow("no enabled rule") << QByteArray("0;Layer;Ebene;\n")
                                     << u"Rules.rul has no enabled rules, or cannot be read."_s << QStringList();
    // "copy" is off; "Layer" matches once in each of five texts, "ground" in one.
    QTest::newRow("enabled rules") << QByteArray("1;Layer;Ebene;\n0;copy;Kopie;\n1;ground;grund;\n1;Levels;Tonwert;\n")
                                   << u"Enabled rules in Rules.rul: 3. Matches of their search texts: 6, in 6 of the stored texts"_s
                                   << QStringList{u"Layers"_s, u"Copy Layer"_s, u"Layer 1"_s, u"Layer 1 copy"_s,
                                                  u"Background"_s, u"Layer 1"_s};
    // Each rule counts on the stored texts, not on what the rules above it made.
    QTest::newRow("rules counted apart") << QByteArray("1;Layer 1;Ebene 1;\n1;Ebene;Level;\n1;1 copy;1 Kopie;\n")
                                         << u"Enabled rules in Rules.rul: 3. Matches of their search texts: 4, in 3 of the stored texts"_s
                                         << QStringList{u"Layer 1"_s, u"Layer 1 copy"_s, u"Layer 1"_s};
}

void TestStringsView::countsWhatTheRulesMatch()
{
    QFETCH(QByteArray, rules);
    QFETCH(QString, count);
    QFETCH(QStringList, bold);

    QString rulPath = QString::fromStdString(m_dir->file("Rules.rul"));
    if (rules == "-")
        rulPath.clear();
    else if (rules != "?")
        writeRules("Rules.rul", rules.toStdString());
    StdoutCapture stdoutText; // a missing rule file is reported there
    m_view->setFiles(write("Layers.atn", layersFile()), rulPath);
    QVERIFY2(label("matchesLabel").startsWith(count), qPrintable(label("matchesLabel")));

    QStringList matched;
    const QAbstractItemModel *model = table()->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        const QModelIndex text = model->index(row, StoredStringModel::TextColumn);
        if (text.data(StoredStringModel::MatchCountRole).toInt() > 0)
            matched << text.data(StoredStringModel::StoredTextRole).toString();
    }
    QCOMPARE(matched, bold);
    // The view draws those rows bold, which makes their texts wider.
    const auto widths = [&] {
        QList<int> result;
        for (int row = 0; row < model->rowCount(); ++row) {
            const QModelIndex text = model->index(row, StoredStringModel::TextColumn);
            QStyleOptionViewItem option;
            option.initFrom(table());
            result << table()->itemDelegateForIndex(text)->sizeHint(option, text).width();
        }
        return result;
    };
    const QList<int> shown = widths();
    m_view->model()->setMatchCounts({});
    const QList<int> plain = widths();
    for (int row = 0; row < model->rowCount(); ++row) {
        const bool wider = shown[row] != plain[row];
        QCOMPARE(wider, bold.contains(model->index(row, StoredStringModel::TextColumn).data().toString()));
    }
}

void TestStringsView::reloadReadsTheFilesAgain()
{
    const QString path = write("Layers.atn", layersFile());
    const QString rulPath = writeRules("Rules.rul", "1;Layer;Ebene;\n");
    m_view->setFiles(path, rulPath);
    QVERIFY(label("matchesLabel").startsWith(u"Enabled rules in Rules.rul: 1. Matches of their search texts: 5,"_s));

    // A translation wrote over the input, and the rules changed on disk.
    write("Layers.atn", atnbuild::actionFile("Ebenen", {atnbuild::action("Ebene kopieren", {})}));
    writeRules("Rules.rul", "1;Ebene;Layer;\n1;kopieren;copy;\n");
    QCOMPARE(shownTexts().size(), 7);
    QTest::mouseClick(button("reloadButton"), Qt::LeftButton);
    QCOMPARE(shownTexts(), (QStringList{u"Ebenen"_s, u"Ebene kopieren"_s}));
    QVERIFY(label("matchesLabel").startsWith(u"Enabled rules in Rules.rul: 2. Matches of their search texts: 3, in 2 "_s));
    QCOMPARE(m_view->atnFilePath(), path);
    QCOMPARE(m_view->rulFilePath(), rulPath);
}

void TestStringsView::addRuleHandsOverTheSelectedTexts()
{
    QList<QStringList> requests;
    int made = -1; // how many rules the handler says it made; -1: all
    m_view->setAddRulesHandler([&](const QStringList &texts) {
        requests << texts;
        return made < 0 ? int(texts.size()) : made;
    });
    m_view->setFiles(write("Layers.atn", layersFile()), QString());
    QPushButton *addRule = button("addRuleButton");
    QVERIFY(!addRule->isEnabled());

    // Top to bottom as shown, each text once.
    selectRows({6, 2, 5});
    QVERIFY(addRule->isEnabled());
    QCOMPARE(m_view->selectedTexts(), (QStringList{u"Layer 1"_s, u"Background"_s}));
    QTest::mouseClick(addRule, Qt::LeftButton);
    QCOMPARE(requests, (QList<QStringList>{{u"Layer 1"_s, u"Background"_s}}));
    QCOMPARE(label("addRuleNoteLabel"), QString());

    table()->sortByColumn(StoredStringModel::TextColumn, Qt::AscendingOrder);
    selectRows({0, 1});
    QCOMPARE(m_view->selectedTexts(), (QStringList{u"Back"_s, u"Background"_s}));

    // The exact stored text, also where the table shows a symbol for a line
    // break; the window says how many texts no rule could take.
    m_view->setFiles(write("Text.atn", atnbuild::fileWithItems({{"Txt ", atnbuild::textValue("Two\nlines")},
                                                               {"Nm  ", atnbuild::textValue("Layer 2")}})),
                     QString());
    QVERIFY(!addRule->isEnabled());
    auto *field = m_view->findChild<QLineEdit *>(u"filterField"_s);
    field->setText(u"text value"_s);
    table()->sortByColumn(StoredStringModel::OffsetColumn, Qt::AscendingOrder);
    selectRows({0, 1});
    made = 1;
    QTest::mouseClick(addRule, Qt::LeftButton);
    QCOMPARE(requests.size(), 2);
    QCOMPARE(requests.constLast(), (QStringList{u"Two\nlines"_s, u"Layer 2"_s}));
    QCOMPARE(label("addRuleNoteLabel"), u"Texts left out, as a rule cannot hold \";\" or a line break: 1"_s);

    // Nothing selected, nothing handed over; the note goes with the selection.
    table()->clearSelection();
    QVERIFY(!addRule->isEnabled());
    QCOMPARE(label("addRuleNoteLabel"), QString());
    m_view->addRule();
    QCOMPARE(requests.size(), 2);
}

QTEST_MAIN(TestStringsView)
#include "tst_stringsview.moc"
