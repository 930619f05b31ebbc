#include "batchtranslation.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QProgressDialog>

#include "consolebridge.h"
#include "guisupport/desktop.h"
#include "guisupport/localizedstringtable.h"
#include "resources/bundle.h"
#include "viewcontroller.h"

using namespace Qt::Literals::StringLiterals;

namespace {

QString fromStd(const std::string &text)
{
    return QString::fromStdString(text);
}

} // namespace

BatchTranslation::BatchTranslation(ViewController &controller)
    : m_controller(controller)
{
}

void BatchTranslation::chooseAndTranslate()
{
    translation::Request rules;
    rules.ruleFile = m_controller.rulFilePath().toStdString();
    const translation::PreparedPairs prepared = translation::preparePairs(rules, LocalizedStringTable());
    if (prepared.refused) {
        m_controller.showWarningInKeyWindow(prepared.refused->refusal == translation::Outcome::Refusal::NoPairs
                                                ? noEnabledRulesWarning()
                                                : fromStd(prepared.refused->summary));
        return;
    }
    QWidget *window = m_controller.window();
    const QStringList inputs = Desktop::current().runOpenPanelForFiles(
        {.title = tr("Select the ATN files to translate"), .allowedFileTypes = {u"atn"_s}, .allowsMultipleSelection = true},
        window);
    if (inputs.isEmpty())
        return;
    const auto folder = Desktop::current().runOpenPanel({.title = tr("Choose the folder for the translated files"),
                                                         .allowedFileTypes = {},
                                                         .allowsMultipleSelection = false,
                                                         .canChooseDirectories = true,
                                                         .canCreateDirectories = true,
                                                         .canChooseFiles = false},
                                                        window);
    if (!folder)
        return;
    translate(inputs, *folder, prepared.pairs);
    m_controller.refreshStringsWindow();
}

void BatchTranslation::translate(const QStringList &inputs, const QString &folder,
                                 const std::vector<translation::Pair> &pairs)
{
    const TranslationOptions options = m_controller.translationOptions();
    translation::BatchRequest request{.inputs = {},
                                      .outputFolder = folder.toStdString(),
                                      .ruleFile = {},
                                      .pairs = pairs,
                                      .lenient = options.lenient,
                                      .mode = options.mode};
    for (const QString &input : inputs)
        request.inputs.push_back(input.toStdString());

    QProgressDialog progress(tr("Translating…"), tr("Cancel"), 0, int(inputs.size()), m_controller.window());
    progress.setWindowTitle(tr("Translate Several Files"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    // Setting the value of a modal progress dialog lets the events through,
    // Cancel among them.
    const auto step = [&](std::size_t index, const std::string &) {
        progress.setLabelText(tr("Translating %1 (%2 of %3)…")
                                  .arg(QFileInfo(inputs[qsizetype(index)]).fileName(), QString::number(index + 1),
                                       QString::number(inputs.size())));
        progress.setValue(int(index));
        return !progress.wasCanceled();
    };
    // Emptied before the first line, as for Start.
    ConsoleBridge console(m_controller, ConsoleBridge::Clearing::BeforeFirstLine);
    const translation::BatchOutcome outcome = translation::runBatch(request, console, LocalizedStringTable(), step);
    progress.setValue(progress.maximum());
    if (outcome.refusal != translation::BatchOutcome::Refusal::None) {
        m_controller.showWarningInKeyWindow(fromStd(outcome.summary));
        return;
    }
    // The console now holds the batch's transcript, not the last Start's.
    m_controller.showOutcome(fromStd(outcome.summary),
                             outcome.succeeded() ? u"outcome_succeeded"_s : u"outcome_failed"_s);
}
