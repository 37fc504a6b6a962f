#include "platform/programfolder.h"

#include <utility>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString &FolderOverride()
{
    static QString folder;
    return folder;
}

QString WithSlash(const QString &folder)
{
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

} // namespace

QString DataFolderFor(const QString &executableFolder, bool *installed)
{
    const QString beside = WithSlash(executableFolder);
    const QString shared = QDir::cleanPath(beside + QStringLiteral("../share/pendwick")) + u'/';
    const bool useShared = !QFileInfo::exists(beside + QStringLiteral("Tags.dat")) && QFileInfo(shared).isDir();
    if (installed)
        *installed = useShared;
    return useShared ? shared : beside;
}

namespace {

// The executable's folder does not change while the program runs, so it is looked at once.
const QString &RealDataFolder(bool *installed = nullptr)
{
    static bool isInstalled = false;
    static const QString folder = DataFolderFor(QCoreApplication::applicationDirPath(), &isInstalled);
    if (installed)
        *installed = isInstalled;
    return folder;
}

} // namespace

QString ProgramFolder()
{
    if (!FolderOverride().isEmpty())
        return FolderOverride();
    return RealDataFolder();
}

bool ProgramIsInstalled()
{
    if (!FolderOverride().isEmpty())
        return false;
    bool installed = false;
    RealDataFolder(&installed);
    return installed;
}

void SetProgramFolder(const QString &folder)
{
    FolderOverride() = folder.isEmpty() ? QString() : WithSlash(folder);
}

QString UserDataFolder()
{
    return WithSlash(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

QString DataFilePath(const QString &name)
{
    const QString userFolder = UserDataFolder();
    if (QFileInfo::exists(userFolder + name))
        return userFolder + name;

    const QString programFolder = ProgramFolder();
    const QFileInfo folderInfo(programFolder);
    if (!ProgramIsInstalled() && folderInfo.isDir() && folderInfo.isWritable())
        return programFolder + name;

    QDir().mkpath(userFolder);
    return userFolder + name;
}

QString HelpTopicFile(const QString &helpFolder, int topic)
{
    const QDir folder(helpFolder);
    if (topic > 0) {
        const QString page = folder.filePath(QStringLiteral("topic%1.html").arg(topic));
        if (QFileInfo(page).isFile())
            return page;
    }
    const QString contents = folder.filePath(QStringLiteral("contents.html"));
    if (QFileInfo(contents).isFile())
        return contents;
    return QString();
}

namespace {

THelpTopicHandler &HelpTopicHandler()
{
    static THelpTopicHandler handler;
    return handler;
}

} // namespace

void SetHelpTopicHandler(THelpTopicHandler handler)
{
    HelpTopicHandler() = std::move(handler);
}

void RequestHelpTopic(int topic, QWidget *parent)
{
    if (HelpTopicHandler())
        HelpTopicHandler()(topic, parent);
}
