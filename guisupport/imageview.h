// A status image, drawn from the application's images by name.
#pragma once

#include <QPixmap>
#include <QString>
#include <QWidget>

class ImageView : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString imageName READ imageName WRITE setImageNamed)

public:
    explicit ImageView(QWidget *parent = nullptr);

    // The name last set, also when the application has no such image; the
    // view then stays empty.
    [[nodiscard]] const QString &imageName() const { return m_imageName; }
    void setImageNamed(const QString &name);

    [[nodiscard]] QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_imageName;
    QPixmap m_image;           // drawn for m_drawnForRatio; 0: not drawn yet
    qreal m_drawnForRatio = 0;
};
