#include "app/instanceserver.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QVariant>

#include "app/commandline.h"

namespace {
const char kTaken = '1';
}

bool HandFilesToRunningInstance(const QString &serverName, const QStringList &files, int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(serverName);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(EncodeFileList(files));
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    // The running program answers once it has the files, so this start may end.
    while (socket.bytesAvailable() == 0) {
        if (!socket.waitForReadyRead(timeoutMs))
            return false;
    }
    return socket.read(1) == QByteArray(1, kTaken);
}

TInstanceServer::TInstanceServer(std::function<void(const QStringList &)> handler, QObject *parent)
    : QObject(parent)
    , m_handler(std::move(handler))
    , m_server(new QLocalServer(this))
{
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &TInstanceServer::Accept);
}

bool TInstanceServer::Listen(const QString &serverName)
{
    // A window already listening keeps the name (listen() would take it over); a socket
    // nobody answers on is stale.
    QLocalSocket probe;
    probe.connectToServer(serverName);
    if (probe.waitForConnected(500))
        return false;
    QLocalServer::removeServer(serverName);
    return m_server->listen(serverName);
}

void TInstanceServer::Accept()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { Read(socket); });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    }
}

void TInstanceServer::Read(QLocalSocket *socket)
{
    QByteArray bytes = socket->property("received").toByteArray() + socket->readAll();
    QStringList files;
    if (!DecodeFileList(bytes, files)) {
        socket->setProperty("received", bytes);
        return;
    }
    socket->setProperty("received", QByteArray());
    // Answered first: the sender need not wait for the files to load.
    socket->write(QByteArray(1, kTaken));
    socket->flush();
    if (m_handler)
        m_handler(files);
}
