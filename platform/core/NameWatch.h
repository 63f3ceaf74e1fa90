#pragma once
// Watches files and folders given by name and tells which changed, and in a folder which entry.
// A watch stays on the file or folder the name stood for when it was set. On Linux the system's
// inotify is asked with the name's own bytes (EncodePath), so a name that is not UTF-8 is watched
// too; elsewhere Qt's watcher does it, and it names no entry.

#include <QHash>
#include <QObject>
#include <QString>

#ifdef Q_OS_LINUX
#include <QSocketNotifier>
#else
#include <QFileSystemWatcher>
#endif

class CNameWatch : public QObject {
    Q_OBJECT
public:
    explicit CNameWatch(QObject* parent = nullptr);
    ~CNameWatch() override;

    // Watches what the name stands for now, links followed: a file for writes and changed
    // attributes, a folder for its entries made, removed, renamed or changed, and for itself
    // moved or removed. False when it cannot be watched.
    bool Add(const QString& name, bool folder);
    void Remove(const QString& name);
    // False once the system has dropped the watch (its file or folder went away).
    bool IsWatched(const QString& name) const;

signals:
    // name: the watched one that changed, empty when changes were lost (anything may have changed).
    // entry: the entry of that folder that changed; empty for the file or folder itself, or not known.
    void changed(const QString& name, const QString& entry);

private:
#ifdef Q_OS_LINUX
    void Read();

    int m_inotify = -1;
    QSocketNotifier m_notifier{QSocketNotifier::Read};
    QHash<QString, int> m_watches; // name: its watch descriptor, which names of one file share
#else
    QFileSystemWatcher m_watcher;
#endif
};
