// The alerts of the rule editor: the questions asked before work could be
// lost, and what a save could not do.
#pragma once

#include <QCoreApplication>
#include <QString>

#include <vector>

#include "guisupport/desktop.h"
#include "rules/lossyrows.h"

class RuleEditorAlerts {
    Q_DECLARE_TR_FUNCTIONS(RuleEditorViewController)

public:
    // The buttons of unsavedChanges(), in order.
    enum Answer { Save, Discard, Cancel };
    // Save / Discard / Cancel for the table shown under `name`; `consequence`
    // tells what happens to unsaved changes.
    [[nodiscard]] static Alert unsavedChanges(const QString &name, const QString &consequence);
    // The save could not write `path`; the table stays as it was.
    [[nodiscard]] static Alert saveFailed(const QString &path);
    // The rows a file holds now that will not load back from it as they are.
    [[nodiscard]] static Alert lossyRows(const std::vector<rules::LossyRow> &lossyRows);

private:
    [[nodiscard]] static QString describe(const rules::LossyRow &lossy);
};
