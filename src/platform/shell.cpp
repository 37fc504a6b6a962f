#include "platform/shell.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace {

// "http://...", "mailto:x@y": a scheme of two letters or more, so that "c:\x" stays a file.
bool IsUrl(const QString &text)
{
    const qsizetype colon = text.indexOf(u':');
    if (colon < 2)
        return false;
    const QUrl url(text, QUrl::StrictMode);
    return url.isValid() && url.scheme().size() == colon && !url.isLocalFile();
}

} // namespace

int TryShellOpen(const QString &fileName)
{
    QUrl url;
    if (IsUrl(fileName)) {
        url = QUrl(fileName, QUrl::StrictMode);
    } else {
        const QFileInfo info(fileName);
        if (fileName.isEmpty() || !info.exists())
            return srFileNotFound;
        if (!info.isReadable())
            return srAccessDenied;
        url = QUrl::fromLocalFile(info.absoluteFilePath());
    }
    return QDesktopServices::openUrl(url) ? srOpened : srNoAssociation;
}

QString ShellOpenMessage(int code, const QString &fileName)
{
    switch (code) {
    case srOutOfMemory:
        return QStringLiteral("Not enough memory to start ") + fileName + u'.';
    case srFileNotFound:
        return QStringLiteral("File not found");
    case srAccessDenied:
        return QStringLiteral("Access denied.");
    case srSharingViolation:
        return QStringLiteral("Sharing violation.");
    case srAssociationIncomplete:
        return QStringLiteral("The file association is incomplete.");
    case srNoAssociation:
        return QStringLiteral("No association exists for this type of file.  To create an association, "
                              "open the Windows 95 Explorer, double-click on this file, and select the "
                              "program used to open this type of file.");
    default:
        return QString();
    }
}

bool RunProgram(const QString &program, const QStringList &arguments)
{
    if (program.isEmpty())
        return false;
    return QProcess::startDetached(program, arguments, QDir::currentPath());
}

bool RunCommandLine(const QString &commandLine)
{
    QStringList words = QProcess::splitCommand(commandLine);
    if (words.isEmpty())
        return false;
    const QString program = words.takeFirst();
    return RunProgram(program, words);
}

QString ShortPath(const QString &path)
{
    return path;
}

bool TryMoveToRecycleBin(const QString &fileName)
{
    if (fileName.isEmpty() || !QFileInfo::exists(fileName))
        return false;
    // The trash in the user's data folder cannot be set up while that folder is missing;
    // the file would then be moved to a "files" folder beside the current folder.
    QDir().mkpath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    // moveToTrash renames the file into the trash; when it cannot, the file stays.
    return QFile::moveToTrash(fileName);
}

QString RecycleBinFailureMessage(const QString &fileName)
{
    return QStringLiteral("Could not move ") + fileName + QStringLiteral(" to the Recycle Bin.");
}
