#include "ruledropview.h"

using namespace Qt::Literals::StringLiterals;

RuleDropView::RuleDropView(QWidget *parent)
    : DropView(u"rul"_s, parent)
{
}
