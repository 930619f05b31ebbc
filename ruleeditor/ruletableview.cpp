#include "ruletableview.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>

#include "ruletablemodel.h"
#include "ruletextdelegate.h"

RuleTableView::RuleTableView(QWidget *parent)
    : QTableView(parent)
{
    auto *delegate = new RuleTextDelegate(this);
    setItemDelegateForColumn(RuleTableModel::SearchColumn, delegate);
    setItemDelegateForColumn(RuleTableModel::ReplaceColumn, delegate);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                    | QAbstractItemView::AnyKeyPressed);
    setTabKeyNavigation(true);
    setAlternatingRowColors(true);
    setWordWrap(false);
    setCornerButtonEnabled(false);

    QHeaderView *rows = verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(fontMetrics().height() + 10);
    rows->setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);
    rows->setHighlightSections(false);
}

void RuleTableView::setRuleModel(RuleTableModel *model)
{
    setModel(model);
    // The header's sections exist once there is a model.
    QHeaderView *columns = horizontalHeader();
    columns->setSectionResizeMode(RuleTableModel::UseColumn, QHeaderView::ResizeToContents);
    columns->setSectionResizeMode(RuleTableModel::SearchColumn, QHeaderView::Stretch);
    columns->setSectionResizeMode(RuleTableModel::ReplaceColumn, QHeaderView::Stretch);
    columns->setHighlightSections(false);
    columns->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

QSize RuleTableView::minimumSizeHint() const
{
    return {46 * fontMetrics().averageCharWidth(), 6 * verticalHeader()->defaultSectionSize()};
}

void RuleTableView::keyPressEvent(QKeyEvent *event)
{
    // Instead of starting to edit a text with a space. While a cell is
    // edited its editor has the keys, not the table.
    const QModelIndex current = currentIndex();
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier && current.isValid() && model()) {
        model()->setData(model()->index(current.row(), RuleTableModel::UseColumn), QVariant(), Qt::CheckStateRole);
        return;
    }
    QTableView::keyPressEvent(event);
}

void RuleTableView::contextMenuEvent(QContextMenuEvent *event)
{
    if (m_contextMenuActions.isEmpty())
        return;
    QMenu menu(this);
    for (QAction *action : std::as_const(m_contextMenuActions)) {
        if (action)
            menu.addAction(action);
        else
            menu.addSeparator();
    }
    menu.exec(event->globalPos());
}
