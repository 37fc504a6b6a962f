#pragma once

#include <QString>

// Opening files with their programs and the recycle bin, with the messages the user sees
// when that fails (texts in platform/shell.h).

// Opens the file with its associated program; a failure is shown in an error box.
// Returns the result code, above 32 on success.
int ShellOpen(const QString &fileName);

// Moves the file to the recycle bin; when it cannot, says so in an error box and leaves
// the file where it is.
bool MoveToRecycleBin(const QString &fileName);
