#include "scripteddesktop.h"

ScriptedDesktop::ScriptedDesktop()
{
    Desktop::setCurrent(this);
}

ScriptedDesktop::~ScriptedDesktop()
{
    Desktop::setCurrent(nullptr);
}

namespace {

std::optional<QString> first(const QStringList &paths)
{
    return paths.isEmpty() ? std::nullopt : std::optional(paths.constFirst());
}

} // namespace

QStringList ScriptedDesktop::nextAnswer()
{
    if (m_answers.isEmpty()) {
        ++unansweredPanels;
        return {};
    }
    return m_answers.takeFirst();
}

std::optional<QString> ScriptedDesktop::runOpenPanel(const OpenPanel &panel, QWidget *)
{
    openPanels << panel;
    return first(nextAnswer());
}

QStringList ScriptedDesktop::runOpenPanelForFiles(const OpenPanel &panel, QWidget *)
{
    openPanels << panel;
    return nextAnswer();
}

std::optional<QString> ScriptedDesktop::chooseSavePath(const SavePanel &panel, QWidget *)
{
    savePanels << panel;
    return first(nextAnswer());
}

void ScriptedDesktop::beginSheet(const Alert &alert, QWidget *window)
{
    sheets << Sheet{alert, window};
}

int ScriptedDesktop::runAlert(const Alert &alert, QWidget *window)
{
    questions << Sheet{alert, window};
    if (m_alertAnswers.isEmpty()) {
        ++unansweredAlerts;
        return alert.cancelButton;
    }
    return m_alertAnswers.takeFirst();
}

void ScriptedDesktop::openFile(const QString &path, const QString &application, std::function<void()> failed)
{
    openedFiles << OpenedFile{path, application};
    if (!opensFiles)
        failed();
}
