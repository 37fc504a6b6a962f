#include "app/commandline.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDataStream>
#include <QDir>
#include <QStandardPaths>

void SetProgramIdentity()
{
    QCoreApplication::setApplicationName(QStringLiteral("Pendwick"));
    QCoreApplication::setApplicationVersion(QStringLiteral(PENDWICK_VERSION));
}

TCommandLine ParseCommandLine(QCommandLineParser &parser, const QStringList &arguments, const QString &currentFolder)
{
    parser.setApplicationDescription(QStringLiteral("Pendwick, an editor for writing HTML by hand."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption newWindow(QStringList{QStringLiteral("n"), QStringLiteral("new-window")},
                                       QStringLiteral("Open a new window even when Pendwick already runs."));
    parser.addOption(newWindow);
    parser.addPositionalArgument(QStringLiteral("files"), QStringLiteral("Files to open, each on its own tab."),
                                 QStringLiteral("[files...]"));

    TCommandLine result;
    if (!parser.parse(arguments)) {
        result.Error = parser.errorText();
        return result;
    }
    result.Help = parser.isSet(help);
    result.Version = parser.isSet(version);
    result.NewWindow = parser.isSet(newWindow);
    const QDir folder(currentFolder);
    for (const QString &file : parser.positionalArguments())
        result.Files.append(QDir::cleanPath(folder.absoluteFilePath(file)));
    return result;
}

QString InstanceServerName()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder + QStringLiteral("/pendwick-instance");
}

QByteArray EncodeFileList(const QStringList &files)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    out << files;
    return bytes;
}

bool DecodeFileList(const QByteArray &bytes, QStringList &files)
{
    QDataStream in(bytes);
    in.setVersion(QDataStream::Qt_6_0);
    QStringList read;
    in >> read;
    if (in.status() != QDataStream::Ok)
        return false;
    files = read;
    return true;
}
