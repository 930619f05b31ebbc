#include "desktop.h"

#include <QFileInfo>

#include "systemdesktop.h"

namespace {
Desktop *g_current = nullptr;
}

Desktop::~Desktop() = default;

Desktop &Desktop::current()
{
    static SystemDesktop system;
    return g_current ? *g_current : system;
}

void Desktop::setCurrent(Desktop *desktop)
{
    g_current = desktop;
}

std::optional<QString> Desktop::runSavePanel(const SavePanel &panel, QWidget *parent)
{
    std::optional<QString> path = chooseSavePath(panel, parent);
    if (!path || panel.allowedFileTypes.isEmpty() || !QFileInfo(*path).suffix().isEmpty())
        return path;
    // Panels differ in whether they add it themselves; one that did not asked
    // about the name as typed, if at all, not about this one.
    *path += u'.' + panel.allowedFileTypes.constFirst();
    if (!QFileInfo::exists(*path))
        return path;
    const QString where = QFileInfo(*path).absolutePath();
    return askToReplace(*path, tr("A file of that name exists already in %1. Replacing it overwrites its content.").arg(where),
                        parent)
               ? path
               : std::nullopt;
}

bool Desktop::askToReplace(const QString &path, const QString &informativeText, QWidget *window)
{
    const Alert question{.style = Alert::Style::Warning,
                         .messageText = tr("Replace \u201c%1\u201d?").arg(QFileInfo(path).fileName()),
                         .informativeText = informativeText,
                         .buttons = {tr("Replace"), tr("Cancel")},
                         .cancelButton = 1};
    return runAlert(question, window) == 0;
}
