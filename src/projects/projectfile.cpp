#include "projects/projectfile.h"

#include "platform/configstore.h"
#include "platform/profilefile.h"
#include "platform/programfolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString ProjectSection = QStringLiteral("Project");
const QString FileListSection = QStringLiteral("FileList");

QString WithSeparator(QString folder)
{
    if (!folder.isEmpty() && !folder.endsWith(u'/') && !folder.endsWith(u'\\'))
        folder += u'/';
    return folder;
}

} // namespace

QString GetProjectDir()
{
    const QString stored = ConfigStore::Read(PendwickKey(), QStringLiteral("ProjectDir"), QString());
    if (!stored.isEmpty())
        return WithSeparator(stored);
    // An installed program keeps its projects in the per-user data folder.
    QString folder = ProgramIsInstalled() ? QString() : ProgramFolder() + QStringLiteral("Projects/");
    if (!folder.isEmpty())
        QDir().mkpath(folder);
    if (folder.isEmpty() || !QFileInfo(folder).isDir() || !QFileInfo(folder).isWritable()) {
        folder = UserDataFolder() + QStringLiteral("Projects/");
        QDir().mkpath(folder);
    }
    return folder;
}

void SetProjectDir(const QString &folder)
{
    ConfigStore::Write(PendwickKey(), QStringLiteral("ProjectDir"), WithSeparator(folder));
}

QString ProjectNameOf(const QString &path)
{
    return QFileInfo(path).completeBaseName();
}

bool IsValidProjectName(const QString &name)
{
    return !name.trimmed().isEmpty() && !name.contains(u'/') && !name.contains(u'\\') && !name.startsWith(u'.');
}

std::optional<QStringList> LoadProjectFiles(const QString &path)
{
    TProfileFile profile;
    if (!QFileInfo(path).isFile() || !profile.Load(path))
        return std::nullopt;
    QStringList files;
    for (int n = 1;; ++n) {
        const QString file = profile.Value(FileListSection, QStringLiteral("File%1").arg(n));
        if (file.isEmpty())
            break;
        files.append(file);
    }
    return files;
}

TProjectWrite WriteProjectFile(const QString &path, const QStringList &files)
{
    TProjectWrite result;
    TProfileFile profile;
    if (QFileInfo::exists(path)) {
        profile.Load(path);
        // QFile::copy never overwrites: the older copy goes first.
        const QString backup = path + QStringLiteral(".bak");
        QFile::remove(backup);
        result.BackupFailed = !QFile::copy(path, backup);
    }
    profile.SetValue(ProjectSection, QStringLiteral("ProjectName"), ProjectNameOf(path));
    profile.SetValue(ProjectSection, QStringLiteral("Version"), QStringLiteral("2.0"));
    profile.EraseSection(FileListSection);
    for (int i = 0; i < files.size(); ++i)
        profile.SetValue(FileListSection, QStringLiteral("File%1").arg(i + 1), files[i]);
    result.Written = profile.Save(path, &result.Error);
    return result;
}

bool SameFile(const QString &a, const QString &b)
{
    const QFileInfo fa(a), fb(b);
    if (fa.exists() && fb.exists())
        return fa.canonicalFilePath() == fb.canonicalFilePath();
    return QDir::cleanPath(fa.absoluteFilePath()) == QDir::cleanPath(fb.absoluteFilePath());
}
