#pragma once
// Tells when to look at one file again: at once when the kernel tells of a change to the file or
// to a folder on its path (the path is followed: a file replaced under its name, a link retargeted,
// any folder on the way renamed or removed and made anew are followed again),
// a write after a quiet spell told at once and what follows it within 50 ms as one change once
// that has passed; and once a minute, for the changes no notification tells of and for whatever
// else the minute brings.

#include "platform/core/NameWatch.h"

#include <QHash>
#include <QObject>
#include <QStringList>
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
    // Tells of a change again once the burst it belongs to has settled: for a look that came too soon.
    void Settle();

signals:
    // notified: the system told of a change; else the minute has come round. settled: the burst
    // of writes is over (or it is the minute's look); unsettled, the first write after a quiet
    // spell, told at once.
    void due(bool notified, bool settled);

private:
    // Which file or folder a watched name stood for when its watch was set (device and inode).
    using Identity = std::pair<std::uint64_t, std::uint64_t>;
    struct Watched {
        Identity identity;
        bool folder = false;
        QStringList entries;     // a folder's entries that lead on to the file
        bool entriesTold = true; // a folder tells of its entries, not only of itself moved or removed
    };
    // The one a name stands for now, following links; none when it names nothing.
    static std::optional<Identity> IdentityOf(const QString& name);
    bool Watch(const QString& name, bool folder, QHash<QString, Watched>& resolved);
    void Rewatch();
    void Narrow(QHash<QString, Watched>& resolved);
    void OnChanged(const QString& name, const QString& entry);

    CNameWatch m_names;
    QHash<QString, Watched> m_watched;
    QTimer m_settle;
    QTimer m_minute;
    QString m_given; // the name last asked to follow
    QString m_file;  // it made absolute
    bool m_pathChanged = false; // something told since the last look may have made the path name another file
    bool m_toldSince = false;   // a change told while settling, looked at once it has settled
};
