#include "platform/gui/InstanceChannel.h"

#include <QLocalSocket>

#include <QDeadlineTimer>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <memory>

namespace {
constexpr int kWaitMilliseconds = 3000;
constexpr int kAnswerMilliseconds = 5000; // a sender's wait for the answer, tries again included
constexpr int kRetryMilliseconds = 50;
constexpr qint64 kMaxMessage = 64 * 1024; // far more than any path
constexpr int kMaxConnections = 4;
constexpr char kEnd = '\0';                 // ends a message (no path holds it)
const QByteArray kTaken = QByteArrayLiteral("taken\n");
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

// A message is everything the sender writes before a NUL byte (or, from a sender that does not
// wait for the answer, before it closes); it is answered "taken" as soon as it is whole, before
// it is acted on. Only a few senders are served at a time, each for a few seconds and up to
// 64 KiB; the rest are turned away unread (a sender tries again), so no other program of the
// user's can make the window hold more.
void CInstanceChannel::OnConnection()
{
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
        if (m_open >= kMaxConnections) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        ++m_open;
        // What one sender has written, and whether it was taken or dropped (too long, too slow).
        struct Message {
            QByteArray bytes;
            bool taken = false;
            bool dropped = false;
        };
        auto message = std::make_shared<Message>();
        const auto read = [this, socket, message] {
            if (message->taken || message->dropped)
                return;
            // Only what has come: a read of the whole room would hold 64 KiB for every sender.
            message->bytes += socket->read(std::min(socket->bytesAvailable(), kMaxMessage + 1 - message->bytes.size()));
            if (message->bytes.contains(kEnd)) {
                message->taken = true;
                socket->write(kTaken);
                socket->flush();
                emit received(message->bytes.left(message->bytes.indexOf(kEnd)));
            } else if (message->bytes.size() > kMaxMessage) {
                message->dropped = true;
                socket->abort();
            }
        };
        connect(socket, &QLocalSocket::readyRead, socket, read);
        connect(socket, &QLocalSocket::disconnected, this, [this, socket, message, read] {
            read();
            if (!message->taken && !message->dropped)
                emit received(message->bytes);
            --m_open;
            socket->deleteLater();
        });
        QTimer::singleShot(kWaitMilliseconds, socket, [socket, message] {
            message->dropped = !message->taken;
            socket->abort();
        });
    }
}

bool CInstanceChannel::Send(const QString& socketPath, const QByteArray& message)
{
    QDeadlineTimer deadline(kAnswerMilliseconds);
    do {
        QLocalSocket socket;
        socket.connectToServer(socketPath);
        if (!socket.waitForConnected(kWaitMilliseconds))
            return false;
        socket.write(message + kEnd);
        if (!socket.waitForBytesWritten(kWaitMilliseconds) && socket.bytesToWrite() > 0)
            return false;
        // Handed over only once the running instance says it has taken the message: a stopped or
        // hung instance never answers.
        QByteArray answer;
        while (answer.size() < kTaken.size() && socket.waitForReadyRead(int(deadline.remainingTime())))
            answer += socket.readAll();
        if (answer.startsWith(kTaken))
            return true;
        if (socket.state() == QLocalSocket::ConnectedState)
            return false;
        // Turned away while every place was taken (a burst of starts): again in a moment.
        QThread::msleep(kRetryMilliseconds);
    } while (!deadline.hasExpired());
    return false;
}
