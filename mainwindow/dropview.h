// A text field that takes a file dragged onto it when the file has the
// field's extension.
//
// While an acceptable file hovers over it the field's frame turns blue; it is
// gray otherwise. Only local files count: a drag that carries no file, or
// whose first item is not a local file (a web address), is refused. The
// extension of the first file decides, exactly and case-sensitively; further
// files are ignored. A drop keeps the path in `filePath`, writes
// "filePath: <path>" to standard output and emits `fileDropped`; the field's
// text is left to whoever listens.
#pragma once

#include <QColor>
#include <QLineEdit>
#include <QString>

#include <optional>

class QMimeData;

class DropView : public QLineEdit {
    Q_OBJECT

public:
    [[nodiscard]] const std::optional<QString> &filePath() const { return m_filePath; }
    void setFilePath(const std::optional<QString> &path) { m_filePath = path; }
    [[nodiscard]] const QString &expectedExt() const { return m_expectedExt; }
    [[nodiscard]] QColor layerColor() const { return m_layerColor; }

    // The path of the first item of a drag when it is a local file.
    [[nodiscard]] static std::optional<QString> firstFileName(const QMimeData *data);
    // The part of the file name after its last dot; empty when it has none.
    [[nodiscard]] static QString pathExtension(const QString &path);

signals:
    void fileDropped(const QString &path);

protected:
    DropView(QString expectedExt, QWidget *parent);

    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void setLayerColor(const QColor &color);

    std::optional<QString> m_filePath;
    const QString m_expectedExt;
    QColor m_layerColor = Qt::gray;
    bool m_dragAccepted = false;
};
