// The main window's content. Whatever puts a path into a file field (typing,
// a panel, a drop, Reset) decides Start and is the path Start uses;
// the drop fields, files named at start, the console. Start: what the console
// and the outcome line say after a translation and after each kind of
// refusal, and the question before an existing output is replaced. Several
// files into one folder.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryFile>
#include <QTest>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <unistd.h>

#include "atnbuilder.h"
#include "guisupport/imageview.h"
#include "mainwindow/batchtranslation.h"
#include "mainwindow/dropview.h"
#include "mainwindow/viewcontroller.h"
#include "resources/bundle.h"
#include "scripteddesktop.h"
#include "tempdir.h"

using namespace Qt::Literals::StringLiterals;

namespace {

enum Field { Atn, Rule, AtnCopy };
enum class Input { Typed, Panel, Cancelled, Reset };

struct FieldInfo {
    const char *textField;
    const char *imageView;
    QString imageStem;
    std::string path; // what the field holds before each row: a file in the test's folder
    void (ViewController::*panelAction)();
};

const FieldInfo kFields[] = {
    {"atnTextField", "atnImageView", u"atn"_s, "in.atn", &ViewController::selectAtnFile},
    {"rulTextField", "rulImageView", u"rule"_s, "de.rul", &ViewController::selectRuleFile},
    {"atncopyTextField", "atncopyImageView", u"atncopy"_s, "out.atn", &ViewController::saveAtnFile},
};

// An action that selects layers by name, as the default rules translate them.
std::vector<std::uint8_t> layerSet()
{
    using namespace atnbuild;
    std::vector<Bytes> events;
    for (const char *name : {"Background", "Layer 1", "Layer 1 copy", "Levels 1", "Gradient Map 1"})
        events.push_back(event("slct", "Select", std::vector<Item>{{"null", reference({byName("Lyr ", name)})}}));
    return actionFile("Names", {action("Rename layers", events)});
}

// What the process writes to standard output while `write` runs.
QByteArray printedBy(const std::function<void()> &write)
{
    QTemporaryFile file;
    if (!file.open())
        return {};
    std::fflush(stdout);
    const int saved = ::dup(STDOUT_FILENO);
    ::dup2(file.handle(), STDOUT_FILENO);
    write();
    std::fflush(stdout);
    ::dup2(saved, STDOUT_FILENO);
    ::close(saved);
    file.seek(0);
    return file.readAll();
}

// Sends a QDragEnterEvent, QDragMoveEvent or QDropEvent to the widget's
// centre, as the toolkit would during a drag; whether the widget accepted it.
template <class E>
bool sendDrag(QWidget *widget, const QMimeData *data)
{
    E event(widget->rect().center(), Qt::CopyAction | Qt::MoveAction | Qt::LinkAction, data, Qt::LeftButton,
            Qt::NoModifier);
    event.ignore();
    QApplication::sendEvent(widget, &event);
    return event.isAccepted();
}

} // namespace

class TestViewController : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { bundle::installTranslations(QLocale(QLocale::English)); }
    void init();
    void cleanup();

    void fieldInput_data();
    void fieldInput();
    void drag_data();
    void drag();
    void filesNamedAtStart();
    void consoleCopiesAndClears();
    void transcript_data();
    void transcript();
    void overwriteQuestion_data();
    void overwriteQuestion();
    void severalFilesGoToTheChosenFolder();

private:
    QLineEdit *text(int field) const
    {
        return m_controller->findChild<QLineEdit *>(QLatin1StringView(kFields[field].textField));
    }
    QPushButton *button(const char *name) const { return m_controller->findChild<QPushButton *>(QLatin1StringView(name)); }
    void setField(int field, const std::string &name) { text(field)->setText(QString::fromStdString(m_dir->file(name))); }
    QString inDir(const QString &name) const
    {
        return name.isEmpty() ? name : QString::fromStdString(m_dir->path()) + u'/' + name;
    }

    std::unique_ptr<TempDir> m_dir;
    std::unique_ptr<ScriptedDesktop> m_desktop;
    std::unique_ptr<ViewController> m_controller;
};

void TestViewController::init()
{
    m_dir = std::make_unique<TempDir>();
    m_desktop = std::make_unique<ScriptedDesktop>();
    m_controller = std::make_unique<ViewController>();
    m_controller->show();
    QVERIFY(QTest::qWaitForWindowActive(m_controller.get()));
    writeBytes(m_dir->file("in.atn"), layerSet());
    writeBytes(m_dir->file("IN.ATN"), atnbuild::actionFile("Set", {atnbuild::action("Layer 2", {})}));
    std::filesystem::copy_file(ATNLINGO_SOURCE_DIR "/resources/rules/default-en-de.rul", m_dir->file("de.rul"));
    // Disabled rules and incomplete lines: no pair to replace.
    writeText(m_dir->file("none.rul"), "0;Layer;Ebene;\nfalse;copy;Kopie;\n1;Levels;\n\n");
    // A folder named like an action file cannot be copied to a backup.
    std::filesystem::create_directory(m_dir->file("folder.atn"));
    writeText(m_dir->file("notes.atn"), "Layer one\n");
    m_controller->printout(u"from an earlier run\n"_s);
}

void TestViewController::cleanup()
{
    QCOMPARE(m_desktop->unanswered, 0);
    m_controller.reset();
    m_desktop.reset();
    m_dir.reset();
}

// The fields hold in.atn, de.rul and out.atn of the test's folder; then one
// field gets a new text, or Reset empties them all. Names are in that folder,
// which also has IN.ATN.
void TestViewController::fieldInput_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<Input>("input");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("problem"); // said under the fields; empty: Start is enabled
    // The field's image; when Start is enabled, also whether it writes the output.
    QTest::addColumn<bool>("loaded");

    const QString none;
    QTest::newRow("typed input") << int(Atn) << Input::Typed << u"IN.ATN"_s << none << true;
    QTest::newRow("typed, no ending") << int(Atn) << Input::Typed << u"in"_s
                                      << u"The input file's name must end in .atn."_s << false;
    QTest::newRow("typed rules, missing file") << int(Rule) << Input::Typed << u"fr.rul"_s << none << false;
    QTest::newRow("input panel") << int(Atn) << Input::Panel << u"IN.ATN"_s << none << true;
    QTest::newRow("save panel, no folder") << int(AtnCopy) << Input::Panel << u"gone/new.atn"_s << none << false;
    QTest::newRow("panel cancelled") << int(Rule) << Input::Cancelled << u"de.rul"_s << none << true;
    QTest::newRow("Reset") << int(AtnCopy) << Input::Reset << none << u"Name the ATN file to translate."_s << false;
}

void TestViewController::fieldInput()
{
    QFETCH(int, field);
    QFETCH(Input, input);
    QFETCH(QString, name);
    QFETCH(QString, problem);
    QFETCH(bool, loaded);
    for (int f : {Atn, Rule, AtnCopy})
        setField(f, kFields[f].path);
    QLineEdit *edit = text(field);

    switch (input) {
    case Input::Typed:
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, inDir(name));
        break;
    case Input::Panel:
    case Input::Cancelled:
        m_desktop->answerNextPanel(input == Input::Panel ? std::optional(inDir(name)) : std::nullopt);
        (m_controller.get()->*kFields[field].panelAction)();
        break;
    case Input::Reset: // every field, and the console
        QTest::mouseClick(button("resetFilesButton"), Qt::LeftButton);
        QVERIFY(text(Atn)->text().isEmpty() && text(Rule)->text().isEmpty());
        QVERIFY(m_controller->consoleText().isEmpty());
        break;
    }

    QCOMPARE(edit->text(), inDir(name));
    QCOMPARE(m_controller->findChild<QLabel *>(u"fieldProblemLabel"_s)->text(), problem);
    QCOMPARE(button("startTranslationButton")->isEnabled(), problem.isEmpty());
    QCOMPARE(m_controller->findChild<ImageView *>(QLatin1StringView(kFields[field].imageView))->imageName(),
             kFields[field].imageStem + (loaded ? u"_loaded"_s : u"_notloaded"_s));
    if (!problem.isEmpty())
        return;

    // Start uses what the fields show.
    const QString inputPath = text(Atn)->text(), output = text(AtnCopy)->text();
    QTest::mouseClick(button("startTranslationButton"), Qt::LeftButton);
    QCOMPARE(std::filesystem::exists(output.toStdString()), loaded);
    if (loaded)
        QVERIFY(m_controller->consoleText().startsWith(u"Opening input file: "_s + inputPath + u'\n'));
}

void TestViewController::drag_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QList<QUrl>>("urls");
    QTest::addColumn<bool>("accepted");

    const auto file = [](const char *path) { return QUrl::fromLocalFile(QString::fromUtf8(path)); };
    QTest::newRow("ATN file on an ATN field") << int(Atn) << QList{file("/w/Actions.atn")} << true;
    QTest::newRow("RUL file on an ATN field") << int(Atn) << QList{file("/w/de.rul")} << false;
    QTest::newRow("RUL file on the RUL field") << int(Rule) << QList{file("/w/de.rul")} << true;
    QTest::newRow("ending in capitals") << int(Atn) << QList{file("/w/IN.ATN")} << false;
    QTest::newRow("dot in the folder only") << int(Atn) << QList{file("/w/sets.atn/Actions")} << false;
    QTest::newRow("several, the first does not fit") << int(Atn) << QList{file("/w/b.txt"), file("/w/a.atn")} << false;
    QTest::newRow("web address only") << int(Atn) << QList{QUrl(u"https://example.org/a.atn"_s)} << false;
    QTest::newRow("text only") << int(Atn) << QList<QUrl>{} << false;
}

void TestViewController::drag()
{
    QFETCH(int, field);
    QFETCH(QList<QUrl>, urls);
    QFETCH(bool, accepted);
    auto *view = qobject_cast<DropView *>(text(field));
    view->setText(u"typed"_s);
    // A file drag usually carries a path as text too, which a line edit would
    // take on its own.
    QMimeData drag;
    drag.setUrls(urls);
    drag.setText(u"/w/a."_s + view->expectedExt());

    QCOMPARE(sendDrag<QDragEnterEvent>(view, &drag), accepted);
    QCOMPARE(sendDrag<QDragMoveEvent>(view, &drag), accepted);
    QCOMPARE(view->layerColor(), accepted ? QColor(Qt::blue) : QColor(Qt::gray));
    QDragLeaveEvent leave;
    QApplication::sendEvent(view, &leave);
    QCOMPARE(view->layerColor(), QColor(Qt::gray));

    bool dropped = false;
    const QByteArray printed = printedBy([&] {
        sendDrag<QDragEnterEvent>(view, &drag);
        dropped = sendDrag<QDropEvent>(view, &drag);
    });
    QCOMPARE(dropped, accepted);
    QCOMPARE(view->layerColor(), QColor(Qt::gray));
    const QString path = urls.value(0).toLocalFile();
    QCOMPARE(view->text(), accepted ? path : u"typed"_s);
    QCOMPARE(printed, accepted ? "filePath: " + path.toUtf8() + "\n" : QByteArray());
}

// As the desktop entry passes them: by ending, exactly, in order; the last of
// a kind wins.
void TestViewController::filesNamedAtStart()
{
    const QStringList leftOut{u"/w/notes.txt"_s, u"/w/IN.ATN"_s, u"/w/in.atn.bak"_s, u"/w/sets.rul/x"_s};
    for (const QString &path : leftOut)
        QTest::ignoreMessage(QtWarningMsg, qPrintable(u"Not an .atn or .rul file, left out: "_s + path));
    QTest::failOnWarning(QRegularExpression(u".*"_s));

    m_controller->openFiles(QStringList{u"/w/a.atn"_s, u"/w/de.rul"_s} + leftOut + QStringList{u"/w/in.atn"_s});
    QCOMPARE(m_controller->atnFilePath(), u"/w/in.atn"_s);
    QCOMPARE(m_controller->rulFilePath(), u"/w/de.rul"_s);
    QVERIFY(m_controller->atncopyFilePath().isEmpty());
}

void TestViewController::consoleCopiesAndClears()
{
    m_controller->printout(u"„Ebene“ Слой 😀"_s);
    QTest::mouseClick(button("copyOutputButton"), Qt::LeftButton);
    QCOMPARE(QGuiApplication::clipboard()->text(), u"from an earlier run\n„Ebene“ Слой 😀"_s);
    QTest::mouseClick(button("clearOutputButton"), Qt::LeftButton);
    QVERIFY(m_controller->consoleText().isEmpty());
}

// Texts and paths with DIR for the test's folder. A line "…" in a console
// text stands for lines of a run that the command line's transcripts check.
void TestViewController::transcript_data()
{
    QTest::addColumn<QStringList>("files"); // input, rules, output
    QTest::addColumn<QStringList>("checked");
    QTest::addColumn<QString>("console");
    QTest::addColumn<QString>("image");
    QTest::addColumn<QString>("warning"); // the sheet's text; empty: none

    // The output's name is not ASCII, and the console shows it as it is.
    QTest::newRow("translated")
        << QStringList{u"in.atn"_s, u"de.rul"_s, u"übersetzt.atn"_s} << QStringList()
        << u"…\nTranslated: 6 stored texts rewritten by 5 of 7 rules, written to \"DIR/übersetzt.atn\".\nDone.\n"_s
        << u"outcome_succeeded"_s << QString();
    QTest::newRow("lenient and exact, not an action file")
        << QStringList{u"notes.atn"_s, u"de.rul"_s, u"out.atn"_s}
        << QStringList{u"useLittleEndianCheck"_s, u"exactTranslationCheck"_s}
        << u"Lenient little-endian handling is on: the header checks of little-endian strings are skipped.\n…\n"
           u"Not translated: The input is not a well-formed action file (at offset 0: expected version 16, found "
           u"1281456485), so it cannot be translated by its structure; translate it without exact translation, by "
           u"the byte scan. Nothing was written.\nDone.\n"_s
        << u"outcome_failed"_s << QString();
    QTest::newRow("no enabled rule")
        << QStringList{u"in.atn"_s, u"none.rul"_s, u"out.atn"_s} << QStringList()
        << u"Not translated: The rule file has no enabled rules. Nothing was written.\n"_s << u"outcome_failed"_s
        << u"Your RUL file is empty or has no enabled rules.\nPlease set up some rules and enable [x] them."_s;
    QTest::newRow("no backup possible")
        << QStringList{u"folder.atn"_s, u"de.rul"_s, u"folder.atn"_s} << QStringList()
        << u"Not translated: No backup of the input file could be made: cannot back up \"DIR/folder.atn\": it is a "
           u"folder. Nothing was written.\n"_s
        << u"outcome_failed"_s
        << u"The input file was not translated, because no backup of it could be made:\ncannot back up "
           u"\"DIR/folder.atn\": it is a folder"_s;
}

void TestViewController::transcript()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, checked);
    QFETCH(QString, console);
    QFETCH(QString, image);
    QFETCH(QString, warning);
    const QString dir = QString::fromStdString(m_dir->path());
    for (int field : {Atn, Rule, AtnCopy})
        setField(field, files[field].toStdString());
    for (const QString &box : checked)
        QTest::mouseClick(m_controller->findChild<QCheckBox *>(box), Qt::LeftButton);

    m_controller->startTranslation();

    const QString shown = m_controller->consoleText();
    console.replace(u"DIR"_s, dir);
    const qsizetype gap = console.indexOf(u"…\n"_s);
    if (gap >= 0)
        QVERIFY2(shown.startsWith(console.left(gap)) && shown.endsWith(console.mid(gap + 1)), qPrintable(shown));
    else
        QCOMPARE(shown, console);
    // The outcome line stands out, beside its image.
    QStringList lines = console.split(u'\n', Qt::SkipEmptyParts);
    lines.removeAll(u"Done."_s);
    QCOMPARE(m_controller->findChild<QLabel *>(u"outcomeLabel"_s)->text(), lines.constLast());
    QCOMPARE(m_controller->findChild<ImageView *>(u"outcomeImageView"_s)->imageName(), image);
    QCOMPARE(m_desktop->sheets.size(), warning.isEmpty() ? 0 : 1);
    if (!warning.isEmpty())
        QCOMPARE(m_desktop->sheets.at(0).informativeText, warning.replace(u"DIR"_s, dir));
}

// The folder has old.atn and other.atn. The output is chosen in Save As, or
// typed (after it), or both.
void TestViewController::overwriteQuestion_data()
{
    QTest::addColumn<QString>("savedAs");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("answer"); // to the question: 0 Replace, 1 Cancel; -1: none asked
    QTest::addColumn<bool>("written");

    QTest::newRow("typed, cancelled") << QString() << u"old.atn"_s << 1 << false;
    QTest::newRow("chosen in Save As") << u"old.atn"_s << QString() << -1 << true;
    // The panel asked about "old", if at all; Save As asks about "old.atn".
    QTest::newRow("chosen in Save As without the ending") << u"old"_s << QString() << 0 << true;
    QTest::newRow("chosen in Save As without the ending, cancelled") << u"old"_s << QString() << 1 << false;
    QTest::newRow("another typed after Save As") << u"old.atn"_s << u"other.atn"_s << 0 << true;
    // Not asked about, as the run keeps it as a backup (which the command line's
    // tests check).
    QTest::newRow("the input, kept as a backup") << QString() << u"in.atn"_s << -1 << true;
}

void TestViewController::overwriteQuestion()
{
    QFETCH(QString, savedAs);
    QFETCH(QString, typed);
    QFETCH(int, answer);
    QFETCH(bool, written);
    setField(Atn, "in.atn");
    setField(Rule, "de.rul");
    writeText(m_dir->file("old.atn"), "old");
    writeText(m_dir->file("other.atn"), "old");
    if (answer >= 0)
        m_desktop->answerNextAlert(answer);
    if (!savedAs.isEmpty()) {
        m_desktop->answerNextPanel(inDir(savedAs));
        m_controller->saveAtnFile();
    }
    if (!typed.isEmpty())
        setField(AtnCopy, typed.toStdString());
    const std::string path = m_dir->file(typed.isEmpty() ? "old.atn" : typed.toStdString());

    QTest::mouseClick(button("startTranslationButton"), Qt::LeftButton);

    QCOMPARE(m_desktop->questions.size(), answer >= 0 ? 1 : 0);
    if (answer >= 0)
        QCOMPARE(m_desktop->questions.at(0).buttons, (QStringList{u"Replace"_s, u"Cancel"_s}));
    QCOMPARE(readText(path) == "old", !written);
    // Cancelled: nothing happens, not even to the console.
    if (!written)
        QCOMPARE(m_controller->consoleText(), u"from an earlier run\n"_s);
}

void TestViewController::severalFilesGoToTheChosenFolder()
{
    // Without an enabled rule: the warning, and no panel (cleanup counts those
    // that ran unanswered).
    setField(Rule, "none.rul");
    BatchTranslation(*m_controller).chooseAndTranslate();
    QCOMPARE(m_desktop->sheets.size(), 1);

    setField(Rule, "de.rul");
    writeBytes(m_dir->file("two.atn"), layerSet());
    std::filesystem::create_directory(m_dir->file("de"));
    const QString in = QString::fromStdString(m_dir->file("in.atn")), two = QString::fromStdString(m_dir->file("two.atn"));
    m_desktop->answerNextPanelWithFiles({in, two});
    m_desktop->answerNextPanel(QString::fromStdString(m_dir->file("de")));

    BatchTranslation(*m_controller).chooseAndTranslate();

    QCOMPARE(TempDir::entriesOf(m_dir->file("de")), (std::vector<std::string>{"in.atn", "two.atn"}));
    const QString console = m_controller->consoleText();
    // Emptied before the first line; the command line's transcripts check the rest.
    QVERIFY2(console.startsWith(u"File 1 of 2: %1\nOpening input file: "_s.arg(in)), qPrintable(console));
    QCOMPARE(m_desktop->sheets.size(), 1);
    // The outcome line follows the console: the batch's, not an earlier Start's.
    QCOMPARE(m_controller->findChild<QLabel *>(u"outcomeLabel"_s)->text(), u"Translated 2 of 2 files."_s);
}

QTEST_MAIN(TestViewController)
#include "tst_viewcontroller.moc"
