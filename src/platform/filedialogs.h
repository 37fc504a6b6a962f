#pragma once

#include <QString>

#include "platform/testhook.h"

class QWidget;

// The program's open and save dialogs, in one place so tests can answer them.
enum TFileDialogKind { fdOpen, fdSave };

// Returns the chosen file, or an empty text when cancelled. The filter is a Qt filter
// list separated by ";;". Save dialogs ask no overwrite question of their own.
QString RunFileDialog(TFileDialogKind kind, QWidget *parent, const QString &title, const QString &startPath,
                      const QString &filter);

// Test hook: while set, no dialog is shown; the hook's result is the chosen file.
using TFileDialogHook = THook<QString(TFileDialogKind kind, const QString &title, const QString &startPath)>;
inline void SetFileDialogHook(TFileDialogHook::Function hook) { TFileDialogHook::Set(std::move(hook)); }
