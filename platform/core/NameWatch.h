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

    enum class Kind {
        File,        // written to, its attributes changed, moved or removed
        Folder,      // its entries made, removed, renamed or changed, and it moved or removed
        FolderItself // only it moved or removed: its entries wake nobody
    };
    // Watches what the name stands for now, links followed, for the changes of its kind; asked
    // again for what is watched already, it keeps the watch and changes only what it tells of.
    // False when it cannot be watched.
    bool Add(const QString& name, Kind kind);
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
    void Drop(int watch);

    int m_inotify = -1;
    QSocketNotifier m_notifier{QSocketNotifier::Read};
    QHash<QString, int> m_watches; // name: its watch descriptor, which names of one file share
#else
    QFileSystemWatcher m_watcher;
#endif
};
