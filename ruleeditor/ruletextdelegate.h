// Edits the texts of the rule table in a line edit that refuses what a rule
// cannot hold, and says why when it refuses.
#pragma once

#include <QStyledItemDelegate>

class RuleTextDelegate final : public QStyledItemDelegate {
    Q_OBJECT

public:
    explicit RuleTextDelegate(QObject *parent = nullptr);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;

    [[nodiscard]] static QString refusalText();
};
