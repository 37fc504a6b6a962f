#pragma once
// A small HTTP server for tests, on 127.0.0.1, with canned replies.
#include <QHash>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

// Answers each request with the canned reply of its path, sent in pieces 20 ms apart and
// the connection closed after the last; a path with no pieces is never answered.
class TCannedServer : public QTcpServer
{
public:
    QHash<QByteArray, QList<QByteArray>> Replies;

    TCannedServer()
    {
        listen(QHostAddress::LocalHost);
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *s = nextPendingConnection())
                connect(s, &QTcpSocket::readyRead, s, [this, s] { Answer(s); });
        });
    }
    QString Base() const { return QStringLiteral("http://127.0.0.1:%1").arg(serverPort()); }

    static QByteArray Reply(const QByteArray &status, const QByteArray &type, const QByteArray &body)
    {
        return "HTTP/1.1 " + status + "\r\nContent-Type: " + type + "\r\nContent-Length: " +
               QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
    }
    static QByteArray Moved(const QByteArray &to)
    {
        return "HTTP/1.1 302 Found\r\nLocation: " + to + "\r\nContent-Length: 0\r\n\r\n";
    }

private:
    void Answer(QTcpSocket *s)
    {
        QByteArray &request = m_requests[s];
        request += s->readAll();
        if (!request.contains("\r\n\r\n"))
            return;
        const QByteArray path = request.split(' ').value(1);
        request.clear();
        const QList<QByteArray> pieces = Replies.value(path);
        for (int i = 0; i < pieces.size(); ++i)
            QTimer::singleShot(20 * i, s, [s, piece = pieces.at(i), last = i + 1 == pieces.size()] {
                s->write(piece);
                if (last)
                    s->disconnectFromHost();
            });
    }
    QHash<QTcpSocket *, QByteArray> m_requests;
};
