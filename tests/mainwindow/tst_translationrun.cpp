// Start: from the three chosen files to the translated output, the backup
// when the output is the input, and the warnings instead of a run.
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <filesystem>

#include "atnbuilder.h"
#include "mainwindow/viewcontroller.h"
#include "resources/bundle.h"
#include "scripteddesktop.h"
#include "stdoutcapture.h"
#include "tempdir.h"

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr const char *kDefaultRules = "1;Background;Hintergrund;\n0;Brightness/Contrast;Helligkeit/Kontrast;\n"
                                      "1;copy;Kopie;\n1;Color Fill;Farbfüllung;\n1;Gradient Fill;Verlaufsfüllung;\n"
                                      "1;Gradient Map;Verlaufsumsetzung;\n0;Hue/Saturation;Farbton/Sättigung;\n"
                                      "1;Layer;Ebene;\n1;Levels;Tonwertkorrektur;\n";

std::vector<std::uint8_t> englishSet()
{
    return layerActionSet({u"Background"_s, u"Layer 1"_s, u"Layer 1 copy"_s, u"Levels 1"_s, u"Hue/Saturation 1"_s,
                           u"Gradient Map 1"_s, u"Brightness/Contrast 1"_s},
                          u"C:\\Users\\Ωmega\\poster.psd"_s);
}

// The same set as the default rules leave it: the disabled rules' names stay.
std::vector<std::uint8_t> germanSet()
{
    return layerActionSet({u"Hintergrund"_s, u"Ebene 1"_s, u"Ebene 1 Kopie"_s, u"Tonwertkorrektur 1"_s,
                           u"Hue/Saturation 1"_s, u"Verlaufsumsetzung 1"_s, u"Brightness/Contrast 1"_s},
                          u"C:\\Users\\Ωmega\\poster.psd"_s);
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
    void sameInputAndOutputKeepsEveryBackup();
    void ruleFileWithoutPairsWarnsInstead_data();
    void ruleFileWithoutPairsWarnsInstead();
    void warningGoesToTheActiveWindowOnly();
    void inputWithoutBackupIsNotTranslated();

private:
    void chooseFiles(const std::string &input, const std::string &rules, const std::string &output);
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
    writeBytes(m_dir->file("in.atn"), englishSet());
    writeText(m_dir->file("de.rul"), kDefaultRules);
    m_controller->printout(u"from an earlier run\n"_s);
}

void TestTranslationRun::cleanup()
{
    m_controller.reset();
    m_desktop.reset();
    m_dir.reset();
}

void TestTranslationRun::chooseFiles(const std::string &input, const std::string &rules, const std::string &output)
{
    m_desktop->answerNextPanel(q(input));
    m_controller->selectAtnFile();
    m_desktop->answerNextPanel(q(rules));
    m_controller->selectRuleFile();
    m_desktop->answerNextPanel(q(output));
    m_controller->saveAtnFile();
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
    chooseFiles(m_dir->file("in.atn"), m_dir->file("de.rul"), m_dir->file("out.atn"));
    if (lenient)
        QTest::mouseClick(m_controller->findChild<QCheckBox *>(u"useLittleEndianCheck"_s), Qt::LeftButton);
    // Start reads the stored paths, not what the fields show.
    m_controller->findChild<QLineEdit *>(u"atnTextField"_s)->setText(u"/nowhere/typed.atn"_s);

    clickStart();

    QCOMPARE(readBytes(m_dir->file("out.atn")), germanSet());
    QCOMPARE(readBytes(m_dir->file("in.atn")), englishSet());
    const QString expected =
        (lenient ? u"Lenient little-endian handling is on: the header checks of little-endian strings are skipped.\n"_s
                 : QString())
        + u"Opening input file: %1\nRead %2 bytes.\n"_s.arg(q(m_dir->file("in.atn"))).arg(englishSet().size())
        + u"Replacing \"Background\" with \"Hintergrund\"\n"
          u"Replacing \"copy\" with \"Kopie\"\n"
          u"Replacing \"Color Fill\" with \"Farbfüllung\"\n"
          u"Replacing \"Gradient Fill\" with \"Verlaufsfüllung\"\n"
          u"Replacing \"Gradient Map\" with \"Verlaufsumsetzung\"\n"
          u"Replacing \"Layer\" with \"Ebene\"\n"
          u"Replacing \"Levels\" with \"Tonwertkorrektur\"\n"_s
        + u"Opening output file: %1\nWriting %2 bytes.\nDone.\n"_s.arg(q(m_dir->file("out.atn"))).arg(germanSet().size());
    QCOMPARE(m_controller->consoleText(), expected);
    QVERIFY(m_desktop->sheets.isEmpty());
    QCOMPARE(m_dir->entries(), (std::vector<std::string>{"de.rul", "in.atn", "out.atn"}));
}

void TestTranslationRun::sameInputAndOutputKeepsEveryBackup()
{
    std::filesystem::create_directory(m_dir->file("sub"));
    // The same file under another spelling of its path.
    chooseFiles(m_dir->file("in.atn"), m_dir->file("de.rul"), m_dir->file("sub/../in.atn"));

    clickStart();
    QCOMPARE(readBytes(m_dir->file("in.atn.bak")), englishSet());
    QCOMPARE(readBytes(m_dir->file("in.atn")), germanSet());

    // A second run keeps the first backup and adds one of what it replaced.
    writeText(m_dir->file("de.rul"), "1;Ebene;Layer;\n");
    clickStart();
    QCOMPARE(readBytes(m_dir->file("in.atn.bak")), englishSet());
    QCOMPARE(readBytes(m_dir->file("in.atn.bak.1")), germanSet());
    QVERIFY(m_controller->consoleText().endsWith(u"Done.\n"_s));
    QVERIFY(m_desktop->sheets.isEmpty());
}

void TestTranslationRun::ruleFileWithoutPairsWarnsInstead_data()
{
    QTest::addColumn<std::optional<QByteArray>>("rules");
    QTest::addColumn<QByteArray>("standardOutput");
    QTest::newRow("empty file") << std::optional(QByteArray()) << QByteArray();
    QTest::newRow("disabled rules, incomplete lines")
        << std::optional(QByteArray("0;Layer;Ebene;\nfalse;copy;Kopie;\n1;Levels;\n\n")) << QByteArray();
    QTest::newRow("missing file") << std::optional<QByteArray>() << QByteArray("File not found\n");
}

void TestTranslationRun::ruleFileWithoutPairsWarnsInstead()
{
    QFETCH(std::optional<QByteArray>, rules);
    QFETCH(QByteArray, standardOutput);
    if (rules)
        writeText(m_dir->file("none.rul"), rules->toStdString());
    chooseFiles(m_dir->file("in.atn"), m_dir->file("none.rul"), m_dir->file("out.atn"));

    StdoutCapture out;
    clickStart();

    QCOMPARE(out.text(), standardOutput);
    const Alert expected{
        .style = Alert::Style::Warning,
        .messageText = u"Warning"_s,
        .informativeText = u"Your RUL file is empty or has no enabled rules.\nPlease set up some rules and enable [x] them."_s,
        .buttons = {u"Ok"_s}};
    QCOMPARE(m_desktop->sheets.size(), 1);
    QCOMPARE(m_desktop->sheets.at(0).alert, expected);
    QCOMPARE(m_desktop->sheets.at(0).window, m_controller.get());
    QCOMPARE(m_controller->consoleText(), u"from an earlier run\n"_s);
    QVERIFY(!std::filesystem::exists(m_dir->file("out.atn")));
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
    // After Reset the paths are empty but Start stays enabled; the two empty
    // paths name the same file, and there is nothing to back up.
    chooseFiles(m_dir->file("in.atn"), m_dir->file("de.rul"), m_dir->file("out.atn"));
    m_controller->resetFiles();

    StdoutCapture out;
    clickStart();

    const QString printed = QString::fromUtf8(out.text());
    QVERIFY2(printed.startsWith(u"Ooops! Something went wrong: "_s), qPrintable(printed));
    QCOMPARE(printed.count(u'\n'), 1); // the rule file was not read
    QCOMPARE(m_desktop->sheets.size(), 1);
    const QString warning = m_desktop->sheets.at(0).alert.informativeText;
    QVERIFY2(warning.startsWith(u"The input file was not translated, because no backup of it could be made:\n"_s),
             qPrintable(warning));
    QVERIFY(printed.contains(warning.section(u'\n', 1)));
    QCOMPARE(m_controller->consoleText(), u"from an earlier run\n"_s);
}

QTEST_MAIN(TestTranslationRun)
#include "tst_translationrun.moc"
