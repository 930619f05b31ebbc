// The Stored Strings window on its own: the table for a built file, the
// filter, files that cannot be read or are not well-formed, the preview of a
// translation and "Add Rule". Also the table model's cells without a window.
#include <algorithm>
#include <sys/stat.h>

#include <QAbstractItemModelTester>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "atnbuilder.h"
#include "atnformat/actionfile.h"
#include "hangguard.h"
#include "resources/bundle.h"
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

QStringList layersTexts()
{
    return {u"Layers"_s, u"Copy Layer"_s, u"Layer 1"_s, u"Layer 1 copy"_s, u"Back"_s, u"Background"_s, u"Layer 1"_s};
}

// A layer by name, a class of its own by name, a text value with a line
// break, a file path (little-endian) and the empty class names of the
// descriptors.
atnbuild::Bytes sampleFile()
{
    using namespace atnbuild;
    return actionFile("Retouching", {
        action("Soft Layer", {
            event("slct", "Select", Items{{"null", reference({byName("Lyr ", "Layer 1")})}}),
            event("setd", "Set", Items{{"null", reference({byName("Xyz ", "Thing")})},
                                       {"T   ", textValue("Line one\nLine two")}}),
            event("Opn ", "Open", Items{{"null", pathValue("/Users/anna/Layer.jpg")}}),
        }),
    });
}

} // namespace

class TestStringsView : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { bundle::installTranslations(QLocale(QLocale::English)); }
    void init();
    void cleanup();

    void listsTheStringsOfABuiltFile();
    void filterKeepsMatchingTextsAndRoles_data();
    void filterKeepsMatchingTextsAndRoles();
    void saysWhatIsWrongWithTheFile();
    void saysWhenTheFileCannotBeRead();
    void previewsTheTranslation_data();
    void previewsTheTranslation();
    void previewFollowsTheFilesOnReload();
    void addRuleHandsOverTheSelectedTexts();
    void cellsShowRoleTextLayoutAndOffset_data();
    void cellsShowRoleTextLayoutAndOffset();

private:
    QString write(const char *name, const atnbuild::Bytes &bytes)
    {
        writeBytes(m_dir->file(name), bytes);
        return QString::fromStdString(m_dir->file(name));
    }
    QString writeRules(std::string_view text)
    {
        writeText(m_dir->file("Rules.rul"), text);
        return QString::fromStdString(m_dir->file("Rules.rul"));
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
    const QString path = write("Layers.atn", layersFile());
    m_view->setFiles(path, QString());
    QCOMPARE(m_view->atnFilePath(), path);
    QCOMPARE(shownTexts(), layersTexts());
    QCOMPARE(label("statusLabel"), u"A well-formed action file. Actions: 2, steps: 4, stored texts: 7."_s);
    QVERIFY(!problemShown());
    QCOMPARE(label("filePathLabel"), QDir::toNativeSeparators(path));
    QCOMPARE(m_view->windowTitle(), u"Stored Strings of Layers.atn"_s);
}

void TestStringsView::filterKeepsMatchingTextsAndRoles_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("texts");

    QTest::newRow("text, any case") << u"LAYER 1"_s
                                    << QStringList{u"Layer 1"_s, u"Layer 1 copy"_s, u"Layer 1"_s};
    QTest::newRow("role") << u"action name"_s << QStringList{u"Copy Layer"_s, u"Back"_s};
    QTest::newRow("text or role") << u"back"_s << QStringList{u"Back"_s, u"Background"_s};
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

void TestStringsView::saysWhatIsWrongWithTheFile()
{
    const atnbuild::Bytes whole = layersFile();
    // Cut off inside the last layer name, another version: the texts found
    // before the fault are listed.
    const std::pair<atnbuild::Bytes, int> files[] = {{atnbuild::Bytes(whole.begin(), whole.end() - 6), 6},
                                                     {atnbuild::actionFile("Old", {}, 12), 0}};
    for (const auto &[bytes, found] : files) {
        m_view->setFiles(write("Broken.atn", bytes), QString());
        const QString status = label("statusLabel");
        const QString error = QString::fromStdString(atnformat::readActionFile(bytes).error->message());
        QVERIFY2(status.startsWith(u"Not a well-formed action file: %1. "_s.arg(error)), qPrintable(status));
        QVERIFY(status.endsWith(u"Stored texts found before that point: %1."_s.arg(found)));
        QVERIFY(problemShown());
        QCOMPARE(shownTexts(), layersTexts().mid(0, found));
    }
}

void TestStringsView::saysWhenTheFileCannotBeRead()
{
    const HangGuard guard;
    m_view->setFiles(write("Layers.atn", layersFile()), QString());
    QCOMPARE(table()->model()->rowCount(), 7);

    const std::string pipe = m_dir->file("Pipe.atn");
    QCOMPARE(::mkfifo(pipe.c_str(), 0644), 0);
    // Each as the action file and as the rule file: neither is waited for.
    const std::pair<std::string, QString> files[] = {{m_dir->file("Missing.atn"), u"No such file or directory"_s},
                                                     {pipe, u"it is a pipe with no writer"_s},
                                                     {"/dev/zero", u"it is a device"_s}};
    for (const auto &[file, reason] : files) {
        const QString path = QString::fromStdString(file);
        m_view->setFiles(path, path);
        QCOMPARE(label("statusLabel"), u"Cannot read \"%1\": %2"_s.arg(path, reason));
        QCOMPARE(table()->model()->rowCount(), 0);
        QVERIFY(problemShown());
        QVERIFY2(label("previewLabel").endsWith(u" has no enabled rules, or cannot be read."_s), qPrintable(label("previewLabel")));
    }

    m_view->setFiles(QString(), QString());
    QVERIFY(label("statusLabel").startsWith(u"Choose an input ATN file"_s));
    QVERIFY(!problemShown());
    QCOMPARE(m_view->windowTitle(), u"Stored Strings"_s);
}

void TestStringsView::previewsTheTranslation_data()
{
    QTest::addColumn<translation::Mode>("mode");
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("changed");
    // The byte scan meets the path's "Background" one byte early, as a
    // big-endian reading, and stops there; the exact mode rewrites the path.
    QTest::newRow("byte scan") << translation::Mode::ByteScan << u"/Users/anna/Pictures/Backgrounds/paper-grain.jpg"_s
                               << 19;
    QTest::newRow("exact") << translation::Mode::Exact << u"/Users/anna/Pictures/Hintergrunds/paper-grain.jpg"_s
                           << 20;
}

void TestStringsView::previewsTheTranslation()
{
    QFETCH(translation::Mode, mode);
    QFETCH(QString, path);
    QFETCH(int, changed);
    const auto sample = readBytes(ATNLINGO_SOURCE_DIR "/resources/samples/sample-en.atn");
    const QString atn = write("sample-en.atn", sample);
    const QString rules = writeRules(readText(ATNLINGO_SOURCE_DIR "/resources/rules/default-en-de.rul") +
                                     "1;Curves;Gradationskurven;\n1;Vibrance;Dynamik;\n");
    m_view->setFiles(atn, rules, {mode, false});

    QHash<QString, std::pair<QString, bool>> after; // text -> text after translation, marked as changed
    const QAbstractItemModel *model = table()->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        after[model->index(row, StoredStringModel::TextColumn).data().toString()] = {
            model->index(row, StoredStringModel::AfterColumn).data().toString(),
            model->index(row, StoredStringModel::AfterColumn).data(StoredStringModel::ChangedRole).toBool()};
    }
    // Each rule works on what the rules above it made; disabled rules do nothing.
    QCOMPARE(after[u"Background copy"_s], std::pair(u"Hintergrund Kopie"_s, true));
    QCOMPARE(after[u"Curves 1"_s], std::pair(u"Gradationskurven 1"_s, true));
    QCOMPARE(after[u"Hue/Saturation 1"_s], std::pair(u"Hue/Saturation 1"_s, false));
    QCOMPARE(after[u"/Users/anna/Pictures/Backgrounds/paper-grain.jpg"_s].first, path);
    QCOMPARE(label("previewLabel"), u"%1 of 29 texts change by the enabled rules of Rules.rul (shown in bold). Rules "
                                    "that match nothing: \"Vibrance\" \u2192 \"Dynamik\"."_s.arg(changed));
    // Nothing is written.
    QCOMPARE(m_dir->entries(), (std::vector<std::string>{"Rules.rul", "sample-en.atn"}));
    QCOMPARE(readBytes(m_dir->file("sample-en.atn")), sample);
}

void TestStringsView::previewFollowsTheFilesOnReload()
{
    const QString path = write("Layers.atn", layersFile());
    m_view->setFiles(path, QString());
    QVERIFY(label("previewLabel").startsWith(u"Choose a rule file in the main window"_s));
    m_view->setFiles(path, QString::fromStdString(m_dir->file("Rules.rul")));
    QCOMPARE(label("previewLabel"), u"Rules.rul has no enabled rules, or cannot be read."_s);

    // A translation wrote over the input, and the rules changed on disk.
    writeRules("1;Layer;Ebene;\n");
    QTest::mouseClick(button("reloadButton"), Qt::LeftButton);
    QVERIFY(label("previewLabel").startsWith(u"5 of 7 texts change"_s));
    write("Layers.atn", atnbuild::actionFile("Ebenen", {atnbuild::action("Ebene kopieren", {})}));
    writeRules("1;Ebene;Layer;\n1;kopieren;copy;\n");
    QTest::mouseClick(button("reloadButton"), Qt::LeftButton);
    QCOMPARE(shownTexts(), (QStringList{u"Ebenen"_s, u"Ebene kopieren"_s}));
    QCOMPARE(label("previewLabel"),
             u"2 of 2 texts change by the enabled rules of Rules.rul (shown in bold). Every rule matches."_s);
}

void TestStringsView::addRuleHandsOverTheSelectedTexts()
{
    QList<QStringList> requests;
    m_view->setAddRulesHandler([&](const QStringList &texts) {
        requests << texts;
        return int(texts.size()) - int(texts.filter(u"\n"_s).size()); // as many rules as the editor could make
    });
    m_view->setFiles(write("Layers.atn", layersFile()), QString());
    QPushButton *addRule = button("addRuleButton");
    QVERIFY(!addRule->isEnabled());

    // Top to bottom as shown, each text once.
    selectRows({6, 2, 5});
    QTest::mouseClick(addRule, Qt::LeftButton);
    QCOMPARE(requests, (QList<QStringList>{{u"Layer 1"_s, u"Background"_s}}));

    // The exact stored text, also where the table shows a symbol for a line break.
    m_view->setFiles(write("Text.atn", atnbuild::fileWithItems({{"Txt ", atnbuild::textValue("Two\nlines")},
                                                               {"Nm  ", atnbuild::textValue("Layer 2")}})),
                     QString());
    QVERIFY(!addRule->isEnabled());
    m_view->findChild<QLineEdit *>(u"filterField"_s)->setText(u"text value"_s);
    selectRows({0, 1});
    QTest::mouseClick(addRule, Qt::LeftButton);
    QCOMPARE(requests.constLast(), (QStringList{u"Two\nlines"_s, u"Layer 2"_s}));
    QCOMPARE(label("addRuleNoteLabel"), u"Texts left out, as a rule cannot hold \";\" or a line break: 1"_s);

    // Nothing selected, nothing handed over; the note goes with the selection.
    table()->clearSelection();
    QVERIFY(!addRule->isEnabled());
    QCOMPARE(label("addRuleNoteLabel"), QString());
    m_view->addRule();
    QCOMPARE(requests.size(), 2);
}

void TestStringsView::cellsShowRoleTextLayoutAndOffset_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("role");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("layout");
    QTest::newRow("layer") << u"Layer 1"_s << u"layer name"_s << u"Layer 1"_s << u"BE"_s;
    QTest::newRow("other class") << u"Thing"_s << u"name of 'Xyz '"_s << u"Thing"_s << u"BE"_s;
    // A line break would cut the text off in its one-line cell.
    QTest::newRow("line break") << u"Line one\nLine two"_s << u"text value"_s << u"Line one\u21B5Line two"_s << u"BE"_s;
    QTest::newRow("file path") << u"/Users/anna/Layer.jpg"_s << u"file path"_s << u"/Users/anna/Layer.jpg"_s << u"LE"_s;
}

void TestStringsView::cellsShowRoleTextLayoutAndOffset()
{
    QFETCH(QString, stored);
    QFETCH(QString, role);
    QFETCH(QString, shown);
    QFETCH(QString, layout);
    StoredStringModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setStrings(atnformat::readActionFile(sampleFile()).strings);
    const auto found = std::ranges::find(model.rows(), stored, &StoredStringModel::Row::text);
    QVERIFY(found != model.rows().end());
    const auto cell = [&, row = int(found - model.rows().begin())](int column, int itemRole = Qt::DisplayRole) {
        return model.index(row, column).data(itemRole).toString();
    };
    QCOMPARE(cell(StoredStringModel::RoleColumn), role);
    QCOMPARE(cell(StoredStringModel::TextColumn), shown);
    QCOMPARE(cell(StoredStringModel::TextColumn, StoredStringModel::StoredTextRole), stored);
    QCOMPARE(cell(StoredStringModel::LayoutColumn), layout);
}

QTEST_MAIN(TestStringsView)
#include "tst_stringsview.moc"
