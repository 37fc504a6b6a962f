#pragma once

#include <QString>
#include <QStringList>

// Opening documents with their programs, starting programs and the recycle bin. Nothing
// here shows a message; app/shellopen.h adds the messages the user sees.

// Result codes of opening a file; above 32 means it was handed to a program.
enum TShellResult {
    srOutOfMemory = 0,
    srFileNotFound = 2,
    srAccessDenied = 5,
    srSharingViolation = 26,
    srAssociationIncomplete = 27,
    srNoAssociation = 31,
    srOpened = 42,
};

// Opens a file (or a URL such as "http://..." or "mailto:...") with the program the
// desktop associates with it. A missing file gives srFileNotFound, an unreadable one
// srAccessDenied, no program to open it srNoAssociation.
int TryShellOpen(const QString &fileName);
// The error text for a failed opening, or empty for codes that carry no message.
QString ShellOpenMessage(int code, const QString &fileName);

// Starts program with its arguments, each passed as it is (blanks and quotes included)
// and never through a command interpreter, in the current folder. Does not wait for it;
// false when it could not be started.
bool RunProgram(const QString &program, const QStringList &arguments = QStringList());
// The same for a command line as the user typed it: split at blanks outside double
// quotes, the first word naming the program.
bool RunCommandLine(const QString &commandLine);

// The path as it can be handed to another program. Arguments are passed one by one
// here, so blanks need no short form: the path itself, however long.
QString ShortPath(const QString &path);

// Moves the file into the desktop's trash, from where it can be restored. Returns false
// when that is not possible; the file is then left where it was, never deleted.
bool TryMoveToRecycleBin(const QString &fileName);
QString RecycleBinFailureMessage(const QString &fileName);
