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
    m_drawnForRatio = 0;
    update();
}

QSize ImageView::sizeHint() const
{
    return {kSide, kSide};
}

void ImageView::paintEvent(QPaintEvent *)
{
    // Drawn from the vector image once for each name and pixel ratio, so it
    // stays sharp on any screen without being drawn again at every paint.
    const qreal ratio = devicePixelRatioF();
    if (m_drawnForRatio != ratio) {
        m_image = bundle::imageNamed(m_imageName, size(), ratio);
        m_drawnForRatio = ratio;
    }
    if (m_image.isNull())
        return;
    QPainter painter(this);
    if (!isEnabled())
        painter.setOpacity(0.5);
    painter.drawPixmap(0, 0, m_image);
}
