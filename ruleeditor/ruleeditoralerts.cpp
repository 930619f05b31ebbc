#include "ruleeditoralerts.h"

#include <QDir>
#include <QStringList>

using namespace Qt::Literals::StringLiterals;

namespace {
// A save that leaves many new rows empty would otherwise fill the screen.
constexpr std::size_t kMaxListedProblems = 12;
} // namespace

Alert RuleEditorAlerts::unsavedChanges(const QString &name, const QString &consequence)
{
    return {.style = Alert::Style::Warning,
            .messageText = tr("Do you want to save the changes to \u201c%1\u201d?").arg(name),
            .informativeText = consequence,
            .buttons = {tr("Save"), tr("Discard"), tr("Cancel")},
            .cancelButton = Cancel};
}

Alert RuleEditorAlerts::saveFailed(const QString &path)
{
    return {.style = Alert::Style::Critical,
            .messageText = tr("The rules could not be saved"),
            .informativeText = tr("\u201c%1\u201d could not be written. The table is as it was; save it to another "
                                  "file or folder.")
                                   .arg(QDir::toNativeSeparators(path)),
            .buttons = {tr("OK")}};
}

QString RuleEditorAlerts::describe(const rules::LossyRow &lossy)
{
    const int row = int(lossy.row) + 1;
    const QString field = lossy.key == "search"    ? tr("the search text")
                          : lossy.key == "replace" ? tr("the replacement text")
                                                   : tr("the check mark");
    switch (lossy.problem) {
    case rules::RowProblem::NotUtf8:
        return tr("Row %1: %2 is not valid UTF-8, so the file will not load at all.").arg(row).arg(field);
    case rules::RowProblem::FlagNotBinary:
        return tr("Row %1: %2 is neither on nor off.").arg(row).arg(field);
    case rules::RowProblem::EmptyText:
        return tr("Row %1: %2 is empty, so the rule will be skipped.").arg(row).arg(field);
    case rules::RowProblem::LineBreak:
        return tr("Row %1: %2 holds a line break, which splits the rule in two.").arg(row).arg(field);
    case rules::RowProblem::Semicolon:
        return tr("Row %1: %2 holds \u201c;\u201d, which splits it in two.").arg(row).arg(field);
    case rules::RowProblem::MergesWithSeparator:
        return tr("Row %1: %2 begins or ends with a mark that joins the \u201c;\u201d next to it.").arg(row).arg(field);
    }
    return {};
}

Alert RuleEditorAlerts::lossyRows(const std::vector<rules::LossyRow> &lossyRows)
{
    QStringList lines;
    for (std::size_t i = 0; i < lossyRows.size() && i < kMaxListedProblems; ++i)
        lines << u"\u2022 "_s + describe(lossyRows[i]);
    if (lossyRows.size() > kMaxListedProblems)
        lines << tr("\u2026 and %n more.", nullptr, int(lossyRows.size() - kMaxListedProblems));
    return {.style = Alert::Style::Warning,
            .messageText = tr("Some rules will not load back as they are"),
            .informativeText = tr("The file was saved, but these rules will not load back from it as they are:\n\n%1\n\n"
                                  "Change them and save again, or they will differ the next time the file is loaded.")
                                   .arg(lines.join(u'\n')),
            .buttons = {tr("OK")}};
}
