#include "atndropview.h"

using namespace Qt::Literals::StringLiterals;

AtnDropView::AtnDropView(QWidget *parent)
    : DropView(u"atn"_s, parent)
{
}
