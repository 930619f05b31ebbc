#include "imageview.h"

#include <QPainter>

#include "resources/bundle.h"

namespace {
constexpr int kSide = 32;
}

ImageView::ImageView(QWidget *parent)
    : QWidget(parent)
{
    setFixedSize(kSide, kSide);
}

void ImageView::setImageNamed(const QString &name)
{
    m_imageName = name;
    update();
}

QSize ImageView::sizeHint() const
{
    return {kSide, kSide};
}

void ImageView::paintEvent(QPaintEvent *)
{
    // Drawn from the vector image at each paint, so it stays sharp on any screen.
    const QPixmap image = bundle::imageNamed(m_imageName, size(), devicePixelRatioF());
    if (image.isNull())
        return;
    QPainter painter(this);
    if (!isEnabled())
        painter.setOpacity(0.5);
    painter.drawPixmap(0, 0, image);
}
