#include "systemdesktop.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
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

QStringList nameFilters(const QStringList &types)
{
    QStringList filters;
    for (const QString &type : types)
        filters << QCoreApplication::translate("SystemDesktop", "%1 files (*.%2)").arg(type.toUpper(), type);
    return filters;
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
    if (!panel.allowedFileTypes.isEmpty())
        dialog->setNameFilters(nameFilters(panel.allowedFileTypes));
    return dialog;
}

std::unique_ptr<QFileDialog> SystemDesktop::makeSaveDialog(const SavePanel &panel, QWidget *parent)
{
    auto dialog = std::make_unique<QFileDialog>(parent, panel.title);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    if (!panel.allowedFileTypes.isEmpty()) {
        dialog->setNameFilters(nameFilters(panel.allowedFileTypes));
        dialog->setDefaultSuffix(panel.allowedFileTypes.constFirst());
    }
    if (!panel.nameFieldStringValue.isEmpty())
        dialog->selectFile(panel.nameFieldStringValue);
    return dialog;
}

QMessageBox *SystemDesktop::makeAlert(const Alert &alert, QWidget *window)
{
    // The message is in the box already; as a title, a window manager would cut it short.
    auto *box = new QMessageBox(iconOf(alert.style), QString(), alert.messageText, QMessageBox::NoButton, window);
    box->setInformativeText(alert.informativeText);
    // So that a path it names can be copied.
    box->setTextInteractionFlags(Qt::TextSelectableByMouse);
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

std::optional<QString> SystemDesktop::chooseSavePath(const SavePanel &panel, QWidget *parent)
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

void SystemDesktop::openFile(const QString &path, const QString &application, std::function<void()> failed)
{
#ifdef Q_OS_MACOS
    if (!application.isEmpty()) {
        if (!QProcess::startDetached(u"/usr/bin/open"_s, {u"-a"_s, application, path}))
            failed();
        return;
    }
#elif defined(Q_OS_UNIX)
    Q_UNUSED(application)
    // xdg-open says by its exit status whether a program took the file; the
    // toolkit's own call only says whether xdg-open started.
    if (const QString opener = QStandardPaths::findExecutable(u"xdg-open"_s); !opener.isEmpty()) {
        auto *process = new QProcess(QCoreApplication::instance());
        const auto done = [process, failed](bool ok) {
            if (!ok)
                failed();
            process->deleteLater();
        };
        QObject::connect(process, &QProcess::finished, process,
                         [done](int code, QProcess::ExitStatus status) { done(status == QProcess::NormalExit && code == 0); });
        QObject::connect(process, &QProcess::errorOccurred, process, [done](QProcess::ProcessError error) {
            if (error == QProcess::FailedToStart)
                done(false);
        });
        process->setStandardOutputFile(QProcess::nullDevice());
        process->setStandardErrorFile(QProcess::nullDevice());
        process->start(opener, {path});
        return;
    }
#else
    Q_UNUSED(application)
#endif
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        failed();
}

void SystemDesktop::terminate()
{
    QCoreApplication::quit();
}
