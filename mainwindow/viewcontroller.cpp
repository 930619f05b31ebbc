#include "viewcontroller.h"

#include "ui_viewcontroller.h"

#include <QApplication>
#include <QClipboard>
#include <QDebug>
#include <QFontDatabase>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include <cstdio>

#include "engine/backup.h"
#include "engine/console.h"
#include "engine/process.h"
#include "guisupport/desktop.h"
#include "guisupport/storyboard.h"
#include "guisupport/windowcontroller.h"
#include "localizedstringtable.h"
#include "mainstoryboard.h"
#include "resources/bundle.h"
#include "ruleeditor/ruleeditorviewcontroller.h"
#include "rules/rulefile.h"
#include "stringsview/stringsviewcontroller.h"
#include "translation/driver.h"

using namespace Qt::Literals::StringLiterals;

namespace {

class ConsoleBridge final : public engine::Console {
public:
    enum class Clearing { Never, BeforeFirstLine };
    explicit ConsoleBridge(ViewController &controller, Clearing clearing = Clearing::Never)
        : m_controller(controller)
        , m_clearing(clearing)
    {
    }
    void printout(std::string_view text) override
    {
        if (m_clearing == Clearing::BeforeFirstLine) {
            m_controller.clearConsole();
            m_clearing = Clearing::Never;
        }
        m_controller.printout(QString::fromUtf8(text.data(), qsizetype(text.size())));
    }

private:
    ViewController &m_controller;
    Clearing m_clearing;
};

std::vector<std::string> toStdStrings(const QStringList &texts)
{
    std::vector<std::string> out;
    out.reserve(std::size_t(texts.size()));
    for (const QString &text : texts)
        out.push_back(text.toStdString());
    return out;
}

void printToStandardOutput(const std::string &line)
{
    std::fputs(line.c_str(), stdout);
    std::fflush(stdout);
}

class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    Q_DISABLE_COPY_MOVE(WaitCursor)
};

} // namespace

ViewController::ViewController(QWidget *parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::ViewController>())
    , m_storyboard(makeMainStoryboard(*this))
{
    m_ui->setupUi(this);
    m_ui->consoleViewText->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

    connect(m_ui->selectAtnFileButton, &QPushButton::clicked, this, &ViewController::selectAtnFile);
    connect(m_ui->selectRulFileButton, &QPushButton::clicked, this, &ViewController::selectRuleFile);
    connect(m_ui->saveRuleButton, &QPushButton::clicked, this, &ViewController::saveAtnFile);
    connect(m_ui->editRuleButton, &QPushButton::clicked, this, &ViewController::editRuleFile);
    connect(m_ui->showStringsButton, &QPushButton::clicked, this, &ViewController::showStringsWindow);
    connect(m_ui->resetFilesButton, &QPushButton::clicked, this, &ViewController::resetFiles);
    connect(m_ui->useLittleEndianCheck, &QCheckBox::clicked, this, &ViewController::toggleLittleEndian);
    connect(m_ui->useLittleEndianCheck, &QCheckBox::toggled, this, &ViewController::refreshStringsWindow);
    connect(m_ui->startTranslationButton, &QPushButton::clicked, this, &ViewController::startTranslation);
    connect(m_ui->clearOutputButton, &QPushButton::clicked, this, &ViewController::clearOutput);
    connect(m_ui->copyOutputButton, &QPushButton::clicked, this, &ViewController::copyOutput);
    connect(m_ui->helpButton, &QPushButton::clicked, this, &ViewController::showHelp);
    connect(m_ui->exitButton, &QPushButton::clicked, this, &ViewController::exitApp);

    // textEdited, not textChanged: only the user's edits run the check, so
    // Reset, the rule path hand-back and the check itself leave Start alone.
    const std::pair<DropView *, FileKind> fields[] = {
        {m_ui->atnTextField, FileKind::Atn},
        {m_ui->rulTextField, FileKind::Rule},
        {m_ui->atncopyTextField, FileKind::AtnCopy},
    };
    for (const auto &[field, kind] : fields) {
        connect(field, &QLineEdit::textEdited, this, &ViewController::controlTextDidChange);
        connect(field, &DropView::fileDropped, this, [this, kind = kind](const QString &path) { takeFile(kind, path); });
    }

    viewDidLoad();
}

ViewController::~ViewController() = default;

void ViewController::viewDidLoad()
{
    setStartEnabled(false);
}

void ViewController::setStartEnabled(bool enabled)
{
    m_ui->startTranslationButton->setEnabled(enabled);
    emit startEnabledChanged(enabled);
}

std::array<ViewController::FileSlot, 3> ViewController::fileSlots()
{
    // In the order of FileKind.
    return {FileSlot{&m_atnFilePath, m_ui->atnTextField, m_ui->atnImageView, u"atn"_s},
            FileSlot{&m_rulFilePath, m_ui->rulTextField, m_ui->rulImageView, u"rule"_s},
            FileSlot{&m_atncopyFilePath, m_ui->atncopyTextField, m_ui->atncopyImageView, u"atncopy"_s}};
}

void ViewController::takeFile(FileKind kind, const QString &path)
{
    const FileSlot slot = fileSlots()[std::size_t(kind)];
    *slot.path = path;
    slot.field->setText(path);
    slot.image->setImageNamed(slot.imageStem + u"_loaded"_s);
    checkTextFields();
    if (kind != FileKind::AtnCopy)
        refreshStringsWindow();
}

void ViewController::selectAtnFile()
{
    const OpenPanel panel{.title = tr("Select a ATN file"), .allowedFileTypes = {u"atn"_s}};
    if (const auto path = Desktop::current().runOpenPanel(panel, window()))
        takeFile(FileKind::Atn, *path);
}

void ViewController::selectRuleFile()
{
    const OpenPanel panel{.title = tr("Select a RUL file"), .allowedFileTypes = {u"rul"_s}};
    if (const auto path = Desktop::current().runOpenPanel(panel, window()))
        takeFile(FileKind::Rule, *path);
}

void ViewController::saveAtnFile()
{
    const SavePanel panel{.title = tr("Save to ATN file"), .nameFieldStringValue = m_ui->atncopyTextField->text()};
    if (const auto path = Desktop::current().runSavePanel(panel, window()))
        takeFile(FileKind::AtnCopy, *path);
}

void ViewController::openFiles(const QStringList &paths)
{
    // The endings as the field check and the drop fields take them: exact case.
    for (const QString &path : paths) {
        if (path.endsWith(u".atn"))
            takeFile(FileKind::Atn, path);
        else if (path.endsWith(u".rul"))
            takeFile(FileKind::Rule, path);
        else
            qWarning().noquote() << "Not an .atn or .rul file, left out:" << path;
    }
}

void ViewController::resetFiles()
{
    for (const FileSlot &slot : fileSlots()) {
        slot.path->clear();
        slot.field->clear();
        slot.image->setImageNamed(slot.imageStem + u"_notloaded"_s);
    }
    refreshStringsWindow();
}

// The check box is read when Start is pressed; toggling it changes nothing else.
void ViewController::toggleLittleEndian() {}

void ViewController::setRuleFieldAndPath(const QString &path)
{
    m_rulFilePath = path;
    m_ui->rulTextField->setText(path);
    refreshStringsWindow();
}

void ViewController::controlTextDidChange()
{
    checkTextFields();
}

void ViewController::checkTextFields()
{
    const auto check = [](QLineEdit *field, QStringView suffix) {
        const QString text = field->text();
        if (!text.isEmpty() && !text.endsWith(suffix, Qt::CaseSensitive))
            field->clear();
        return !text.isEmpty();
    };
    const bool atn = check(m_ui->atnTextField, u".atn");
    const bool rul = check(m_ui->rulTextField, u".rul");
    const bool atncopy = check(m_ui->atncopyTextField, u".atn");
    // A field emptied just now still counts as filled: the texts as read decide.
    setStartEnabled(atn && rul && atncopy);
}

void ViewController::startTranslation()
{
    const translation::Request request{.input = m_atnFilePath.toStdString(),
                                       .output = m_atncopyFilePath.toStdString(),
                                       .ruleFile = m_rulFilePath.toStdString(),
                                       .pairs = {},
                                       .lenient = isLenient()};
    // A refused run leaves the console as it was.
    ConsoleBridge console(*this, ConsoleBridge::Clearing::BeforeFirstLine);
    translation::Outcome outcome;
    {
        const WaitCursor busy;
        outcome = translation::run(request, console, LocalizedStringTable());
    }
    switch (outcome.refusal) {
    case translation::Outcome::Refusal::NoPairs:
        //: shows warn message
        showWarningInKeyWindow(bundle::localizedString(QT_TRANSLATE_NOOP(
            "Localizable",
            "Your RUL-file is empty or has no enabled items inside!\nPlease setup some Rules and enable [x] these!")));
        return;
    case translation::Outcome::Refusal::BackupFailed: {
        printToStandardOutput(engine::backupFailureLine(outcome.backup));
        //: Warning shown instead of a translation; %@ is the reason
        const QString format = bundle::localizedString(QT_TRANSLATE_NOOP("Localizable", "NoBackup %@"));
        showWarningInKeyWindow(
            QString::fromStdString(engine::formatText(format.toStdString(), {outcome.backup.error})));
        return;
    }
    case translation::Outcome::Refusal::MalformedParameters:
    case translation::Outcome::Refusal::None:
        break;
    }
    // The output may have replaced the input.
    refreshStringsWindow();
}

bool ViewController::isLenient() const
{
    return m_ui->useLittleEndianCheck->isChecked();
}

QStringList ViewController::processRuleFile(const QString &pathname) const
{
    QStringList texts;
    for (const std::string &text : rules::processRuleFile(pathname.toStdString()))
        texts << QString::fromStdString(text);
    return texts;
}

void ViewController::processTranslation(const QStringList &parameters)
{
    ConsoleBridge console(*this);
    const LocalizedStringTable strings;
    (void)translation::processTranslation(toStdStrings(parameters), console, strings);
}

std::vector<std::uint8_t> ViewController::process(const std::vector<std::uint8_t> &buffer, const QString &searchString,
                                                  const QString &replacementString,
                                                  bool lenientLittleEndianHandling)
{
    ConsoleBridge console(*this);
    return engine::process(buffer, searchString.toStdString(), replacementString.toStdString(),
                           lenientLittleEndianHandling, console);
}

void ViewController::showWarningInKeyWindow(const QString &message)
{
    QWidget *keyWindow = QApplication::activeWindow();
    if (!keyWindow)
        return;
    Alert alert;
    alert.style = Alert::Style::Warning;
    //: warn message text
    alert.messageText = bundle::localizedString(QT_TRANSLATE_NOOP("Localizable", "Warning"));
    alert.informativeText = message;
    alert.buttons = {u"Ok"_s};
    Desktop::current().beginSheet(alert, keyWindow);
}

void ViewController::printout(const QString &text)
{
    if (text.isEmpty())
        return;
    QTextCursor cursor(m_ui->consoleViewText->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(text, QTextCharFormat());
}

void ViewController::clearConsole()
{
    m_ui->consoleViewText->clear();
}

QString ViewController::consoleText() const
{
    // toPlainText() would turn non-breaking spaces into plain ones.
    QString text = m_ui->consoleViewText->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    return text;
}

void ViewController::clearOutput()
{
    clearConsole();
}

void ViewController::copyOutput()
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(consoleText());
}

WindowController *ViewController::windowFor(std::unique_ptr<WindowController> &window, const QString &identifier)
{
    if (!window)
        window = m_storyboard->instantiateControllerWithIdentifier(identifier);
    return window.get();
}

void ViewController::showWindow(std::unique_ptr<WindowController> &window, const QString &identifier)
{
    if (WindowController *controller = windowFor(window, identifier))
        controller->showWindow();
}

void ViewController::editRuleFile()
{
    showWindow(m_editRuleWindow, u"Rule Editor Window Controller"_s);
}

std::optional<int> ViewController::addRulesInEditor(const QStringList &searchTexts)
{
    WindowController *controller = windowFor(m_editRuleWindow, u"Rule Editor Window Controller"_s);
    auto *editor = controller ? qobject_cast<RuleEditorViewController *>(controller->contentViewController()) : nullptr;
    // The file first, so that Cancel in the editor takes back only the new rules.
    if (!editor || !editor->takeRuleFile(m_rulFilePath))
        return std::nullopt;
    controller->showWindow();
    return editor->addRules(searchTexts);
}

void ViewController::showAtnWindow()
{
    showWindow(m_atnWindow, u"Atn Window Controller"_s);
}

void ViewController::showStringsWindow()
{
    WindowController *controller = windowFor(m_stringsWindow, u"Strings Window Controller"_s);
    if (!controller)
        return;
    if (auto *strings = qobject_cast<StringsViewController *>(controller->contentViewController()))
        strings->setFiles(m_atnFilePath, m_rulFilePath, {translation::Mode::ByteScan, isLenient()});
    controller->showWindow();
}

// A hidden window is brought up to date when it is shown again.
void ViewController::refreshStringsWindow()
{
    if (!m_stringsWindow || !m_stringsWindow->window() || !m_stringsWindow->window()->isVisible())
        return;
    if (auto *strings = qobject_cast<StringsViewController *>(m_stringsWindow->contentViewController()))
        strings->setFiles(m_atnFilePath, m_rulFilePath, {translation::Mode::ByteScan, isLenient()});
}

void ViewController::showHelp()
{
    //: load help file
    const QString name = bundle::localizedString(QT_TRANSLATE_NOOP("Localizable", "help/help"));
    const QString path = bundle::pathForResource(name, u"html"_s);
    if (!path.isEmpty())
        (void)Desktop::current().openFile(path, u"Safari"_s);
}

void ViewController::exitApp()
{
    Desktop::current().terminate();
}
