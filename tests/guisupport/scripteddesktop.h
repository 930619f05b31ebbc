// A desktop for tests: panels and questions answer from a script, sheets
// and questions are recorded, nothing is shown. Installs itself for its lifetime.
#pragma once

#include <QList>
#include <QWidget>

#include <optional>

#include "guisupport/desktop.h"

class ScriptedDesktop final : public Desktop {
public:
    ScriptedDesktop() { Desktop::setCurrent(this); }
    ~ScriptedDesktop() override { Desktop::setCurrent(nullptr); }
    Q_DISABLE_COPY_MOVE(ScriptedDesktop)

    // The next panel, open or save, returns this path; nothing means the
    // user cancels.
    void answerNextPanel(const std::optional<QString> &path) { m_answers.push_back(path ? QStringList{*path} : QStringList()); }
    // The next panel returns these paths (a panel for one file, the first).
    void answerNextPanelWithFiles(const QStringList &paths) { m_answers.push_back(paths); }
    // The next question is answered by the button of this index.
    void answerNextAlert(int button) { m_alertAnswers.push_back(button); }

    std::optional<QString> runOpenPanel(const OpenPanel &, QWidget *) override { return first(nextAnswer()); }
    QStringList runOpenPanelForFiles(const OpenPanel &, QWidget *) override { return nextAnswer(); }
    void beginSheet(const Alert &alert, QWidget *) override { sheets << alert; }
    int runAlert(const Alert &alert, QWidget *) override
    {
        questions << alert;
        if (m_alertAnswers.isEmpty()) {
            ++unanswered;
            return alert.cancelButton;
        }
        return m_alertAnswers.takeFirst();
    }
    void openFile(const QString &, const QString &, std::function<void()>) override {}
    void terminate() override { ++terminations; }

    QList<Alert> sheets;
    QList<Alert> questions;
    int terminations = 0;
    // Panels and questions that ran without a scripted answer (and were cancelled).
    int unanswered = 0;

protected:
    std::optional<QString> chooseSavePath(const SavePanel &, QWidget *) override { return first(nextAnswer()); }

private:
    static std::optional<QString> first(const QStringList &paths)
    {
        return paths.isEmpty() ? std::nullopt : std::optional(paths.constFirst());
    }
    QStringList nextAnswer()
    {
        if (m_answers.isEmpty()) {
            ++unanswered;
            return {};
        }
        return m_answers.takeFirst();
    }

    QList<QStringList> m_answers; // empty: cancelled
    QList<int> m_alertAnswers;
};
