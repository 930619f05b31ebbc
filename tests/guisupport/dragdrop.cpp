#include "dragdrop.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QWidget>

namespace {

constexpr Qt::DropActions kActions = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;

bool deliver(QWidget *widget, QEvent &&event)
{
    event.ignore();
    QApplication::sendEvent(widget, &event);
    return event.isAccepted();
}

} // namespace

std::unique_ptr<QMimeData> fileDrag(const QList<QUrl> &urls)
{
    auto data = std::make_unique<QMimeData>();
    data->setUrls(urls);
    return data;
}

bool sendDragEnter(QWidget *widget, const QMimeData *data)
{
    return deliver(widget, QDragEnterEvent(widget->rect().center(), kActions, data, Qt::LeftButton, Qt::NoModifier));
}

bool sendDragMove(QWidget *widget, const QMimeData *data)
{
    return deliver(widget, QDragMoveEvent(widget->rect().center(), kActions, data, Qt::LeftButton, Qt::NoModifier));
}

void sendDragLeave(QWidget *widget)
{
    QDragLeaveEvent event;
    QApplication::sendEvent(widget, &event);
}

bool sendDrop(QWidget *widget, const QMimeData *data)
{
    return deliver(widget,
                   QDropEvent(QPointF(widget->rect().center()), kActions, data, Qt::LeftButton, Qt::NoModifier));
}
