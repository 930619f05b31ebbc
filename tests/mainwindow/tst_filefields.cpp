// The three file fields of the main window: whatever puts a path into a field
// (typing, pasting, a panel, a drop) decides Start and is the path Start
// uses; the status images, Reset, files named at start. Also the drop fields
// on their own and the console.
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include "atnbuilder.h"
#include "dragdrop.h"
#include "guisupport/imageview.h"
#include "mainwindow/atndropview.h"
#include "mainwindow/dropview.h"
#include "mainwindow/ruledropview.h"
#include "mainwindow/viewcontroller.h"
#include "resources/bundle.h"
#include "scripteddesktop.h"
#include "stdoutcapture.h"
#include "tempdir.h"

using namespace Qt::Literals::StringLiterals;

namespace {

enum Field { Atn, Rule, AtnCopy };
enum class Input { Typed, Backspace, Pasted, Panel, Cancelled, Dropped };

struct FieldInfo {
    const char *textField;
    const char *imageView;
    QString imageStem;
    QString path; // what the field holds before each row: a file in the test's folder
    void (ViewController::*panelAction)();
};

const FieldInfo kFields[] = {
    {"atnTextField", "atnImageView", u"atn"_s, u"in.atn"_s, &ViewController::selectAtnFile},
    {"rulTextField", "rulImageView", u"rule"_s, u"de.rul"_s, &ViewController::selectRuleFile},
    {"atncopyTextField", "atncopyImageView", u"atncopy"_s, u"out.atn"_s, &ViewController::saveAtnFile},
};

} // namespace

class TestFileFields : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { bundle::installTranslations(QLocale(QLocale::English)); }
    void init();
    void cleanup();

    void fieldInput_data();
    void fieldInput();
    void resetEmptiesEverything();
    void drag_data();
    void drag();
    void filesNamedAtStart_data();
    void filesNamedAtStart();
    void appendCopyClear_data();
    void appendCopyClear();

private:
    QLineEdit *text(int field) const
    {
        return m_controller->findChild<QLineEdit *>(QLatin1StringView(kFields[field].textField));
    }
    QString image(int field) const
    {
        return m_controller->findChild<ImageView *>(QLatin1StringView(kFields[field].imageView))->imageName();
    }
    bool startEnabled() const { return m_controller->findChild<QPushButton *>(u"startTranslationButton"_s)->isEnabled(); }
    QString inDir(const QString &name) const
    {
        return name.isEmpty() ? name : QString::fromStdString(m_dir->path()) + u'/' + name;
    }

    std::unique_ptr<TempDir> m_dir;
    std::unique_ptr<ScriptedDesktop> m_desktop;
    std::unique_ptr<ViewController> m_controller;
};

void TestFileFields::init()
{
    m_dir = std::make_unique<TempDir>();
    m_desktop = std::make_unique<ScriptedDesktop>();
    m_controller = std::make_unique<ViewController>();
    m_controller->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_controller.get()));
}

void TestFileFields::cleanup()
{
    QCOMPARE(m_desktop->unansweredPanels, 0);
    m_controller.reset();
    m_desktop.reset();
    m_dir.reset();
}

// The fields hold in.atn, de.rul and out.atn of the test's folder; then one
// field gets a new text. Names are in that folder, which also has IN.ATN and
// DE.RUL, and nothing else.
void TestFileFields::fieldInput_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<Input>("input");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("start");
    QTest::addColumn<bool>("loaded");
    // When Start is enabled: whether it writes the output the field names.
    QTest::addColumn<bool>("writes");
    QTest::addColumn<QString>("path"); // what the field holds afterwards, when not `name`

    QTest::newRow("typed input") << int(Atn) << Input::Typed << u"IN.ATN"_s << true << true << true << QString();
    QTest::newRow("typed, no ending") << int(Atn) << Input::Typed << u"in"_s << false << false << false << QString();
    QTest::newRow("one character erased") << int(Atn) << Input::Backspace << u"in.at"_s << false << false << false << QString();
    QTest::newRow("typed rules, missing file") << int(Rule) << Input::Typed << u"fr.rul"_s << true << false << false << QString();
    QTest::newRow("output emptied") << int(AtnCopy) << Input::Typed << QString() << false << false << false << QString();
    QTest::newRow("pasted rules") << int(Rule) << Input::Pasted << u"DE.RUL"_s << true << true << true << QString();
    QTest::newRow("pasted, other ending") << int(Rule) << Input::Pasted << u"de.txt"_s << false << false << false << QString();
    QTest::newRow("input panel") << int(Atn) << Input::Panel << u"IN.ATN"_s << true << true << true << QString();
    QTest::newRow("save panel, no ending") << int(AtnCopy) << Input::Panel << u"new"_s << true << true << true << u"new.atn"_s;
    QTest::newRow("save panel, capitals") << int(AtnCopy) << Input::Panel << u"NEW.ATN"_s << true << true << true << QString();
    QTest::newRow("save panel, other ending") << int(AtnCopy) << Input::Panel << u"new.txt"_s << false << true << false << QString();
    QTest::newRow("save panel, no folder") << int(AtnCopy) << Input::Panel << u"gone/new.atn"_s << true << false << false << QString();
    QTest::newRow("panel cancelled") << int(Rule) << Input::Cancelled << u"de.rul"_s << true << true << true << QString();
    QTest::newRow("dropped output") << int(AtnCopy) << Input::Dropped << u"new.atn"_s << true << true << true << QString();
    QTest::newRow("dropped, capitals refused") << int(Atn) << Input::Dropped << u"IN.ATN"_s << true << true << true << u"in.atn"_s;
}

void TestFileFields::fieldInput()
{
    QFETCH(int, field);
    QFETCH(Input, input);
    QFETCH(QString, name);
    QFETCH(bool, start);
    QFETCH(bool, loaded);
    QFETCH(bool, writes);
    QFETCH(QString, path);
    writeBytes(m_dir->file("in.atn"), atnbuild::actionFile("Set", {atnbuild::action("Layer 1", {})}));
    writeBytes(m_dir->file("IN.ATN"), atnbuild::actionFile("Set", {atnbuild::action("Layer 2", {})}));
    writeText(m_dir->file("de.rul"), "1;Layer;Ebene;\n");
    writeText(m_dir->file("DE.RUL"), "1;Layer;Ebene;\n");
    for (int f : {Atn, Rule, AtnCopy})
        text(f)->setText(inDir(kFields[f].path));
    QVERIFY(startEnabled());
    QLineEdit *edit = text(field);

    switch (input) {
    case Input::Typed:
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, inDir(name));
        break;
    case Input::Backspace:
        edit->end(false);
        QTest::keyClick(edit, Qt::Key_Backspace);
        break;
    case Input::Pasted:
        QGuiApplication::clipboard()->setText(inDir(name));
        edit->selectAll();
        QTest::keySequence(edit, QKeySequence::Paste);
        break;
    case Input::Panel:
    case Input::Cancelled:
        m_desktop->answerNextPanel(input == Input::Panel ? std::optional(inDir(name)) : std::nullopt);
        (m_controller.get()->*kFields[field].panelAction)();
        break;
    case Input::Dropped: {
        const auto drag = fileDrag({QUrl::fromLocalFile(inDir(name))});
        sendDrag<QDragEnterEvent>(edit, drag.get());
        sendDrag<QDropEvent>(edit, drag.get());
        break;
    }
    }

    const QString expected = inDir(path.isEmpty() ? name : path);
    QCOMPARE(edit->text(), expected);
    QCOMPARE(startEnabled(), start);
    QCOMPARE(m_controller->findChild<QLabel *>(u"fieldProblemLabel"_s)->text().isEmpty(), start);
    QCOMPARE(image(field), kFields[field].imageStem + (loaded ? u"_loaded"_s : u"_notloaded"_s));
    if (!start)
        return;

    // Start uses what the fields show.
    const QString inputPath = text(Atn)->text(), output = text(AtnCopy)->text();
    QTest::mouseClick(m_controller->findChild<QPushButton *>(u"startTranslationButton"_s), Qt::LeftButton);
    QCOMPARE(QFileInfo::exists(output), writes);
    if (writes)
        QVERIFY(m_controller->consoleText().startsWith(u"Opening input file: "_s + inputPath + u'\n'));
}

void TestFileFields::resetEmptiesEverything()
{
    m_controller->printout(u"from an earlier run\n"_s);
    for (int field : {Atn, Rule, AtnCopy})
        text(field)->setText(inDir(kFields[field].path));
    QVERIFY(startEnabled());

    QTest::mouseClick(m_controller->findChild<QPushButton *>(u"resetFilesButton"_s), Qt::LeftButton);
    for (int field : {Atn, Rule, AtnCopy}) {
        QVERIFY(text(field)->text().isEmpty());
        QCOMPARE(image(field), kFields[field].imageStem + u"_notloaded"_s);
    }
    QVERIFY(!startEnabled());
    QVERIFY(m_controller->consoleText().isEmpty());
}

void TestFileFields::drag_data()
{
    QTest::addColumn<bool>("ruleField");
    QTest::addColumn<QList<QUrl>>("urls");
    QTest::addColumn<bool>("accepted");

    const auto file = [](const char *path) { return QUrl::fromLocalFile(QString::fromUtf8(path)); };
    QTest::newRow("ATN file on an ATN field") << false << QList{file("/w/Actions.atn")} << true;
    QTest::newRow("RUL file on an ATN field") << false << QList{file("/w/de.rul")} << false;
    QTest::newRow("RUL file on the RUL field") << true << QList{file("/w/de.rul")} << true;
    QTest::newRow("dot in the folder only") << false << QList{file("/w/sets.atn/Actions")} << false;
    QTest::newRow("backup name") << false << QList{file("/w/Actions.atn.bak")} << false;
    QTest::newRow("non-Latin name") << false << QList{file("/w/Действия.atn")} << true;
    QTest::newRow("several, the first fits") << true << QList{file("/w/a.rul"), file("/w/b.txt")} << true;
    QTest::newRow("several, the first does not") << false << QList{file("/w/b.txt"), file("/w/a.atn")} << false;
    QTest::newRow("web address only") << false << QList{QUrl(u"https://example.org/a.atn"_s)} << false;
    QTest::newRow("text only") << false << QList<QUrl>{} << false;
}

void TestFileFields::drag()
{
    QFETCH(bool, ruleField);
    QFETCH(QList<QUrl>, urls);
    QFETCH(bool, accepted);
    std::unique_ptr<DropView> view;
    if (ruleField)
        view = std::make_unique<RuleDropView>();
    else
        view = std::make_unique<AtnDropView>();
    view->setText(u"typed"_s);
    QCOMPARE(view->layerColor(), QColor(Qt::gray));
    // A file drag usually carries a path as text too, which a line edit would
    // take on its own.
    const auto drag = fileDrag(urls);
    drag->setText(ruleField ? u"/w/a.rul"_s : u"/w/a.atn"_s);

    QCOMPARE(sendDrag<QDragEnterEvent>(view.get(), drag.get()), accepted);
    QCOMPARE(sendDrag<QDragMoveEvent>(view.get(), drag.get()), accepted);
    QCOMPARE(view->layerColor(), accepted ? QColor(Qt::blue) : QColor(Qt::gray));
    sendDragLeave(view.get());
    QCOMPARE(view->layerColor(), QColor(Qt::gray));

    StdoutCapture out;
    sendDrag<QDragEnterEvent>(view.get(), drag.get());
    QCOMPARE(sendDrag<QDropEvent>(view.get(), drag.get()), accepted);
    QCOMPARE(view->layerColor(), QColor(Qt::gray));
    QCOMPARE(view->text(), u"typed"_s);
    const QString path = urls.value(0).toLocalFile();
    QCOMPARE(view->filePath(), accepted ? std::optional(path) : std::nullopt);
    QCOMPARE(out.text(), accepted ? "filePath: " + path.toUtf8() + "\n" : QByteArray());
}

// As the desktop entry passes them: by ending, in order, the last of a kind wins.
void TestFileFields::filesNamedAtStart_data()
{
    QTest::addColumn<QStringList>("paths");
    QTest::addColumn<QString>("atn");
    QTest::addColumn<QString>("rul");
    QTest::addColumn<QStringList>("leftOut");
    QTest::newRow("rules, then input") << QStringList{u"/w/de.rul"_s, u"/w/in.atn"_s} << u"/w/in.atn"_s << u"/w/de.rul"_s
                                       << QStringList{};
    QTest::newRow("two inputs") << QStringList{u"/w/a.atn"_s, u"/w/b.atn"_s} << u"/w/b.atn"_s << QString() << QStringList{};
    QTest::newRow("other endings")
        << QStringList{u"/w/notes.txt"_s, u"/w/IN.ATN"_s, u"/w/in.atn.bak"_s, u"/w/sets.rul/x"_s, u"/w/in.atn"_s}
        << u"/w/in.atn"_s << QString()
        << QStringList{u"/w/notes.txt"_s, u"/w/IN.ATN"_s, u"/w/in.atn.bak"_s, u"/w/sets.rul/x"_s};
}

void TestFileFields::filesNamedAtStart()
{
    QFETCH(QStringList, paths);
    QFETCH(QString, atn);
    QFETCH(QString, rul);
    QFETCH(QStringList, leftOut);
    for (const QString &path : leftOut)
        QTest::ignoreMessage(QtWarningMsg, qPrintable(u"Not an .atn or .rul file, left out: "_s + path));
    QTest::failOnWarning(QRegularExpression(u".*"_s));

    m_controller->openFiles(paths);
    QCOMPARE(m_controller->atnFilePath(), atn);
    QCOMPARE(m_controller->rulFilePath(), rul);
    QVERIFY(m_controller->atncopyFilePath().isEmpty());
    QVERIFY(!startEnabled());
}

void TestFileFields::appendCopyClear_data()
{
    QTest::addColumn<QStringList>("pieces");
    QTest::addColumn<QString>("text");
    QTest::newRow("nothing") << QStringList{} << QString();
    QTest::newRow("pieces on one line, empty piece") << QStringList{u"a"_s, QString(), u"b"_s} << u"ab"_s;
    QTest::newRow("line breaks, blank lines") << QStringList{u"\n\na\n"_s, u"b\n"_s} << u"\n\na\nb\n"_s;
    QTest::newRow("non-Latin, astral, no-break space")
        << QStringList{u"„Ebene“ Слой 😀\n"_s, u"1\u00a0234"_s} << u"„Ebene“ Слой 😀\n1\u00a0234"_s;
}

void TestFileFields::appendCopyClear()
{
    QFETCH(QStringList, pieces);
    QFETCH(QString, text);
    const auto click = [this](const char *button) {
        QTest::mouseClick(m_controller->findChild<QPushButton *>(QLatin1StringView(button)), Qt::LeftButton);
    };
    QVERIFY(m_controller->findChild<QPlainTextEdit *>(u"consoleViewText"_s)->isReadOnly());
    for (const QString &piece : pieces)
        m_controller->printout(piece);
    QCOMPARE(m_controller->consoleText(), text);

    // Copy replaces whatever the clipboard held with the plain text.
    auto *old = new QMimeData;
    old->setHtml(u"<b>old</b>"_s);
    QGuiApplication::clipboard()->setMimeData(old);
    click("copyOutputButton");
    QCOMPARE(QGuiApplication::clipboard()->mimeData()->text(), text);
    QVERIFY(!QGuiApplication::clipboard()->mimeData()->hasHtml());

    click("clearOutputButton");
    QVERIFY(m_controller->consoleText().isEmpty());
}

QTEST_MAIN(TestFileFields)
#include "tst_filefields.moc"
