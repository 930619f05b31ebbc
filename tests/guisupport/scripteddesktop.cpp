#include "scripteddesktop.h"

ScriptedDesktop::ScriptedDesktop()
{
    Desktop::setCurrent(this);
}

ScriptedDesktop::~ScriptedDesktop()
{
    Desktop::setCurrent(nullptr);
}

std::optional<QString> ScriptedDesktop::nextAnswer()
{
    if (m_answers.isEmpty()) {
        ++unansweredPanels;
        return std::nullopt;
    }
    return m_answers.takeFirst();
}

std::optional<QString> ScriptedDesktop::runOpenPanel(const OpenPanel &panel, QWidget *)
{
    openPanels << panel;
    return nextAnswer();
}

std::optional<QString> ScriptedDesktop::chooseSavePath(const SavePanel &panel, QWidget *)
{
    savePanels << panel;
    return nextAnswer();
}

void ScriptedDesktop::beginSheet(const Alert &alert, QWidget *window)
{
    sheets << Sheet{alert, window};
}

int ScriptedDesktop::runAlert(const Alert &alert, QWidget *window)
{
    alerts << Sheet{alert, window};
    if (m_alertAnswers.isEmpty()) {
        ++unansweredPanels;
        return int(alert.buttons.size()) - 1;
    }
    return int(alert.buttons.indexOf(m_alertAnswers.takeFirst()));
}

void ScriptedDesktop::openFile(const QString &path, const QString &application, std::function<void()> failed)
{
    openedFiles << OpenedFile{path, application};
    if (!opensFiles)
        failed();
}
