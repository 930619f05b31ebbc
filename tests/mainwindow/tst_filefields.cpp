// The three file fields of the main window: stored paths, field texts, status
// images and Start, through panels, typing, drops, files named at start and
// Reset. Also the drop fields on their own and the console.
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include "dragdrop.h"
#include "guisupport/imageview.h"
#include "mainwindow/atndropview.h"
#include "mainwindow/dropview.h"
#include "mainwindow/ruledropview.h"
#include "mainwindow/viewcontroller.h"
#include "resources/bundle.h"
#include "scripteddesktop.h"
#include "stdoutcapture.h"

using namespace Qt::Literals::StringLiterals;

namespace {

enum Field { Atn, Rule, AtnCopy };

struct FieldInfo {
    const char *textField;
    const char *imageView;
    QString loaded;
    QString notLoaded;
    const QString &(ViewController::*storedPath)() const;
    void (ViewController::*panelAction)();
};

const FieldInfo kFields[] = {
    {"atnTextField", "atnImageView", u"atn_loaded"_s, u"atn_notloaded"_s, &ViewController::atnFilePath,
     &ViewController::selectAtnFile},
    {"rulTextField", "rulImageView", u"rule_loaded"_s, u"rule_notloaded"_s, &ViewController::rulFilePath,
     &ViewController::selectRuleFile},
    {"atncopyTextField", "atncopyImageView", u"atncopy_loaded"_s, u"atncopy_notloaded"_s,
     &ViewController::atncopyFilePath, &ViewController::saveAtnFile},
};

} // namespace

class TestFileFields : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { bundle::installTranslations(QLocale(QLocale::English)); }
    void init();
    void cleanup();

    void panelsFillTheFieldsAndResetEmptiesThem();
    void laterChoice_data();
    void laterChoice();
    void typingChecksEveryChangeAndStoresNothing();
    void drag_data();
    void drag();
    void filesNamedAtStart_data();
    void filesNamedAtStart();
    void appendCopyClear_data();
    void appendCopyClear();

private:
    QLineEdit *text(int field) const { return m_controller->findChild<QLineEdit *>(QLatin1StringView(kFields[field].textField)); }
    QString image(int field) const
    {
        return m_controller->findChild<ImageView *>(QLatin1StringView(kFields[field].imageView))->imageName();
    }
    QString stored(int field) const { return (m_controller.get()->*kFields[field].storedPath)(); }
    bool startEnabled() const { return m_controller->findChild<QPushButton *>(u"startTranslationButton"_s)->isEnabled(); }
    void choose(int field, const std::optional<QString> &answer)
    {
        m_desktop->answerNextPanel(answer);
        (m_controller.get()->*kFields[field].panelAction)();
    }

    std::unique_ptr<ScriptedDesktop> m_desktop;
    std::unique_ptr<ViewController> m_controller;
};

void TestFileFields::init()
{
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
}

void TestFileFields::panelsFillTheFieldsAndResetEmptiesThem()
{
    QVERIFY(!startEnabled());
    for (int field : {Atn, Rule, AtnCopy})
        QCOMPARE(image(field), kFields[field].notLoaded);
    choose(Atn, u"/work/in.atn"_s);
    choose(Rule, u"/work/de.rul"_s);
    QVERIFY(!startEnabled());
    text(AtnCopy)->setText(u"proposed.atn"_s);
    choose(AtnCopy, u"/work/out.atn"_s);
    QVERIFY(startEnabled());

    const QString paths[] = {u"/work/in.atn"_s, u"/work/de.rul"_s, u"/work/out.atn"_s};
    for (int field : {Atn, Rule, AtnCopy}) {
        QCOMPARE(stored(field), paths[field]);
        QCOMPARE(text(field)->text(), paths[field]);
        QCOMPARE(image(field), kFields[field].loaded);
    }
    QCOMPARE(m_desktop->openPanels,
             (QList<OpenPanel>{{.title = u"Select a ATN file"_s, .allowedFileTypes = {u"atn"_s}},
                               {.title = u"Select a RUL file"_s, .allowedFileTypes = {u"rul"_s}}}));
    QCOMPARE(m_desktop->savePanels,
             (QList<SavePanel>{{.title = u"Save to ATN file"_s, .nameFieldStringValue = u"proposed.atn"_s}}));

    // Reset forgets the files but leaves Start as it was, until the next check.
    QTest::mouseClick(m_controller->findChild<QPushButton *>(u"resetFilesButton"_s), Qt::LeftButton);
    for (int field : {Atn, Rule, AtnCopy}) {
        QVERIFY(stored(field).isEmpty());
        QVERIFY(text(field)->text().isEmpty());
        QCOMPARE(image(field), kFields[field].notLoaded);
    }
    QVERIFY(startEnabled());
    QTest::keyClicks(text(Atn), u"a"_s);
    QVERIFY(!startEnabled());
}

// With all three files chosen and "typed.txt" in the field, a second choice:
// cancelled, with an ending the check refuses, or dropped.
void TestFileFields::laterChoice_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<bool>("drop");
    QTest::addColumn<std::optional<QString>>("path");
    QTest::addColumn<QString>("shown");
    for (int field : {Atn, Rule, AtnCopy}) {
        QTest::addRow("%s cancelled", kFields[field].textField) << field << false << std::optional<QString>() << u"typed.txt"_s;
        const QString dropped = field == Rule ? u"/work/dropped x.rul"_s : u"/work/dropped x.atn"_s;
        QTest::addRow("%s dropped", kFields[field].textField) << field << true << std::optional(dropped) << dropped;
    }
    QTest::newRow("output without .atn") << int(AtnCopy) << false << std::optional(u"/work/out.bin"_s) << QString();
    QTest::newRow("input in capitals") << int(Atn) << false << std::optional(u"/work/IN.ATN"_s) << QString();
}

void TestFileFields::laterChoice()
{
    QFETCH(int, field);
    QFETCH(bool, drop);
    QFETCH(std::optional<QString>, path);
    QFETCH(QString, shown);
    choose(Atn, u"/work/in.atn"_s);
    choose(Rule, u"/work/de.rul"_s);
    choose(AtnCopy, u"/work/out.atn"_s);
    const QString before = stored(field);
    text(field)->setText(u"typed.txt"_s);

    StdoutCapture out;
    if (drop) {
        auto *dropField = qobject_cast<DropView *>(text(field));
        const auto drag = fileDrag({QUrl::fromLocalFile(*path)});
        QVERIFY(sendDrag<QDragEnterEvent>(dropField, drag.get()));
        QVERIFY(sendDrag<QDropEvent>(dropField, drag.get()));
        QCOMPARE(dropField->filePath(), path);
    } else {
        choose(field, path);
    }

    QCOMPARE(out.text(), drop ? "filePath: " + path->toUtf8() + "\n" : QByteArray());
    QCOMPARE(stored(field), path.value_or(before));
    QCOMPARE(text(field)->text(), shown);
    QCOMPARE(image(field), kFields[field].loaded);
    QVERIFY(startEnabled()); // the check read the text before emptying it
}

void TestFileFields::typingChecksEveryChangeAndStoresNothing()
{
    // Letter by letter, every change but the last leaves a text without the
    // ending, so the field never keeps a typed name.
    QTest::keyClicks(text(Rule), u"de.rul"_s);
    QVERIFY(text(Rule)->text().isEmpty());

    // Pasted in one change, whole names stay.
    const QString names[] = {u"/work/in.atn"_s, u"/work/de.rul"_s, u"/work/out.atn"_s};
    for (int field : {Atn, Rule, AtnCopy}) {
        QGuiApplication::clipboard()->setText(names[field]);
        QTest::keySequence(text(field), QKeySequence::Paste);
        QCOMPARE(text(field)->text(), names[field]);
        QVERIFY(stored(field).isEmpty());
        QCOMPARE(image(field), kFields[field].notLoaded);
    }
    QVERIFY(startEnabled());

    text(Atn)->selectAll();
    QTest::keyClick(text(Atn), Qt::Key_Backspace);
    QVERIFY(!startEnabled());
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
    QTest::newRow("capitals") << false << QList{file("/w/ACTIONS.ATN")} << false;
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
    const QString expected[] = {atn, rul};
    for (int field : {Atn, Rule}) {
        QCOMPARE(stored(field), expected[field]);
        QCOMPARE(text(field)->text(), expected[field]);
        QCOMPARE(image(field), expected[field].isEmpty() ? kFields[field].notLoaded : kFields[field].loaded);
    }
    QVERIFY(stored(AtnCopy).isEmpty());
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
