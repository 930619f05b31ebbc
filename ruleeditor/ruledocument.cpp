#include "ruledocument.h"

#include <QAction>
#include <QKeySequence>
#include <QUndoStack>
#include <QWidget>

#include <functional>
#include <utility>

#include "ruletablemodel.h"

namespace {

// Swaps a run of rows for another and back. A change that has already
// happened, an edit of a cell, is pushed done: its first redo does nothing.
class SpliceCommand final : public QUndoCommand {
public:
    SpliceCommand(const QString &text, RuleTableModel &model, RuleSplice splice, std::optional<int> rowBefore,
                  std::optional<int> rowAfter, bool done, std::function<void(int)> show)
        : QUndoCommand(text)
        , m_model(model)
        , m_splice(std::move(splice))
        , m_rowBefore(rowBefore)
        , m_rowAfter(rowAfter)
        , m_done(done)
        , m_show(std::move(show))
    {
    }

    void undo() override
    {
        m_model.apply(m_splice.inverted());
        if (m_rowBefore)
            m_show(*m_rowBefore);
    }

    void redo() override
    {
        if (std::exchange(m_done, false))
            return;
        m_model.apply(m_splice);
        if (m_rowAfter)
            m_show(*m_rowAfter);
    }

private:
    RuleTableModel &m_model;
    RuleSplice m_splice;
    std::optional<int> m_rowBefore;
    std::optional<int> m_rowAfter;
    bool m_done;
    std::function<void(int)> m_show;
};

} // namespace

RuleDocument::RuleDocument(QObject *parent)
    : QObject(parent)
    , m_model(new RuleTableModel(this))
    , m_undoStack(new QUndoStack(this))
    , m_fileRules(m_model->dataArray())
{
    connect(m_undoStack, &QUndoStack::cleanChanged, this, [this](bool clean) { emit modifiedChanged(!clean); });
    connect(m_model, &RuleTableModel::cellEdited, this, &RuleDocument::cellEdited);
}

RuleDocument::~RuleDocument() = default;

const std::vector<rules::Rule> &RuleDocument::rules() const
{
    return m_model->dataArray();
}

bool RuleDocument::isModified() const
{
    return !m_undoStack->isClean();
}

std::pair<QAction *, QAction *> RuleDocument::createUndoActions(QWidget *window) const
{
    QAction *undo = m_undoStack->createUndoAction(window, tr("Undo"));
    undo->setObjectName(QStringLiteral("undoAction"));
    undo->setShortcuts(QKeySequence::Undo);
    QAction *redo = m_undoStack->createRedoAction(window, tr("Redo"));
    redo->setObjectName(QStringLiteral("redoAction"));
    QList<QKeySequence> redoKeys = QKeySequence::keyBindings(QKeySequence::Redo);
    if (const QKeySequence shiftZ(Qt::CTRL | Qt::SHIFT | Qt::Key_Z); !redoKeys.contains(shiftZ))
        redoKeys.prepend(shiftZ);
    redo->setShortcuts(redoKeys);
    for (QAction *action : {undo, redo}) {
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        window->addAction(action);
    }
    return {undo, redo};
}

void RuleDocument::read(const QString &path)
{
    std::vector<rules::Rule> rows = rules::readData(path.toStdString());
    restore({rows, rows, false});
}

rules::WriteReport RuleDocument::write(const QString &path)
{
    rules::WriteReport report = rules::writeData(path.toStdString(), rules());
    if (report.written) {
        m_fileRules = rules();
        m_undoStack->setClean();
    }
    return report;
}

void RuleDocument::change(const QString &text, const std::vector<rules::Rule> &rows, std::optional<int> rowBefore,
                          std::optional<int> rowAfter)
{
    RuleSplice splice = m_model->differenceTo(rows);
    if (!splice.isEmpty())
        push(text, std::move(splice), rowBefore, rowAfter, false);
}

void RuleDocument::revert()
{
    restore({m_fileRules, m_fileRules, false});
}

RuleDocument::State RuleDocument::state() const
{
    return {rules(), m_fileRules, isModified()};
}

void RuleDocument::restore(const State &state)
{
    m_model->setDataArray(state.rules);
    m_fileRules = state.fileRules;
    m_undoStack->clear();
    if (state.modified)
        m_undoStack->resetClean();
}

void RuleDocument::push(const QString &text, RuleSplice splice, std::optional<int> rowBefore,
                        std::optional<int> rowAfter, bool done)
{
    m_undoStack->push(new SpliceCommand(text, *m_model, std::move(splice), rowBefore, rowAfter, done,
                                        [this](int row) { emit rowToShow(row); }));
}

void RuleDocument::cellEdited(const RuleSplice &done)
{
    const rules::Rule &before = done.removed.front();
    const rules::Rule &after = done.inserted.front();
    const QString text = after.use != before.use ? (after.use == 1 ? tr("Enable Rule") : tr("Disable Rule"))
                         : after.search != before.search ? tr("Edit Search Text")
                                                         : tr("Edit Replacement Text");
    push(text, done, done.row, done.row, true);
}
