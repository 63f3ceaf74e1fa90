#include "platform/gui/InstanceChannel.h"

#include <QLocalSocket>

namespace {
constexpr int kWaitMilliseconds = 3000;
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

// A message is everything the sender writes before it closes.
void CInstanceChannel::OnConnection()
{
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
        auto* message = new QByteArray;
        connect(socket, &QLocalSocket::readyRead, socket, [socket, message] { *message += socket->readAll(); });
        connect(socket, &QLocalSocket::disconnected, this, [this, socket, message] {
            *message += socket->readAll();
            emit received(*message);
            delete message;
            socket->deleteLater();
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
