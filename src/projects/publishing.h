#pragma once
// Publishing: files handed to the publishing program named by "PublishCommand" under
// "Software\Pendwick" (a program with fixed arguments, split as a command line; each file
// is one more argument). It is started on its own, never through a shell.
#include <QString>
#include <QStringList>

class QWidget;

QString PublishCommand();

enum TPublishStart { psStarted, psNoFiles, psNoCommand };
// Starts the command with the files; psNoFiles for no files or an empty name among them,
// psNoCommand when none is set or it cannot be started.
TPublishStart StartPublishing(const QString &command, const QStringList &files);

// The message shown when no publishing program can be used: it names the help page that
// says how to set one.
QString PublisherMissingText(const QString &helpPage);

// Publishes the files with the program's messages: "No files passed." for none, the
// missing-publisher warning when the command cannot be used. True when it started.
bool PublishFiles(const QStringList &files, QWidget *parent);
