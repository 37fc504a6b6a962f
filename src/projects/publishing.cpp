#include "projects/publishing.h"

#include <QProcess>

#include "platform/configstore.h"

QString PublishCommand() { return ConfigStore::Read(PendwickKey(), QStringLiteral("PublishCommand"), QString()); }

TPublishStart StartPublishing(const QString &command, const QStringList &files)
{
    if (files.isEmpty() || files.contains(QString()))
        return psNoFiles;
    QStringList arguments = QProcess::splitCommand(command);
    if (arguments.isEmpty())
        return psNoCommand;
    const QString program = arguments.takeFirst();
    return QProcess::startDetached(program, arguments + files) ? psStarted : psNoCommand;
}

QString PublisherMissingText(const QString &helpPage)
{
    return QStringLiteral("This feature requires the Microsoft Web Publishing Wizard, which could not be located on "
                          "your system. If you haven't installed it yet, you can download it from ") +
           helpPage +
           QStringLiteral(".\r\n\r\nIf you've already installed the Web Publishing Wizard, make sure that the file "
                          "\"WebPost.dll\" is in your path.");
}
