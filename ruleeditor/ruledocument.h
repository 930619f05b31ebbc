// The rules the editor works on, the history of their changes, and the rows
// of the file they were last read from or written to.
//
// Every change of the rows is one step of the undo stack: an edit of a cell
// through the model, or a change the editor makes with change(). The stack
// is clean while the rows are those of the file. Reading a file, reverting
// and restoring start a fresh history.
#pragma once

#include <QObject>
#include <QString>

#include <optional>
#include <utility>
#include <vector>

#include "rules/rule.h"
#include "rules/rulefile.h"

class QAction;
class QUndoStack;
class QWidget;
class RuleTableModel;
struct RuleSplice;

class RuleDocument : public QObject {
    Q_OBJECT

public:
    // The default rules, counted as unmodified.
    explicit RuleDocument(QObject *parent = nullptr);
    ~RuleDocument() override;
    Q_DISABLE_COPY_MOVE(RuleDocument)

    [[nodiscard]] RuleTableModel *model() const { return m_model; }
    [[nodiscard]] const std::vector<rules::Rule> &rules() const;
    [[nodiscard]] bool isModified() const;

    // Undo and Redo of the history, for the keys of the platform, to be
    // added to `window`. In a text field the keys undo its typing instead.
    [[nodiscard]] std::pair<QAction *, QAction *> createUndoActions(QWidget *window) const;

    // The rows of a file, none when it cannot be read.
    void read(const QString &path);
    // Once written, the rows count as those of the file.
    rules::WriteReport write(const QString &path);

    // One step from the current rows to `rows`, named `text` for the undo
    // actions; nothing when they are the same. Undoing the step shows
    // `rowBefore`, redoing it `rowAfter`, each where given.
    void change(const QString &text, const std::vector<rules::Rule> &rows, std::optional<int> rowBefore,
                std::optional<int> rowAfter);
    // Back to the rows of the file.
    void revert();

    struct State {
        std::vector<rules::Rule> rules;
        std::vector<rules::Rule> fileRules;
        bool modified = false;
    };
    [[nodiscard]] State state() const;
    void restore(const State &state);

signals:
    void modifiedChanged(bool modified);
    // An undo or a redo changed the rows around `row`.
    void rowToShow(int row);

private:
    void push(const QString &text, RuleSplice splice, std::optional<int> rowBefore, std::optional<int> rowAfter,
              bool done);
    void cellEdited(const RuleSplice &done);

    RuleTableModel *m_model;
    QUndoStack *m_undoStack;
    std::vector<rules::Rule> m_fileRules;
};
