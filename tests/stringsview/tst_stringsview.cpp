// The Stored Strings window on its own: the table for a built file, the
// filter, files that cannot be read or are not well-formed, and the preview of
// a translation, with QAbstractItemModelTester watching the table model. Add
// Rule is tested with the main window.
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

// A layer by name, a class of its own by name, a text value with a line
// break and, at the end, a file path (little-endian).
atnbuild::Bytes retouchingFile()
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

    void listsTheStringsOrSaysWhatIsWrong();
    void filterAndReload();
    void previewsTheTranslation_data();
    void previewsTheTranslation();

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
    // One column of the table as it shows it, top to bottom; by default the
    // stored texts.
    QStringList shown(int column = StoredStringModel::TextColumn, int role = StoredStringModel::StoredTextRole) const
    {
        QStringList cells;
        const QAbstractItemModel *model = table()->model();
        for (int row = 0; row < model->rowCount(); ++row)
            cells << model->index(row, column).data(role).toString();
        return cells;
    }

    std::unique_ptr<TempDir> m_dir;
    std::unique_ptr<StringsViewController> m_view;
    std::unique_ptr<QAbstractItemModelTester> m_tester;
};

void TestStringsView::init()
{
    m_dir = std::make_unique<TempDir>();
    m_view = std::make_unique<StringsViewController>();
    m_tester = std::make_unique<QAbstractItemModelTester>(m_view->model(),
                                                          QAbstractItemModelTester::FailureReportingMode::QtTest);
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
}

void TestStringsView::cleanup()
{
    m_tester.reset();
    m_view.reset();
    m_dir.reset();
}

// Each stored text with its role, shown as one line (a line break would cut
// the text off in its cell) and with its layout; the empty class names of the
// descriptors are left out. Then what is wrong with a file, and no file; the
// texts found before a fault are checked as stored.
void TestStringsView::listsTheStringsOrSaysWhatIsWrong()
{
    const HangGuard guard;
    const atnbuild::Bytes whole = retouchingFile();
    const QString path = write("Retouching.atn", whole);
    m_view->setFiles(path, QString());
    QCOMPARE(shown(StoredStringModel::RoleColumn, Qt::DisplayRole),
             (QStringList{u"set name"_s, u"action name"_s, u"layer name"_s, u"name of 'Xyz '"_s, u"text value"_s,
                          u"file path"_s}));
    QCOMPARE(shown(StoredStringModel::TextColumn, Qt::DisplayRole),
             (QStringList{u"Retouching"_s, u"Soft Layer"_s, u"Layer 1"_s, u"Thing"_s, u"Line one\u21B5Line two"_s,
                          u"/Users/anna/Layer.jpg"_s}));
    QCOMPARE(shown(StoredStringModel::LayoutColumn, Qt::DisplayRole),
             (QStringList{u"BE"_s, u"BE"_s, u"BE"_s, u"BE"_s, u"BE"_s, u"LE"_s}));
    QCOMPARE(label("statusLabel"), u"A well-formed action file. Actions: 1, steps: 3, stored texts: 6."_s);
    QVERIFY(!problemShown());
    QCOMPARE(label("filePathLabel"), QDir::toNativeSeparators(path));
    QCOMPARE(m_view->windowTitle(), u"Stored Strings of Retouching.atn"_s);

    // Cut off inside the file path: the texts found before the fault are listed.
    const atnbuild::Bytes bytes(whole.begin(), whole.end() - 6);
    m_view->setFiles(write("Broken.atn", bytes), writeRules("1;Layer;Ebene;\n"));
    QCOMPARE(label("previewLabel"), u"No translation is previewed, as the file is not a well-formed action file."_s);
    const QString status = label("statusLabel");
    const QString error = QString::fromStdString(atnformat::readActionFile(bytes).error->message());
    QVERIFY2(status.startsWith(u"Not a well-formed action file: %1. "_s.arg(error)), qPrintable(status));
    QVERIFY(status.endsWith(u"Stored texts found before that point: 5."_s));
    QVERIFY(problemShown());
    QCOMPARE(shown(), (QStringList{u"Retouching"_s, u"Soft Layer"_s, u"Layer 1"_s, u"Thing"_s, u"Line one\nLine two"_s}));

    // Files that cannot be read empty the table.
    const std::string pipe = m_dir->file("Pipe.atn");
    QCOMPARE(::mkfifo(pipe.c_str(), 0644), 0);
    // Each as the action file and as the rule file: neither is waited for.
    const std::pair<std::string, QString> files[] = {{m_dir->file("Missing.atn"), u"No such file or directory"_s},
                                                     {pipe, u"it is a pipe with no writer"_s},
                                                     {"/dev/zero", u"it is a device"_s}};
    for (const auto &[file, reason] : files) {
        const QString unreadable = QString::fromStdString(file);
        m_view->setFiles(unreadable, unreadable);
        QCOMPARE(label("statusLabel"), u"Cannot read \"%1\": %2"_s.arg(unreadable, reason));
        QCOMPARE(table()->model()->rowCount(), 0);
        QVERIFY(problemShown());
        QVERIFY2(label("previewLabel").endsWith(u" has no enabled rules, or cannot be read."_s), qPrintable(label("previewLabel")));
    }

    m_view->setFiles(QString(), QString());
    QVERIFY(label("statusLabel").startsWith(u"Choose an input ATN file"_s));
    QVERIFY(!problemShown());
    QCOMPARE(m_view->windowTitle(), u"Stored Strings"_s);
}

// Reload reads both files again, as after a translation that wrote over the
// input, and keeps the filter; emptying the filter shows everything again.
void TestStringsView::filterAndReload()
{
    const QString path = write("Retouching.atn", retouchingFile());
    m_view->setFiles(path, QString());
    QVERIFY(label("previewLabel").startsWith(u"Choose a rule file in the main window"_s));
    auto *field = m_view->findChild<QLineEdit *>(u"filterField"_s);
    QTest::keyClicks(field, u"LAYER"_s); // in any case
    QCOMPARE(shown(), (QStringList{u"Soft Layer"_s, u"Layer 1"_s, u"/Users/anna/Layer.jpg"_s}));
    field->setText(u"action name"_s);
    QCOMPARE(shown(), QStringList{u"Soft Layer"_s});

    m_view->setFiles(path, writeRules("1;Layer;Ebene;\n"));
    write("Retouching.atn", atnbuild::actionFile("Ebenen", {atnbuild::action("Ebene kopieren", {})}));
    writeRules("1;Ebene;Layer;\n1;kopieren;copy;\n");
    QTest::mouseClick(m_view->findChild<QPushButton *>(u"reloadButton"_s), Qt::LeftButton);
    QCOMPARE(shown(), QStringList{u"Ebene kopieren"_s});
    QCOMPARE(label("previewLabel"),
             u"2 of 2 texts change by the enabled rules of Rules.rul (shown in bold). Every rule matches."_s);
    field->clear();
    QCOMPARE(shown(), (QStringList{u"Ebenen"_s, u"Ebene kopieren"_s}));
}

void TestStringsView::previewsTheTranslation_data()
{
    QTest::addColumn<translation::Mode>("mode");
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("changed");
    // The byte scan meets the path's "Background" one byte early, as a
    // big-endian reading, and stops there; the exact mode rewrites the path.
    QTest::newRow("byte scan") << translation::Mode::ByteScan << u"/Users/anna/Pictures/Backgrounds/paper-grain.jpg"_s << 19;
    QTest::newRow("exact") << translation::Mode::Exact << u"/Users/anna/Pictures/Hintergrunds/paper-grain.jpg"_s << 20;
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
    // Disabled rules do nothing; the command line's transcripts show that each
    // rule works on what the rules above it made.
    QCOMPARE(after[u"Curves 1"_s], std::pair(u"Gradationskurven 1"_s, true));
    QCOMPARE(after[u"Hue/Saturation 1"_s], std::pair(u"Hue/Saturation 1"_s, false));
    QCOMPARE(after[u"/Users/anna/Pictures/Backgrounds/paper-grain.jpg"_s].first, path);
    QCOMPARE(label("previewLabel"), u"%1 of 29 texts change by the enabled rules of Rules.rul (shown in bold). Rules "
                                    "that match nothing: \"Vibrance\" \u2192 \"Dynamik\"."_s.arg(changed));
    // Nothing is written.
    QCOMPARE(m_dir->entries(), (std::vector<std::string>{"Rules.rul", "sample-en.atn"}));
    QCOMPARE(readBytes(m_dir->file("sample-en.atn")), sample);
}

QTEST_MAIN(TestStringsView)
#include "tst_stringsview.moc"
