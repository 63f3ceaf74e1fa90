#include "platform/gui/InstanceChannel.h"

#include <QLocalSocket>

#include <QTimer>
#include <memory>

namespace {
constexpr int kWaitMilliseconds = 3000;
constexpr qint64 kMaxMessage = 64 * 1024; // far more than any path
constexpr int kMaxConnections = 4;
}

CInstanceChannel::CInstanceChannel(QObject* parent) : QObject(parent)
{
    connect(&m_server, &QLocalServer::newConnection, this, &CInstanceChannel::OnConnection);
}

bool CInstanceChannel::Listen(const QString& socketPath)
{
    QLocalServer::removeServer(socketPath);
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    return m_server.listen(socketPath);
}

// A message is everything the sender writes before it closes. Only a few senders are served at
// a time, each for a few seconds and up to 64 KiB; the rest are dropped unread, so no other
// program of the user's can make the window hold more.
void CInstanceChannel::OnConnection()
{
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
        if (m_open >= kMaxConnections) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        ++m_open;
        auto message = std::make_shared<QByteArray>();
        const auto read = [socket, message] {
            *message += socket->read(kMaxMessage + 1 - message->size());
            if (message->size() > kMaxMessage)
                socket->abort();
        };
        connect(socket, &QLocalSocket::readyRead, socket, read);
        connect(socket, &QLocalSocket::disconnected, this, [this, socket, message, read] {
            if (message->size() <= kMaxMessage)
                read();
            if (message->size() <= kMaxMessage)
                emit received(*message);
            --m_open;
            socket->deleteLater();
        });
        QTimer::singleShot(kWaitMilliseconds, socket, [socket, message] {
            message->fill('\0', kMaxMessage + 1); // too slow: dropped like one too long
            socket->abort();
        });
    }
}

bool CInstanceChannel::Send(const QString& socketPath, const QByteArray& message)
{
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    if (!socket.waitForConnected(kWaitMilliseconds))
        return false;
    socket.write(message);
    const bool written = socket.waitForBytesWritten(kWaitMilliseconds) || socket.bytesToWrite() == 0;
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(kWaitMilliseconds);
    return written;
}
