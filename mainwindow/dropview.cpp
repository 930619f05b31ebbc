#include "dropview.h"

#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QPainter>
#include <QUrl>

#include <cstdio>

DropView::DropView(QString expectedExt, QWidget *parent)
    : QLineEdit(parent)
    , m_expectedExt(std::move(expectedExt))
{
    setAcceptDrops(true);
}

std::optional<QString> DropView::firstFileName(const QMimeData *data)
{
    if (!data || !data->hasUrls())
        return std::nullopt;
    const QList<QUrl> urls = data->urls();
    if (urls.isEmpty() || !urls.constFirst().isLocalFile())
        return std::nullopt;
    return urls.constFirst().toLocalFile();
}

QString DropView::pathExtension(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? QString() : name.mid(dot + 1);
}

void DropView::dragEnterEvent(QDragEnterEvent *event)
{
    const std::optional<QString> path = firstFileName(event->mimeData());
    m_dragAccepted = path && pathExtension(*path) == m_expectedExt;
    if (!m_dragAccepted) {
        event->ignore();
        return;
    }
    setLayerColor(Qt::blue);
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

// The answer given on entering stands while the drag stays over the field; the
// line edit's own handling would accept any drag that carries text.
void DropView::dragMoveEvent(QDragMoveEvent *event)
{
    if (!m_dragAccepted) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void DropView::dragLeaveEvent(QDragLeaveEvent *event)
{
    m_dragAccepted = false;
    setLayerColor(Qt::gray);
    event->accept();
}

void DropView::dropEvent(QDropEvent *event)
{
    m_dragAccepted = false;
    setLayerColor(Qt::gray);
    const std::optional<QString> path = firstFileName(event->mimeData());
    if (!path) {
        event->ignore();
        return;
    }
    m_filePath = *path;
    std::fprintf(stdout, "filePath: %s\n", QFile::encodeName(*path).constData());
    std::fflush(stdout);
    event->setDropAction(Qt::CopyAction);
    event->accept();
    emit fileDropped(*path);
}

void DropView::paintEvent(QPaintEvent *event)
{
    QLineEdit::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(m_layerColor, m_layerColor == QColor(Qt::gray) ? 1.0 : 2.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 3, 3);
}

void DropView::setLayerColor(const QColor &color)
{
    if (m_layerColor == color)
        return;
    m_layerColor = color;
    update();
}
