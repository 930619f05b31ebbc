#include "viewcontroller.h"

#include "ui_viewcontroller.h"

#include <QApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>

#include "consolebridge.h"
#include "engine/backup.h"
#include "engine/process.h"
#include "guisupport/desktop.h"
#include "guisupport/windowcontroller.h"
#include "guisupport/localizedstringtable.h"
#include "resources/bundle.h"
#include "ruleeditor/ruleeditorviewcontroller.h"
#include "rules/rulefile.h"
#include "secondarywindows.h"
#include "translation/consoletexts.h"
#include "translation/driver.h"

using namespace Qt::Literals::StringLiterals;

namespace {

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
    , m_windows(std::make_unique<SecondaryWindows>(*this))
{
    m_ui->setupUi(this);
    m_console = m_ui->consoleViewText;
    m_ui->outcomeBox->hide();

    connect(m_ui->selectAtnFileButton, &QPushButton::clicked, this, &ViewController::selectAtnFile);
    connect(m_ui->selectRulFileButton, &QPushButton::clicked, this, &ViewController::selectRuleFile);
    connect(m_ui->saveRuleButton, &QPushButton::clicked, this, &ViewController::saveAtnFile);
    connect(m_ui->editRuleButton, &QPushButton::clicked, this, &ViewController::editRuleFile);
    connect(m_ui->showStringsButton, &QPushButton::clicked, this, &ViewController::showStringsWindow);
    connect(m_ui->resetFilesButton, &QPushButton::clicked, this, &ViewController::resetFiles);
    connect(m_ui->useLittleEndianCheck, &QCheckBox::clicked, this, &ViewController::toggleLittleEndian);
    // The Stored Strings window translates with the window's options.
    connect(m_ui->useLittleEndianCheck, &QCheckBox::toggled, this, &ViewController::refreshStringsWindow);
    connect(m_ui->exactTranslationCheck, &QCheckBox::toggled, this, &ViewController::refreshStringsWindow);
    connect(m_ui->startTranslationButton, &QPushButton::clicked, this, &ViewController::startTranslation);
    connect(m_ui->clearOutputButton, &QPushButton::clicked, this, &ViewController::clearOutput);
    connect(m_ui->copyOutputButton, &QPushButton::clicked, this, &ViewController::copyOutput);
    connect(m_ui->helpButton, &QPushButton::clicked, this, &ViewController::showHelp);
    connect(m_ui->exitButton, &QPushButton::clicked, this, &ViewController::exitApp);

    for (const FileKind kind : {FileKind::Atn, FileKind::Rule, FileKind::AtnCopy}) {
        DropView *field = fileSlots()[std::size_t(kind)].field;
        connect(field, &QLineEdit::textChanged, this, [this, kind] { controlTextDidChange(kind); });
        connect(field, &DropView::fileDropped, this, [this, kind](const QString &path) { takeFile(kind, path); });
    }

    viewDidLoad();
}

ViewController::~ViewController() = default;

void ViewController::viewDidLoad()
{
    checkTextFields();
}

QString ViewController::atnFilePath() const
{
    return m_ui->atnTextField->text();
}

QString ViewController::rulFilePath() const
{
    return m_ui->rulTextField->text();
}

QString ViewController::atncopyFilePath() const
{
    return m_ui->atncopyTextField->text();
}

bool ViewController::isExactTranslation() const
{
    return m_ui->exactTranslationCheck->isChecked();
}

bool ViewController::isLenient() const
{
    return m_ui->useLittleEndianCheck->isChecked();
}

void ViewController::setStartEnabled(bool enabled)
{
    m_ui->startTranslationButton->setEnabled(enabled);
    emit startEnabledChanged(enabled);
}

std::array<ViewController::FileSlot, 3> ViewController::fileSlots() const
{
    // In the order of FileKind.
    return {FileSlot{m_ui->atnTextField, m_ui->atnImageView, u"atn"_s},
            FileSlot{m_ui->rulTextField, m_ui->rulImageView, u"rule"_s},
            FileSlot{m_ui->atncopyTextField, m_ui->atncopyImageView, u"atncopy"_s}};
}

void ViewController::takeFile(FileKind kind, const QString &path)
{
    fileSlots()[std::size_t(kind)].field->setText(path);
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
    const SavePanel panel{.title = tr("Save to ATN file"),
                          .nameFieldStringValue = atncopyFilePath(),
                          .allowedFileTypes = {u"atn"_s}};
    if (const auto path = Desktop::current().runSavePanel(panel, window())) {
        takeFile(FileKind::AtnCopy, *path);
        // The panel has asked already whether to replace it.
        m_outputConfirmed = true;
    }
}

void ViewController::openFiles(const QStringList &paths)
{
    // The endings as the drop fields take them: exact case.
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
    for (const FileSlot &slot : fileSlots())
        slot.field->clear();
    clearConsole();
    m_ui->outcomeBox->hide();
}

// The check box is read when Start is pressed and by the Stored Strings
// window, which follows its toggled signal; its action has nothing to do.
void ViewController::toggleLittleEndian() {}

void ViewController::setRuleFieldAndPath(const QString &path)
{
    takeFile(FileKind::Rule, path);
}

void ViewController::controlTextDidChange(FileKind kind)
{
    if (kind == FileKind::AtnCopy)
        m_outputConfirmed = false;
    checkTextFields();
    if (kind != FileKind::AtnCopy)
        refreshStringsWindow();
}

QString ViewController::fieldProblem() const
{
    const QString missing[] = {tr("Name the ATN file to translate."), tr("Name the rule file."),
                               tr("Name the file to write the translation to.")};
    const QString misnamed[] = {tr("The input file's name must end in .atn."),
                                tr("The rule file's name must end in .rul."),
                                tr("The output file's name must end in .atn.")};
    const auto files = fileSlots();
    for (std::size_t i = 0; i < files.size(); ++i) {
        const QString text = files[i].field->text();
        if (text.isEmpty())
            return missing[i];
        if (!text.endsWith(u'.' + files[i].field->expectedExt(), Qt::CaseInsensitive))
            return misnamed[i];
    }
    return {};
}

void ViewController::checkTextFields()
{
    const auto files = fileSlots();
    for (std::size_t i = 0; i < files.size(); ++i) {
        const QString text = files[i].field->text();
        const QFileInfo file(text);
        const bool loaded = !text.isEmpty()
                            && (i == std::size_t(FileKind::AtnCopy) ? file.absoluteDir().exists() : file.isFile());
        files[i].image->setImageNamed(files[i].imageStem + (loaded ? u"_loaded"_s : u"_notloaded"_s));
    }
    const QString problem = fieldProblem();
    m_ui->fieldProblemLabel->setText(problem);
    setStartEnabled(problem.isEmpty());
}

bool ViewController::mayWriteOutput()
{
    const QString output = atncopyFilePath();
    // The same file is kept as a backup before it is replaced.
    if (m_outputConfirmed || !QFileInfo::exists(output)
        || engine::isSameFile(atnFilePath().toStdString(), output.toStdString()))
        return true;
    return Desktop::current().askToReplace(
        output, tr("The output file %1 exists already. The translation would replace its content.").arg(output),
        window());
}

void ViewController::startTranslation()
{
    const LocalizedStringTable strings;
    if (const QString problem = fieldProblem(); !problem.isEmpty()) {
        refuse(QString::fromStdString(translation::notWrittenSummary(problem.toStdString(), strings)), {});
        return;
    }
    if (!mayWriteOutput())
        return;
    const TranslationOptions options = translationOptions();
    const translation::Request request{.input = atnFilePath().toStdString(),
                                       .output = atncopyFilePath().toStdString(),
                                       .ruleFile = rulFilePath().toStdString(),
                                       .pairs = {},
                                       .lenient = options.lenient,
                                       .mode = options.mode};
    ConsoleBridge console(*this, ConsoleBridge::Clearing::BeforeFirstLine);
    translation::Outcome outcome;
    {
        const WaitCursor busy;
        outcome = translation::run(request, console, strings);
    }
    const QString summary = QString::fromStdString(outcome.summary);
    switch (outcome.refusal) {
    case translation::Outcome::Refusal::NoPairs:
        refuse(summary, noEnabledRulesWarning());
        return;
    case translation::Outcome::Refusal::BackupFailed: {
        std::fputs(engine::backupFailureLine(outcome.backup).c_str(), stdout);
        std::fflush(stdout);
        //: Warning shown instead of a translation; %@ is the reason
        const QString warning = bundle::localizedString(QT_TRANSLATE_NOOP("Localizable", "NoBackup %@"));
        refuse(summary, QString::fromStdString(
                            engine::formatText(warning.toStdString(), {outcome.backup.message.text(strings)})));
        return;
    }
    case translation::Outcome::Refusal::MalformedParameters:
    case translation::Outcome::Refusal::InvalidPair:
        refuse(summary, {});
        return;
    case translation::Outcome::Refusal::None:
        break;
    }
    const bool problems = std::any_of(outcome.pairs.begin(), outcome.pairs.end(),
                                      [](const translation::PairOutcome &pair) { return !pair.problems.empty(); });
    showOutcome(summary, !outcome.outputWritten ? u"outcome_failed"_s
                         : outcome.succeeded() && !problems ? u"outcome_succeeded"_s
                                                            : u"outcome_problems"_s);
    // The Stored Strings window shows the input: only an output that replaced it changes what it shows.
    if (outcome.outputWritten && engine::isSameFile(request.input, request.output))
        refreshStringsWindow();
}

// A Start that does not translate says why on the console and, for what the
// fields do not show, in a warning sheet.
void ViewController::refuse(const QString &summary, const QString &warning)
{
    clearConsole();
    printout(summary + u'\n');
    showOutcome(summary, u"outcome_failed"_s);
    if (!warning.isEmpty())
        showWarningInKeyWindow(warning);
}

void ViewController::showOutcome(const QString &line, const QString &image)
{
    m_ui->outcomeImageView->setImageNamed(image);
    m_ui->outcomeLabel->setText(line);
    m_ui->outcomeBox->show();
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
    std::vector<std::string> list;
    for (const QString &parameter : parameters)
        list.push_back(parameter.toStdString());
    ConsoleBridge console(*this);
    (void)translation::processTranslation(list, console, LocalizedStringTable());
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
    // A warning that no window showed would leave a refusal unexplained.
    QWidget *keyWindow = QApplication::activeWindow();
    if (!keyWindow)
        keyWindow = window();
    Alert alert;
    alert.style = Alert::Style::Warning;
    //: warn message text
    alert.messageText = bundle::localizedString(QT_TRANSLATE_NOOP("Localizable", "Warning"));
    alert.informativeText = message;
    alert.buttons = {u"Ok"_s};
    Desktop::current().beginSheet(alert, keyWindow);
}

std::optional<int> ViewController::addRulesInEditor(const QStringList &searchTexts)
{
    WindowController *controller = m_windows->makeRuleEditor();
    auto *editor = controller ? qobject_cast<RuleEditorViewController *>(controller->contentViewController()) : nullptr;
    // The file first, so that Cancel in the editor takes back only the new rules.
    if (!editor || !editor->takeRuleFile(rulFilePath()))
        return std::nullopt;
    controller->showWindow();
    return editor->addRules(searchTexts);
}

void ViewController::showStringsWindow()
{
    m_windows->showStrings(atnFilePath(), rulFilePath(), translationOptions());
}

void ViewController::refreshStringsWindow()
{
    m_windows->refreshStrings(atnFilePath(), rulFilePath(), translationOptions());
}

void ViewController::exitApp()
{
    // The rule editor asks about unsaved rules as it closes; staying open ends nothing.
    const WindowController *editor = editRuleWindow();
    if (editor && editor->window() && editor->window()->isVisible() && !editor->window()->close())
        return;
    Desktop::current().terminate();
}
