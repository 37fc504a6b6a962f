#pragma once

// Listing one folder for the file panel: the masks the options choose, one row per file
// with its type and description, made a slice at a time so the window that shows them
// keeps handling its events. Also the file operations of the panel that need no widget.

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QString>
#include <QStringList>

#include "common/fileutils.h"

struct TFileListOptions
{
    bool ListImages = true;
    bool ListMultimedia = true;
    bool ListOnlyFileNames = false; // names only: no file is opened
};

// The masks for ListFiles: the HTML extension list, then with ListImages the pictures,
// then with ListMultimedia the sounds and videos, separated by "|".
QString FileListMasks(const TFileListOptions &options);

struct TFileRow
{
    QString Name;        // file name without its folder
    QString Type;        // the extension in upper case, without the dot
    QString Description; // title, picture size or kind; empty with names only
    QString Path;        // full path
    TFileKind Kind = fkUnknown;
};

// One file's row. A page gives its title ("[Untitled]", "Err" when unreadable), a picture
// "Image - W x H" (0 x 0 when unknown); with onlyNames nothing is read and there is no
// description.
TFileRow DescribeFile(const QString &path, bool onlyNames);

// From this many files on a listing shows its progress and Escape stops it.
constexpr int ProgressFileCount = 21;

// One listing of a folder. Start reads the folder's names; Next describes files until
// the time given is used up (at least one file each call), so a caller running it from
// its event loop stays responsive. Stop keeps the rows made so far.
class TFileListing
{
public:
    // The folder gets a final "/" unless empty; an empty folder lists nothing.
    void Start(const QString &folder, const TFileListOptions &options);
    QList<TFileRow> Next(int milliseconds);
    void Stop() { m_next = m_paths.size(); }

    bool Running() const { return m_next < m_paths.size(); }
    QString Folder() const { return m_folder; }
    int Total() const { return int(m_paths.size()); }
    int Done() const { return int(m_next); }
    bool ShowsProgress() const { return Total() >= ProgressFileCount; }
    // Share of files described, 0 to 100.
    int Percent() const { return m_paths.isEmpty() ? 100 : int(qMin<qsizetype>(100, m_next * 100 / m_paths.size())); }

private:
    QString m_folder;
    QStringList m_paths;
    qsizetype m_next = 0;
    bool m_onlyNames = false;
};

// The name a copy of path gets in its folder: "Copy of N", else "Copy (2) of N", "Copy (3)
// of N" ... whichever is free first.
QString CopyTargetName(const QString &path);

enum TRenameResult { rnUnchanged, rnRenamed, rnFailed };
// Renames path to newName in the same folder. An empty name changes nothing; a name
// holding "/" (which would move the file), a name taken by another file, or a failing
// rename give rnFailed and leave the file as it was. newPath receives the new full path.
TRenameResult RenameInFolder(const QString &path, const QString &newName, QString *newPath);

// Volumes of the drive list: pseudo file systems (proc, sysfs ...) hold no documents.
bool IsPseudoFileSystem(const QByteArray &type);
// The entry of roots that holds path (the longest matching root), -1 when none does.
int VolumeIndexOf(const QString &path, const QStringList &roots);
