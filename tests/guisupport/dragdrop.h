// Drag events delivered straight to a widget, as the toolkit would during a
// drag. Each returns whether the widget accepted the event.
#pragma once

#include <QList>
#include <QMimeData>
#include <QUrl>

#include <memory>

class QWidget;

[[nodiscard]] std::unique_ptr<QMimeData> fileDrag(const QList<QUrl> &urls);

bool sendDragEnter(QWidget *widget, const QMimeData *data);
bool sendDragMove(QWidget *widget, const QMimeData *data);
void sendDragLeave(QWidget *widget);
bool sendDrop(QWidget *widget, const QMimeData *data);
