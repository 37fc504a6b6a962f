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
