#pragma once
// Project files (".pwp"): a named list of documents in a small profile file, section
// "Project" (ProjectName, Version) and section "FileList" (File1, File2, ... without gaps).
#include <QString>
#include <QStringList>
#include <optional>

// The projects folder with a trailing "/": the stored "ProjectDir", else "Projects" beside
// the program, or in the per-user data folder when the program folder cannot be written.
// The default folder is made when missing; a stored one is returned as it stands.
QString GetProjectDir();
void SetProjectDir(const QString &folder);

// The file name without folder and extension.
QString ProjectNameOf(const QString &path);
// A name that saves as a file directly in the projects folder: not empty, no "/" or "\",
// not starting with "." (which would hide it or climb out of the folder).
bool IsValidProjectName(const QString &name);

// The files of a project, up to the first missing or empty key; nothing when the file
// does not exist or cannot be read.
std::optional<QStringList> LoadProjectFiles(const QString &path);

struct TProjectWrite {
    bool Written = false;
    bool BackupFailed = false; // the previous contents could not be kept in path + ".bak"
    QString Error;             // why it was not written
};
// Keeps the old file in path + ".bak" (replacing an older copy), then writes the two
// "Project" keys and a fresh "FileList"; other sections, keys and comments stay. The file
// is replaced atomically: a failed write leaves the old one whole.
TProjectWrite WriteProjectFile(const QString &path, const QStringList &files);

// Whether two paths name the same file on this file system.
bool SameFile(const QString &a, const QString &b);
