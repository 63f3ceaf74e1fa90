#pragma once
// Tells when to look at one file again: at once when the kernel tells of a change to the file or
// its folder (the path is followed: a file replaced under its name, a link retargeted, a folder
// removed and made anew are followed again),
// with a burst of writes 50 ms apart told as one; and once a minute, for the changes no
// notification tells of and for whatever else the minute brings.

#include <QFileSystemWatcher>
#include <QHash>
#include <QObject>
#include <QTimer>
#include <cstdint>
#include <optional>
#include <utility>

class CFileWatch : public QObject {
    Q_OBJECT
public:
    static constexpr int kSettleInterval = 50; // ms: writes this close together are one change
    static constexpr int kMinute = 60000;

    explicit CFileWatch(QObject* parent = nullptr);
    // Follows this file from now on (and no other).
    void Follow(const QString& file);

signals:
    // notified: the system told of a change; else the minute has come round.
    void due(bool notified);

private:
    // Which file or folder a watched name stood for when its watch was set (device and inode).
    using Identity = std::pair<std::uint64_t, std::uint64_t>;
    // The one a name stands for now, following links; none when it names nothing.
    static std::optional<Identity> IdentityOf(const QString& name);
    QHash<QString, Identity> NamesToWatch() const;
    void Rewatch();
    void OnEvent();

    QFileSystemWatcher m_watcher;
    QHash<QString, Identity> m_watched;
    QTimer m_settle;
    QTimer m_minute;
    QString m_file;
};
