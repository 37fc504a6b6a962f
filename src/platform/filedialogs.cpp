#include "platform/filedialogs.h"

#include <QFileDialog>

QString RunFileDialog(TFileDialogKind kind, QWidget *parent, const QString &title, const QString &startPath,
                      const QString &filter)
{
    if (const auto &hook = TFileDialogHook::Get())
        return hook(kind, title, startPath);
    if (kind == fdOpen)
        return QFileDialog::getOpenFileName(parent, title, startPath, filter);
    return QFileDialog::getSaveFileName(parent, title, startPath, filter, nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

QStringList RunOpenFilesDialog(QWidget *parent, const QString &title, const QString &startPath, const QString &filter)
{
    if (const auto &hook = TFileDialogHook::Get()) {
        const QString answer = hook(fdOpenFiles, title, startPath);
        return answer.isEmpty() ? QStringList() : answer.split(u'\n');
    }
    // Qt's open dialog takes only existing files in existing folders.
    return QFileDialog::getOpenFileNames(parent, title, startPath, filter);
}

QString RunFolderDialog(QWidget *parent, const QString &title, const QString &startFolder)
{
    if (const auto &hook = TFileDialogHook::Get())
        return hook(fdFolder, title, startFolder);
    return QFileDialog::getExistingDirectory(parent, title, startFolder);
}
