#include "ruletextvalidator.h"

#include "ruletablemodel.h"

RuleTextValidator::RuleTextValidator(QObject *parent)
    : QValidator(parent)
{
}

QValidator::State RuleTextValidator::validate(QString &input, int &) const
{
    return RuleTableModel::isStorableText(input) ? Acceptable : Invalid;
}
