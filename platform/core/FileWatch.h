#pragma once
// Follows one file for changes through the kernel's notification: the file itself and its folder,
// so that a file replaced under its name, or removed and written anew, is followed again. A burst
// of writes close together is told as one change.

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

class CFileWatch : public QObject {
    Q_OBJECT
public:
    explicit CFileWatch(int settleMilliseconds, QObject* parent = nullptr);
    // Follows this file from now on (and no other).
    void Follow(const QString& file);

signals:
    void changed();

private:
    void OnEvent();

    QFileSystemWatcher m_watcher;
    QTimer m_settle;
    QString m_file;
};
