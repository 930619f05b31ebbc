// Drag events delivered straight to a widget, as the toolkit would during a
// drag.
#pragma once

#include <QApplication>
#include <QDropEvent>
#include <QList>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

#include <memory>

[[nodiscard]] inline std::unique_ptr<QMimeData> fileDrag(const QList<QUrl> &urls)
{
    auto data = std::make_unique<QMimeData>();
    data->setUrls(urls);
    return data;
}

// Sends a QDragEnterEvent, QDragMoveEvent or QDropEvent to the widget's
// centre; whether the widget accepted it.
template <class E>
bool sendDrag(QWidget *widget, const QMimeData *data)
{
    E event(widget->rect().center(), Qt::CopyAction | Qt::MoveAction | Qt::LinkAction, data, Qt::LeftButton,
            Qt::NoModifier);
    event.ignore();
    QApplication::sendEvent(widget, &event);
    return event.isAccepted();
}

inline void sendDragLeave(QWidget *widget)
{
    QDragLeaveEvent event;
    QApplication::sendEvent(widget, &event);
}
