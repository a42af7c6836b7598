#include "platform/ui/dialogfilechooser.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>

void DialogFileChooser::choose(const FileChoice &choice, QWidget *window,
                               std::function<void(const QString &)> completion)
{
    auto *dialog = new QFileDialog(window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::WindowModal);
    const bool save = choice.mode == FileChoice::Mode::Save;
    dialog->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog->setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog->setWindowTitle(choice.prompt);
    if (!choice.prompt.isEmpty())
        dialog->setLabelText(QFileDialog::Accept, choice.prompt);
    if (!choice.nameFilters.isEmpty())
        dialog->setNameFilters(choice.nameFilters);
    if (!choice.directory.isEmpty())
        dialog->setDirectory(choice.directory);
    if (!choice.fileName.isEmpty())
        dialog->selectFile(choice.fileName);
    QObject::connect(dialog, &QFileDialog::finished, dialog, [dialog, completion](int result) {
        const QStringList files = dialog->selectedFiles();
        const QString path = result == QDialog::Accepted && !files.isEmpty()
                                 ? QFileInfo(files.front()).absoluteFilePath()
                                 : QString();
        // The answer comes after the dialog has gone, as a sheet's does.
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [completion, path] { completion(path); },
            Qt::QueuedConnection);
    });
    dialog->open();
}
