#pragma once

#include <QString>
#include <QStringList>

#include "platform/testhook.h"

class QWidget;

// The program's open and save dialogs, in one place so tests can answer them.
enum TFileDialogKind { fdOpen, fdSave, fdOpenFiles, fdFolder };

// Returns the chosen file, or an empty text when cancelled. The filter is a Qt filter
// list separated by ";;". Save dialogs ask no overwrite question of their own.
QString RunFileDialog(TFileDialogKind kind, QWidget *parent, const QString &title, const QString &startPath,
                      const QString &filter);

// An open dialog that takes several existing files; nothing when cancelled.
QStringList RunOpenFilesDialog(QWidget *parent, const QString &title, const QString &startPath, const QString &filter);

// A folder browser; the chosen folder, or an empty text when cancelled.
QString RunFolderDialog(QWidget *parent, const QString &title, const QString &startFolder);

// Test hook: while set, no dialog is shown; the hook's result is the chosen file (or folder).
// For fdOpenFiles the chosen files are separated by line feeds.
using TFileDialogHook = THook<QString(TFileDialogKind kind, const QString &title, const QString &startPath)>;
inline void SetFileDialogHook(TFileDialogHook::Function hook) { TFileDialogHook::Set(std::move(hook)); }
