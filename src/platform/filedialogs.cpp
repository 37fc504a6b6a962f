#include "platform/filedialogs.h"

#include <QFileDialog>

namespace {
TFileDialogHook &Hook()
{
    static TFileDialogHook hook;
    return hook;
}
} // namespace

void SetFileDialogHook(TFileDialogHook hook) { Hook() = std::move(hook); }

QString RunFileDialog(TFileDialogKind kind, QWidget *parent, const QString &title, const QString &startPath,
                      const QString &filter)
{
    if (Hook())
        return Hook()(kind, title, startPath);
    if (kind == fdOpen)
        return QFileDialog::getOpenFileName(parent, title, startPath, filter);
    return QFileDialog::getSaveFileName(parent, title, startPath, filter, nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}
