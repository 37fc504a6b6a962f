#pragma once
// Extended replace over files that are not open: each file is read, every occurrence of
// the find text replaced, and the file written back in its own encoding and line ends,
// atomically. Nothing here needs widgets; the dialog and the sweep's display are views.
#include <QString>
#include <QStringList>

// The HTML documents of a folder for the sweep: one mask per configured HTML extension,
// in the order of the list, each file once, no hidden files and no sub-folders.
QStringList ExtendedReplaceFolderFiles(const QString &folder);

// A file lacks its owner's write permission. (As root the permission would not stop a
// write, so the mode bits are what counts.)
bool IsReadOnlyFile(const QString &fileName);
// Gives the owner write permission; false when it could not be given.
bool MakeFileWritable(const QString &fileName);

struct TFileReplace {
    enum TStatus { Done, Failed };
    TStatus Status = Done;
    int Count = 0;  // occurrences replaced (or counted)
    QString Error;  // why the file was not processed
};

// Counts the occurrences of find in a file as the sweep would replace them. Line breaks
// in find match any line end of the file.
TFileReplace CountInFile(const QString &fileName, const QString &find, bool matchCase);

// Replaces every occurrence, left to right, continuing after each match; with a backup,
// the file is first copied to fileName + ".bak" (replacing an older copy). A file without
// an occurrence keeps its bytes; one that holds NUL bytes or cannot be read or written is
// left as it was and the result says why.
TFileReplace ReplaceInFile(const QString &fileName, const QString &find, const QString &replace, bool matchCase,
                           bool backup);
