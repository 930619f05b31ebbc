#include "dragdrop.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QWidget>

namespace {

QPointF centre(const QWidget *widget)
{
    return QPointF(widget->rect().center());
}

bool deliver(QWidget *widget, QEvent &event)
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

std::unique_ptr<QMimeData> fileDrag(const QStringList &localPaths)
{
    QList<QUrl> urls;
    for (const QString &path : localPaths)
        urls << QUrl::fromLocalFile(path);
    return fileDrag(urls);
}

bool sendDragEnter(QWidget *widget, const QMimeData *data)
{
    QDragEnterEvent event(centre(widget).toPoint(), Qt::CopyAction | Qt::MoveAction | Qt::LinkAction,
                          data, Qt::LeftButton, Qt::NoModifier);
    return deliver(widget, event);
}

bool sendDragMove(QWidget *widget, const QMimeData *data)
{
    QDragMoveEvent event(centre(widget).toPoint(), Qt::CopyAction | Qt::MoveAction | Qt::LinkAction, data,
                         Qt::LeftButton, Qt::NoModifier);
    return deliver(widget, event);
}

void sendDragLeave(QWidget *widget)
{
    QDragLeaveEvent event;
    QApplication::sendEvent(widget, &event);
}

bool sendDrop(QWidget *widget, const QMimeData *data)
{
    QDropEvent event(centre(widget), Qt::CopyAction | Qt::MoveAction | Qt::LinkAction, data, Qt::LeftButton,
                     Qt::NoModifier);
    return deliver(widget, event);
}
