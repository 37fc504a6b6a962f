#pragma once

#include <functional>

#include <QObject>
#include <QStringList>

class QLocalServer;
class QLocalSocket;

// Hands `files` to a Pendwick that already listens on `serverName` and waits until it has
// taken them. Answers false when none runs (or it does not answer within `timeoutMs`); the
// caller then opens its own window.
bool HandFilesToRunningInstance(const QString &serverName, const QStringList &files, int timeoutMs = 3000);

// The listening side: each list of files a later start sends is passed to the handler.
class TInstanceServer : public QObject
{
    Q_OBJECT

public:
    explicit TInstanceServer(std::function<void(const QStringList &files)> handler, QObject *parent = nullptr);
    // Starts listening, unless another window already listens on the name; a socket left
    // behind by a program that ended without closing it is removed first. Answers whether
    // the server listens.
    bool Listen(const QString &serverName);

private:
    void Accept();
    void Read(QLocalSocket *socket);

    std::function<void(const QStringList &)> m_handler;
    QLocalServer *m_server;
};
