// Start: from the three chosen files to the translated output, the backup
// when the output is the input, and the warnings instead of a run.
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <filesystem>

#include "atnbuilder.h"
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

QString q(const std::string &path)
{
    return QString::fromStdString(path);
}

} // namespace

class TestTranslationRun : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { bundle::installTranslations(QLocale(QLocale::English)); }
    void init();
    void cleanup();

    void translatesWithTheEnabledRules_data();
    void translatesWithTheEnabledRules();
    void sameInputAndOutputKeepsABackup();
    void ruleFileWithoutPairsWarnsInstead();
    void warningGoesToTheActiveWindowOnly();
    void inputWithoutBackupIsNotTranslated();
    void severalFilesGoToTheChosenFolder();

private:
    void chooseFiles(const char *input, const char *rules, const char *output);
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
    m_controller->printout(u"from an earlier run\n"_s);
}

void TestTranslationRun::cleanup()
{
    m_controller.reset();
    m_desktop.reset();
    m_dir.reset();
}

void TestTranslationRun::chooseFiles(const char *input, const char *rules, const char *output)
{
    using Panel = void (ViewController::*)();
    for (const auto &[panel, name] : {std::pair<Panel, const char *>{&ViewController::selectAtnFile, input},
                                      {&ViewController::selectRuleFile, rules},
                                      {&ViewController::saveAtnFile, output}}) {
        m_desktop->answerNextPanel(q(m_dir->file(name)));
        (m_controller.get()->*panel)();
    }
}

void TestTranslationRun::translatesWithTheEnabledRules_data()
{
    QTest::addColumn<bool>("lenient");
    QTest::newRow("strict") << false;
    QTest::newRow("lenient") << true;
}

void TestTranslationRun::translatesWithTheEnabledRules()
{
    QFETCH(bool, lenient);
    chooseFiles("in.atn", "de.rul", "out.atn");
    if (lenient)
        QTest::mouseClick(m_controller->findChild<QCheckBox *>(u"useLittleEndianCheck"_s), Qt::LeftButton);
    // Start reads the stored paths, not what the fields show.
    m_controller->findChild<QLineEdit *>(u"atnTextField"_s)->setText(u"/nowhere/typed.atn"_s);

    clickStart();

    QCOMPARE(readBytes(m_dir->file("out.atn")), layerSet(true));
    QCOMPARE(readBytes(m_dir->file("in.atn")), layerSet(false));
    const QString expected =
        (lenient ? u"Lenient little-endian handling is on: the header checks of little-endian strings are skipped.\n"_s
                 : QString())
        + u"Opening input file: %1\nRead %2 bytes.\n"_s.arg(q(m_dir->file("in.atn"))).arg(layerSet(false).size())
        + u"Replacing \"Background\" with \"Hintergrund\"\n1 stored text rewritten.\n"
          u"Replacing \"copy\" with \"Kopie\"\n1 stored text rewritten.\n"
          u"Replacing \"Color Fill\" with \"Farbfüllung\"\nNot found.\n"
          u"Replacing \"Gradient Fill\" with \"Verlaufsfüllung\"\nNot found.\n"
          u"Replacing \"Gradient Map\" with \"Verlaufsumsetzung\"\n1 stored text rewritten.\n"
          u"Replacing \"Layer\" with \"Ebene\"\n2 stored texts rewritten.\n"
          u"Replacing \"Levels\" with \"Tonwertkorrektur\"\n1 stored text rewritten.\n"_s
        + u"Opening output file: %1\nWriting %2 bytes.\n"
          u"Translated: 6 stored texts rewritten by 5 of 7 rules, written to \"%1\".\nDone.\n"_s
              .arg(q(m_dir->file("out.atn")))
              .arg(layerSet(true).size());
    QCOMPARE(m_controller->consoleText(), expected);
    QVERIFY(m_desktop->sheets.isEmpty());
    QCOMPARE(m_dir->entries(), (std::vector<std::string>{"de.rul", "in.atn", "out.atn"}));
}

void TestTranslationRun::sameInputAndOutputKeepsABackup()
{
    std::filesystem::create_directory(m_dir->file("sub"));
    // The same file under another spelling of its path.
    chooseFiles("in.atn", "de.rul", "sub/../in.atn");

    clickStart();
    QCOMPARE(readBytes(m_dir->file("in.atn.bak")), layerSet(false));
    QCOMPARE(readBytes(m_dir->file("in.atn")), layerSet(true));
    QVERIFY(m_controller->consoleText().endsWith(u"Done.\n"_s));
    QVERIFY(m_desktop->sheets.isEmpty());
}

void TestTranslationRun::ruleFileWithoutPairsWarnsInstead()
{
    // Disabled rules and incomplete lines: no pair to replace. The output is
    // the input, and no backup is made for a run that does not start.
    writeText(m_dir->file("none.rul"), "0;Layer;Ebene;\nfalse;copy;Kopie;\n1;Levels;\n\n");
    chooseFiles("in.atn", "none.rul", "in.atn");

    clickStart();

    const Alert expected{
        .style = Alert::Style::Warning,
        .messageText = u"Warning"_s,
        .informativeText = u"Your RUL file is empty or has no enabled rules.\nPlease set up some rules and enable [x] them."_s,
        .buttons = {u"Ok"_s}};
    QCOMPARE(m_desktop->sheets.size(), 1);
    QCOMPARE(m_desktop->sheets.at(0).alert, expected);
    QCOMPARE(m_desktop->sheets.at(0).window, m_controller.get());
    QCOMPARE(m_controller->consoleText(), u"from an earlier run\n"_s);
    QCOMPARE(m_dir->entries(), (std::vector<std::string>{"de.rul", "in.atn", "none.rul"}));

    // Several files: the same warning before any panel.
    const auto panels = m_desktop->openPanels.size();
    BatchTranslation(*m_controller).chooseAndTranslate(translation::Mode::ByteScan);
    QCOMPARE(m_desktop->sheets.size(), 2);
    QCOMPARE(m_desktop->sheets.at(1).alert, expected);
    QCOMPARE(m_desktop->openPanels.size(), panels);
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

void TestTranslationRun::inputWithoutBackupIsNotTranslated()
{
    // A folder named like an action file, as input and output: it cannot be
    // copied.
    std::filesystem::create_directory(m_dir->file("folder.atn"));
    chooseFiles("folder.atn", "de.rul", "folder.atn");

    StdoutCapture out;
    clickStart();

    const QString printed = QString::fromUtf8(out.text());
    QVERIFY2(printed.startsWith(u"Ooops! Something went wrong: "_s), qPrintable(printed));
    QCOMPARE(printed.count(u'\n'), 1);
    QCOMPARE(m_desktop->sheets.size(), 1);
    const QString warning = m_desktop->sheets.at(0).alert.informativeText;
    QVERIFY2(warning.startsWith(u"The input file was not translated, because no backup of it could be made:\n"_s),
             qPrintable(warning));
    QVERIFY(printed.contains(warning.section(u'\n', 1)));
    QCOMPARE(m_controller->consoleText(), u"from an earlier run\n"_s);
}

void TestTranslationRun::severalFilesGoToTheChosenFolder()
{
    chooseFiles("in.atn", "de.rul", "out.atn");
    writeBytes(m_dir->file("two.atn"), layerSet(false));
    std::filesystem::create_directory(m_dir->file("de"));
    m_desktop->answerNextPanelWithFiles({q(m_dir->file("in.atn")), q(m_dir->file("two.atn"))});
    m_desktop->answerNextPanel(q(m_dir->file("de")));

    BatchTranslation(*m_controller).chooseAndTranslate(translation::Mode::ByteScan);

    QCOMPARE(m_desktop->openPanels.size(), 4);
    const OpenPanel files = m_desktop->openPanels.at(2), folder = m_desktop->openPanels.at(3);
    QVERIFY(files.allowsMultipleSelection && files.canChooseFiles && !files.canChooseDirectories);
    QCOMPARE(files.allowedFileTypes, QStringList{u"atn"_s});
    QVERIFY(folder.canChooseDirectories && !folder.canChooseFiles);
    QCOMPARE(TempDir::entriesOf(m_dir->file("de")), (std::vector<std::string>{"in.atn", "two.atn"}));
    QCOMPARE(readBytes(m_dir->file("de/two.atn")), layerSet(true));
    const QString console = m_controller->consoleText();
    QVERIFY2(console.startsWith(u"File 1 of 2: %1\nOpening input file: "_s.arg(q(m_dir->file("in.atn")))),
             qPrintable(console));
    QVERIFY(console.contains(u"Done.\nFile 2 of 2: %1\n"_s.arg(q(m_dir->file("two.atn")))));
    QVERIFY(console.endsWith(u"Done.\nTranslated 2 of 2 files.\n"_s));
    QVERIFY(m_desktop->sheets.isEmpty());
}

QTEST_MAIN(TestTranslationRun)
#include "tst_translationrun.moc"
