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
    // Panels differ in whether they add it themselves.
    if (path && !panel.allowedFileTypes.isEmpty() && QFileInfo(*path).suffix().isEmpty())
        *path += u'.' + panel.allowedFileTypes.constFirst();
    return path;
}
