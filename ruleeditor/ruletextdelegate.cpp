#include "ruletextdelegate.h"

#include <QLineEdit>
#include <QToolTip>

#include "ruletextvalidator.h"

RuleTextDelegate::RuleTextDelegate(QObject *parent)
    : QStyledItemDelegate(parent)
{
}

QWidget *RuleTextDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                        const QModelIndex &index) const
{
    QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto *line = qobject_cast<QLineEdit *>(editor)) {
        line->setValidator(new RuleTextValidator(line));
        connect(line, &QLineEdit::inputRejected, line, [line] {
            QToolTip::showText(line->mapToGlobal(QPoint(0, line->height())), refusalText(), line);
        });
    }
    return editor;
}

QString RuleTextDelegate::refusalText()
{
    return tr("A rule cannot hold \u201c;\u201d or a line break: the rule file has no way to store them.");
}
