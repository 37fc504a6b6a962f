#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class QCommandLineParser;

// What the command line asks for: the files to open (absolute paths, in the order given),
// whether a new window is wanted even when Pendwick already runs ("-n"), and whether only
// the help or the version is to be printed. Error holds the parser's complaint about an
// unknown option; the program then prints it and exits.
struct TCommandLine
{
    QStringList Files;
    bool NewWindow = false;
    bool Help = false;
    bool Version = false;
    QString Error;
};

// Names the program "Pendwick" with its version, as "--version" prints them.
void SetProgramIdentity();

// Sets up `parser` with the program's options and reads `arguments` (argv, the program name
// first). Relative file names are made absolute against `currentFolder`, so that another
// running instance can open them.
TCommandLine ParseCommandLine(QCommandLineParser &parser, const QStringList &arguments, const QString &currentFolder);

// The local socket a running Pendwick listens on for files from later starts: one per user,
// in the user's runtime folder.
QString InstanceServerName();

// The message a later start sends with its files, and its reading. DecodeFileList answers
// false while `bytes` holds only part of a message.
QByteArray EncodeFileList(const QStringList &files);
bool DecodeFileList(const QByteArray &bytes, QStringList &files);
