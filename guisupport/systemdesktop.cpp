#include "systemdesktop.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QUrl>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr const char *kButtonIndex = "alertButtonIndex";

QStringList runDialogForFiles(QFileDialog &dialog)
{
    dialog.setWindowModality(Qt::ApplicationModal);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles();
}

std::optional<QString> runDialog(QFileDialog &dialog)
{
    const QStringList chosen = runDialogForFiles(dialog);
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen.constFirst();
}

QMessageBox::Icon iconOf(Alert::Style style)
{
    switch (style) {
    case Alert::Style::Informational:
        return QMessageBox::Information;
    case Alert::Style::Critical:
        return QMessageBox::Critical;
    case Alert::Style::Warning:
        break;
    }
    return QMessageBox::Warning;
}

} // namespace

std::unique_ptr<QFileDialog> SystemDesktop::makeOpenDialog(const OpenPanel &panel, QWidget *parent)
{
    auto dialog = std::make_unique<QFileDialog>(parent, panel.title);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    if (panel.canChooseDirectories && !panel.canChooseFiles)
        dialog->setFileMode(QFileDialog::Directory);
    else
        dialog->setFileMode(panel.allowsMultipleSelection ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    dialog->setOption(QFileDialog::ReadOnly, !panel.canCreateDirectories);
    if (!panel.allowedFileTypes.isEmpty()) {
        QStringList filters;
        for (const QString &type : panel.allowedFileTypes)
            filters << QCoreApplication::translate("SystemDesktop", "%1 files (*.%2)").arg(type.toUpper(), type);
        dialog->setNameFilters(filters);
    }
    return dialog;
}

std::unique_ptr<QFileDialog> SystemDesktop::makeSaveDialog(const SavePanel &panel, QWidget *parent)
{
    auto dialog = std::make_unique<QFileDialog>(parent, panel.title);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    if (!panel.nameFieldStringValue.isEmpty())
        dialog->selectFile(panel.nameFieldStringValue);
    return dialog;
}

QMessageBox *SystemDesktop::makeAlert(const Alert &alert, QWidget *window)
{
    // The message is in the box already; as a title, a window manager would cut it short.
    auto *box = new QMessageBox(iconOf(alert.style), QString(), alert.messageText, QMessageBox::NoButton, window);
    box->setInformativeText(alert.informativeText);
    const QStringList buttons = alert.buttons.isEmpty() ? QStringList{u"Ok"_s} : alert.buttons;
    for (int index = 0; index < buttons.size(); ++index) {
        const bool cancels = index == alert.cancelButton;
        QPushButton *button = box->addButton(buttons[index], cancels ? QMessageBox::RejectRole : QMessageBox::AcceptRole);
        // The box lists its buttons by role, not in the order they came.
        button->setProperty(kButtonIndex, index);
        if (cancels)
            box->setEscapeButton(button);
        if (!box->defaultButton())
            box->setDefaultButton(button);
    }
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    return box;
}

std::optional<QString> SystemDesktop::runOpenPanel(const OpenPanel &panel, QWidget *parent)
{
    const auto dialog = makeOpenDialog(panel, parent);
    return runDialog(*dialog);
}

QStringList SystemDesktop::runOpenPanelForFiles(const OpenPanel &panel, QWidget *parent)
{
    const auto dialog = makeOpenDialog(panel, parent);
    return runDialogForFiles(*dialog);
}

std::optional<QString> SystemDesktop::runSavePanel(const SavePanel &panel, QWidget *parent)
{
    const auto dialog = makeSaveDialog(panel, parent);
    return runDialog(*dialog);
}

void SystemDesktop::beginSheet(const Alert &alert, QWidget *window)
{
    makeAlert(alert, window)->open();
}

int SystemDesktop::runAlert(const Alert &alert, QWidget *window)
{
    const std::unique_ptr<QMessageBox> box(makeAlert(alert, window));
    box->setAttribute(Qt::WA_DeleteOnClose, false);
    box->exec();
    const QAbstractButton *pressed = box->clickedButton();
    return pressed ? pressed->property(kButtonIndex).toInt() : alert.cancelButton;
}

bool SystemDesktop::openFile(const QString &path, const QString &application)
{
#ifdef Q_OS_MACOS
    if (!application.isEmpty())
        return QProcess::startDetached(u"/usr/bin/open"_s, {u"-a"_s, application, path});
#else
    Q_UNUSED(application)
#endif
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void SystemDesktop::terminate()
{
    QCoreApplication::quit();
}
