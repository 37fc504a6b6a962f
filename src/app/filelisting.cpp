#include "app/filelisting.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "common/filetext.h"
#include "common/htmlextensions.h"
#include "common/imagesize.h"

QString FileListMasks(const TFileListOptions &options)
{
    QString masks = ExtensionFilter(QStringLiteral("|"));
    if (options.ListImages)
        masks += QStringLiteral("*.GIF|*.JPG|*.JPEG|*.PNG|*.BMP|");
    if (options.ListMultimedia)
        masks += QStringLiteral("*.WAV|*.MID|*.AIFF|*.AU|*.AVI|");
    if (masks.endsWith(u'|'))
        masks.chop(1);
    return masks;
}

TFileRow DescribeFile(const QString &path, bool onlyNames)
{
    TFileRow row;
    row.Path = path;
    row.Name = path.mid(path.lastIndexOf(u'/') + 1);
    const qsizetype dot = row.Name.lastIndexOf(u'.');
    row.Type = dot < 0 ? QString() : row.Name.mid(dot + 1).toUpper();
    row.Kind = FileKindOf(path);
    if (onlyNames)
        return row;
    switch (row.Kind) {
    case fkDocument: row.Description = DocumentTitle(path); break;
    case fkStyleSheet: row.Description = QStringLiteral("Style Sheet"); break;
    case fkImage: {
        const TImageSize size = ImageSize(path);
        row.Description = QStringLiteral("Image - %1 x %2").arg(size.Width).arg(size.Height);
        break;
    }
    case fkSound: row.Description = QStringLiteral("Sound"); break;
    case fkVideo: row.Description = QStringLiteral("Animation"); break;
    case fkUnknown: row.Description = QStringLiteral("[Unknown file type]"); break;
    }
    return row;
}

void TFileListing::Start(const QString &folder, const TFileListOptions &options)
{
    m_folder = folder;
    if (!m_folder.isEmpty() && !m_folder.endsWith(u'/'))
        m_folder += u'/';
    m_onlyNames = options.ListOnlyFileNames;
    m_paths = ListFiles(m_folder, FileListMasks(options));
    m_next = 0;
}

QList<TFileRow> TFileListing::Next(int milliseconds)
{
    QList<TFileRow> rows;
    QElapsedTimer clock;
    clock.start();
    while (Running()) {
        rows.append(DescribeFile(m_paths.at(m_next++), m_onlyNames));
        // The clock is looked at every few files: reading it costs more than a name.
        if ((rows.size() % 8 == 0 || !m_onlyNames) && clock.elapsed() >= milliseconds)
            break;
    }
    return rows;
}

QString CopyTargetName(const QString &path)
{
    const QFileInfo info(path);
    const QString folder = info.path() + u'/';
    const QString name = info.fileName();
    QString target = folder + QStringLiteral("Copy of ") + name;
    for (int n = 2; QFileInfo::exists(target); ++n)
        target = folder + QStringLiteral("Copy (%1) of ").arg(n) + name;
    return target;
}

TRenameResult RenameInFolder(const QString &path, const QString &newName, QString *newPath)
{
    if (newName.isEmpty())
        return rnUnchanged;
    const QString target = QFileInfo(path).path() + u'/' + newName;
    if (newName.contains(u'/') || newName == QLatin1String(".") || newName == QLatin1String(".."))
        return rnFailed;
    if (target == path)
        return rnUnchanged;
    // Never onto another file or folder.
    if (QFileInfo::exists(target))
        return rnFailed;
    if (!QFile::rename(path, target))
        return rnFailed;
    if (newPath)
        *newPath = target;
    return rnRenamed;
}

bool IsPseudoFileSystem(const QByteArray &type)
{
    static const QByteArrayList pseudo = {"proc",     "sysfs",     "devpts",    "devtmpfs", "cgroup",     "cgroup2",
                                          "securityfs", "debugfs", "tracefs",   "pstore",   "bpf",        "mqueue",
                                          "hugetlbfs", "configfs", "fusectl",   "autofs",   "binfmt_misc", "nsfs",
                                          "rpc_pipefs", "efivarfs", "selinuxfs", "ramfs",    "squashfs"};
    return pseudo.contains(type);
}

int VolumeIndexOf(const QString &path, const QStringList &roots)
{
    int best = -1;
    for (int i = 0; i < roots.size(); ++i) {
        QString root = roots.at(i);
        if (!root.endsWith(u'/'))
            root += u'/';
        QString p = path;
        if (!p.endsWith(u'/'))
            p += u'/';
        if (p.startsWith(root) && (best < 0 || roots.at(i).size() > roots.at(best).size()))
            best = i;
    }
    return best;
}
