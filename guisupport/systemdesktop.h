// The desktop of the running toolkit: QFileDialog, QMessageBox,
// QDesktopServices, and xdg-open where there is one.
#pragma once

#include <memory>

#include "desktop.h"

class QFileDialog;
class QMessageBox;

class SystemDesktop final : public Desktop {
public:
    std::optional<QString> runOpenPanel(const OpenPanel &panel, QWidget *parent) override;
    QStringList runOpenPanelForFiles(const OpenPanel &panel, QWidget *parent) override;
    void beginSheet(const Alert &alert, QWidget *window) override;
    int runAlert(const Alert &alert, QWidget *window) override;
    void openFile(const QString &path, const QString &application, std::function<void()> failed) override;
    void terminate() override;

    // The dialogs as they are configured before they run.
    [[nodiscard]] static std::unique_ptr<QFileDialog> makeOpenDialog(const OpenPanel &panel, QWidget *parent);
    [[nodiscard]] static std::unique_ptr<QFileDialog> makeSaveDialog(const SavePanel &panel, QWidget *parent);
    // Deletes itself when closed.
    [[nodiscard]] static QMessageBox *makeAlert(const Alert &alert, QWidget *window);

protected:
    std::optional<QString> chooseSavePath(const SavePanel &panel, QWidget *parent) override;
};
