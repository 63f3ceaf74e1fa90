#pragma once
// How a second start reaches the instance that runs: a local socket beside the instance lock. The
// running instance listens; a second start sends one message (a file to open, or none to come to
// the front), waits until the running one answers that it has taken it, and ends. Only the
// instance that holds the lock listens, so a socket file left by a crashed one is stale and taken over.

#include <QByteArray>
#include <QLocalServer>
#include <QObject>

class CInstanceChannel : public QObject {
    Q_OBJECT
public:
    explicit CInstanceChannel(QObject* parent = nullptr);
    // Starts listening at the socket path (call only while holding the instance lock).
    bool Listen(const QString& socketPath);
    // Hands a message to the instance listening there; false when none took it within a few seconds.
    static bool Send(const QString& socketPath, const QByteArray& message);

signals:
    void received(const QByteArray& message);

private:
    void OnConnection();

    QLocalServer m_server;
    int m_open = 0; // connections being served
};
