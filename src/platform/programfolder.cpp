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

QString ProgramFolder()
{
    if (!FolderOverride().isEmpty())
        return FolderOverride();
    return WithSlash(QCoreApplication::applicationDirPath());
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
    if (folderInfo.isDir() && folderInfo.isWritable())
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
