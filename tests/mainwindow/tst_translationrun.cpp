// Start: what the console and the outcome line say after a translation and
// after each kind of refusal, the question before an existing output is
// replaced, and the warnings' window. Several files into one folder.
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <filesystem>

#include "atnbuilder.h"
#include "guisupport/imageview.h"
#include "mainwindow/batchtranslation.h"
#include "mainwindow/viewcontroller.h"
#include "resources/bundle.h"
#include "scripteddesktop.h"
#include "stdoutcapture.h"
#include "tempdir.h"

using namespace Qt::Literals::StringLiterals;

namespace {

// An action that selects layers by name and places a linked file, whose path
// is a little-endian stored string; in German as the default rules leave it
// (the disabled rules' names stay).
std::vector<std::uint8_t> layerSet(bool german)
{
    using namespace atnbuild;
    std::vector<Bytes> events;
    for (const char *name : german ? std::vector{"Hintergrund", "Ebene 1", "Ebene 1 Kopie", "Tonwertkorrektur 1",
                                                 "Hue/Saturation 1", "Verlaufsumsetzung 1", "Brightness/Contrast 1"}
                                   : std::vector{"Background", "Layer 1", "Layer 1 copy", "Levels 1",
                                                 "Hue/Saturation 1", "Gradient Map 1", "Brightness/Contrast 1"})
        events.push_back(event("slct", "Select", std::vector<Item>{{"null", reference({byName("Lyr ", name)})}}));
    events.push_back(event("Plc ", "Place", std::vector<Item>{{"null", pathValue("C:\\Users\\Ωmega\\poster.psd")}}));
    return actionFile("Names", {action("Rename layers", events)});
}

const QString kTranslated = u"Opening input file: DIR/in.atn\nRead %1 bytes.\n"
                            u"Replacing \"Background\" with \"Hintergrund\"\n1 stored text rewritten.\n"
                            u"Replacing \"copy\" with \"Kopie\"\n1 stored text rewritten.\n"
                            u"Replacing \"Color Fill\" with \"Farbfüllung\"\nNot found.\n"
                            u"Replacing \"Gradient Fill\" with \"Verlaufsfüllung\"\nNot found.\n"
                            u"Replacing \"Gradient Map\" with \"Verlaufsumsetzung\"\n1 stored text rewritten.\n"
                            u"Replacing \"Layer\" with \"Ebene\"\n2 stored texts rewritten.\n"
                            u"Replacing \"Levels\" with \"Tonwertkorrektur\"\n1 stored text rewritten.\n"
                            u"Opening output file: DIR/out.atn\nWriting %2 bytes.\n"
                            u"Translated: 6 stored texts rewritten by 5 of 7 rules, written to \"DIR/out.atn\".\n"
                            u"Done.\n"_s.arg(layerSet(false).size())
                                .arg(layerSet(true).size());

enum class Output { Typed, SavedAs, SavedAsWithoutEnding, SavedAsThenTyped, Input, WrittenBefore };

} // namespace

class TestTranslationRun : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { bundle::installTranslations(QLocale(QLocale::English)); }
    void init();
    void cleanup();

    void transcript_data();
    void transcript();
    void overwriteQuestion_data();
    void overwriteQuestion();
    void warningGoesToTheActiveWindowOnly();
    void severalFilesGoToTheChosenFolder();

private:
    void setField(const char *field, const std::string &path)
    {
        m_controller->findChild<QLineEdit *>(QLatin1StringView(field))->setText(QString::fromStdString(path));
    }
    void clickStart() { QTest::mouseClick(m_controller->findChild<QPushButton *>(u"startTranslationButton"_s), Qt::LeftButton); }

    std::unique_ptr<TempDir> m_dir;
    std::unique_ptr<ScriptedDesktop> m_desktop;
    std::unique_ptr<ViewController> m_controller;
};

void TestTranslationRun::init()
{
    m_dir = std::make_unique<TempDir>();
    m_desktop = std::make_unique<ScriptedDesktop>();
    m_controller = std::make_unique<ViewController>();
    m_controller->show();
    QVERIFY(QTest::qWaitForWindowActive(m_controller.get()));
    writeBytes(m_dir->file("in.atn"), layerSet(false));
    std::filesystem::copy_file(ATNLINGO_SOURCE_DIR "/resources/rules/default-en-de.rul", m_dir->file("de.rul"));
    // Disabled rules and incomplete lines: no pair to replace.
    writeText(m_dir->file("none.rul"), "0;Layer;Ebene;\nfalse;copy;Kopie;\n1;Levels;\n\n");
    // A folder named like an action file cannot be copied to a backup.
    std::filesystem::create_directory(m_dir->file("folder.atn"));
    writeText(m_dir->file("notes.atn"), "Layer one\n");
    m_controller->printout(u"from an earlier run\n"_s);
}

void TestTranslationRun::cleanup()
{
    QCOMPARE(m_desktop->unansweredPanels, 0);
    m_controller.reset();
    m_desktop.reset();
    m_dir.reset();
}

// Texts and paths with DIR for the test's folder.
void TestTranslationRun::transcript_data()
{
    QTest::addColumn<QStringList>("files"); // input, rules, output
    QTest::addColumn<QStringList>("checked");
    QTest::addColumn<QString>("console");
    QTest::addColumn<QString>("image");
    QTest::addColumn<QString>("warning"); // the sheet's text; empty: none
    QTest::addColumn<QString>("printed"); // on standard output

    const QStringList files{u"in.atn"_s, u"de.rul"_s, u"out.atn"_s};
    QTest::newRow("translated") << files << QStringList() << kTranslated << u"outcome_succeeded"_s << QString()
                                << QString();
    QTest::newRow("lenient") << files << QStringList{u"useLittleEndianCheck"_s}
                             << u"Lenient little-endian handling is on: the header checks of little-endian strings "
                                u"are skipped.\n"_s + kTranslated
                             << u"outcome_succeeded"_s << QString() << QString();
    const QString notWellFormed = u"The input is not a well-formed action file (at offset 0: expected version 16, found "
                                  u"1281456485), so it cannot be translated by its structure; translate it without "
                                  u"exact translation, by the byte scan."_s;
    QTest::newRow("exact, not an action file")
        << QStringList{u"notes.atn"_s, u"de.rul"_s, u"out.atn"_s} << QStringList{u"exactTranslationCheck"_s}
        << u"Opening input file: DIR/notes.atn\nRead 10 bytes.\nError: %1\nNot translated: %1 Nothing was written.\n"
           u"Done.\n"_s.arg(notWellFormed)
        << u"outcome_failed"_s << QString() << QString();
    QTest::newRow("no enabled rule")
        << QStringList{u"in.atn"_s, u"none.rul"_s, u"out.atn"_s} << QStringList()
        << u"Not translated: The rule file has no enabled rules. Nothing was written.\n"_s << u"outcome_failed"_s
        << u"Your RUL file is empty or has no enabled rules.\nPlease set up some rules and enable [x] them."_s
        << QString();
    QTest::newRow("no backup possible")
        << QStringList{u"folder.atn"_s, u"de.rul"_s, u"folder.atn"_s} << QStringList()
        << u"Not translated: No backup of the input file could be made: cannot back up \"DIR/folder.atn\": it is a "
           u"folder. Nothing was written.\n"_s
        << u"outcome_failed"_s
        << u"The input file was not translated, because no backup of it could be made:\ncannot back up "
           u"\"DIR/folder.atn\": it is a folder"_s
        << u"Ooops! Something went wrong: cannot back up \"DIR/folder.atn\": it is a folder\n"_s;
    QTest::newRow("bad paths") << QStringList{u"in.atn"_s, u"de.rul"_s, u"out.txt"_s} << QStringList()
                               << u"Not translated: The output file's name must end in .atn. Nothing was written.\n"_s
                               << u"outcome_failed"_s << QString() << QString();
}

void TestTranslationRun::transcript()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, checked);
    QFETCH(QString, console);
    QFETCH(QString, image);
    QFETCH(QString, warning);
    QFETCH(QString, printed);
    const QString dir = QString::fromStdString(m_dir->path());
    const char *fields[] = {"atnTextField", "rulTextField", "atncopyTextField"};
    for (int i = 0; i < 3; ++i)
        setField(fields[i], m_dir->file(files[i].toStdString()));
    for (const QString &box : checked)
        QTest::mouseClick(m_controller->findChild<QCheckBox *>(box), Qt::LeftButton);
    const std::vector<std::string> before = m_dir->entries();

    QString standardOutput;
    {
        StdoutCapture out;
        m_controller->startTranslation();
        // Without the test's own messages.
        for (const QString &line : QString::fromUtf8(out.text()).split(u'\n', Qt::SkipEmptyParts))
            standardOutput += line.startsWith(u"QWARN"_s) ? QString() : line + u'\n';
    }

    QCOMPARE(m_controller->consoleText(), console.replace(u"DIR"_s, dir));
    // The outcome line stands out, beside its image.
    QStringList lines = console.split(u'\n', Qt::SkipEmptyParts);
    lines.removeAll(u"Done."_s);
    QCOMPARE(m_controller->findChild<QLabel *>(u"outcomeLabel"_s)->text(), lines.constLast());
    QCOMPARE(m_controller->findChild<ImageView *>(u"outcomeImageView"_s)->imageName(), image);
    QCOMPARE(m_desktop->sheets.size(), warning.isEmpty() ? 0 : 1);
    if (!warning.isEmpty())
        QCOMPARE(m_desktop->sheets.at(0).alert.informativeText, warning.replace(u"DIR"_s, dir));
    QCOMPARE(standardOutput, printed.replace(u"DIR"_s, dir));
    if (image == u"outcome_failed")
        QCOMPARE(m_dir->entries(), before);
}

void TestTranslationRun::overwriteQuestion_data()
{
    QTest::addColumn<Output>("output");
    QTest::addColumn<int>("answer"); // to the question: 0 Replace, 1 Cancel; -1: none asked
    QTest::addColumn<bool>("written");

    QTest::newRow("typed, replaced") << Output::Typed << 0 << true;
    QTest::newRow("typed, cancelled") << Output::Typed << 1 << false;
    QTest::newRow("chosen in Save As") << Output::SavedAs << -1 << true;
    // The panel asked about "old", if at all; Save As asks about "old.atn".
    QTest::newRow("chosen in Save As without the ending") << Output::SavedAsWithoutEnding << 0 << true;
    QTest::newRow("that declined") << Output::SavedAsWithoutEnding << 1 << false;
    QTest::newRow("another typed after Save As") << Output::SavedAsThenTyped << 0 << true;
    QTest::newRow("the input, kept as a backup") << Output::Input << -1 << true;
    QTest::newRow("written by the run before, asked again") << Output::WrittenBefore << 0 << true;
}

void TestTranslationRun::overwriteQuestion()
{
    QFETCH(Output, output);
    QFETCH(int, answer);
    QFETCH(bool, written);
    setField("atnTextField", m_dir->file("in.atn"));
    setField("rulTextField", m_dir->file("de.rul"));
    std::string path = m_dir->file("old.atn");
    writeText(path, "old");
    writeText(m_dir->file("other.atn"), "old");
    if (answer >= 0)
        m_desktop->answerNextAlert(answer);
    switch (output) {
    case Output::Typed:
        setField("atncopyTextField", path);
        break;
    case Output::SavedAsThenTyped:
        path = m_dir->file("other.atn");
        [[fallthrough]];
    case Output::SavedAs:
        m_desktop->answerNextPanel(QString::fromStdString(m_dir->file("old.atn")));
        m_controller->saveAtnFile();
        setField("atncopyTextField", path);
        break;
    case Output::SavedAsWithoutEnding:
        m_desktop->answerNextPanel(QString::fromStdString(m_dir->file("old")));
        m_controller->saveAtnFile();
        break;
    case Output::Input:
        path = m_dir->file("in.atn");
        setField("atncopyTextField", path);
        break;
    case Output::WrittenBefore:
        path = m_dir->file("new.atn");
        setField("atncopyTextField", path);
        clickStart();
        writeText(path, "old");
        break;
    }

    clickStart();

    QCOMPARE(m_desktop->questions.size(), answer >= 0 ? 1 : 0);
    if (answer >= 0) {
        QCOMPARE(m_desktop->questions.at(0).alert.buttons, (QStringList{u"Replace"_s, u"Cancel"_s}));
        QCOMPARE(m_desktop->questions.at(0).alert.cancelButton, 1);
    }
    QCOMPARE(readText(path) == "old", !written);
    // Cancelled: nothing happens, not even to the console.
    if (!written && output == Output::Typed)
        QCOMPARE(m_controller->consoleText(), u"from an earlier run\n"_s);
    if (output == Output::Input)
        QCOMPARE(readBytes(m_dir->file("in.atn.bak")), layerSet(false));
}

void TestTranslationRun::warningGoesToTheActiveWindowOnly()
{
    m_controller->hide();
    QTRY_COMPARE(QApplication::activeWindow(), nullptr);
    m_controller->showWarningInKeyWindow(u"nobody sees this"_s);
    QVERIFY(m_desktop->sheets.isEmpty());

    QWidget other;
    other.show();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    m_controller->showWarningInKeyWindow(u"seen"_s);
    QCOMPARE(m_desktop->sheets.size(), 1);
    QCOMPARE(m_desktop->sheets.at(0).alert.informativeText, u"seen"_s);
    QCOMPARE(m_desktop->sheets.at(0).window, &other);
}

void TestTranslationRun::severalFilesGoToTheChosenFolder()
{
    // Without an enabled rule: the warning, before any panel.
    setField("rulTextField", m_dir->file("none.rul"));
    BatchTranslation(*m_controller).chooseAndTranslate(translation::Mode::ByteScan);
    QCOMPARE(m_desktop->sheets.size(), 1);
    QVERIFY(m_desktop->openPanels.isEmpty());

    setField("rulTextField", m_dir->file("de.rul"));
    writeBytes(m_dir->file("two.atn"), layerSet(false));
    std::filesystem::create_directory(m_dir->file("de"));
    const QString in = QString::fromStdString(m_dir->file("in.atn")), two = QString::fromStdString(m_dir->file("two.atn"));
    m_desktop->answerNextPanelWithFiles({in, two});
    m_desktop->answerNextPanel(QString::fromStdString(m_dir->file("de")));

    BatchTranslation(*m_controller).chooseAndTranslate(translation::Mode::ByteScan);

    QCOMPARE(m_desktop->openPanels.size(), 2);
    const OpenPanel files = m_desktop->openPanels.at(0), folder = m_desktop->openPanels.at(1);
    QVERIFY(files.allowsMultipleSelection && files.canChooseFiles && !files.canChooseDirectories);
    QCOMPARE(files.allowedFileTypes, QStringList{u"atn"_s});
    QVERIFY(folder.canChooseDirectories && !folder.canChooseFiles);
    QCOMPARE(TempDir::entriesOf(m_dir->file("de")), (std::vector<std::string>{"in.atn", "two.atn"}));
    QCOMPARE(readBytes(m_dir->file("de/two.atn")), layerSet(true));
    const QString console = m_controller->consoleText();
    QVERIFY2(console.startsWith(u"File 1 of 2: %1\nOpening input file: "_s.arg(in)), qPrintable(console));
    QVERIFY(console.contains(u"Done.\nFile 2 of 2: %1\n"_s.arg(two)));
    QVERIFY(console.endsWith(u"Done.\nTranslated 2 of 2 files.\n"_s));
    QCOMPARE(m_desktop->sheets.size(), 1);
}

QTEST_MAIN(TestTranslationRun)
#include "tst_translationrun.moc"
