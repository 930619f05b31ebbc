// The table of the rule editor: one row per rule, the texts edited in place,
// Space ticking the rule of the current row from any of its cells, and a
// context menu of the actions it is given.
#pragma once

#include <QList>
#include <QTableView>

class QAction;
class RuleTableModel;

class RuleTableView final : public QTableView {
    Q_OBJECT

public:
    explicit RuleTableView(QWidget *parent = nullptr);

    void setRuleModel(RuleTableModel *model);
    // Null stands for a separator.
    void setContextMenuActions(QList<QAction *> actions) { m_contextMenuActions = std::move(actions); }

    // Enough of both texts and rows to tell the rules apart.
    [[nodiscard]] QSize minimumSizeHint() const override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    QList<QAction *> m_contextMenuActions;
};
