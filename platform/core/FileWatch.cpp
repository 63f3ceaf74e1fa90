#include "platform/core/FileWatch.h"

#include <QFile>
#include <QFileInfo>
#include <optional>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

namespace {
constexpr int kMaxLinks = 8; // links followed from the path to the file itself

// The folder itself, or while it is missing the nearest one above it that exists.
QString NearestFolder(QString folder)
{
    while (!QFileInfo(folder).isDir()) {
        const QString parent = QFileInfo(folder).absolutePath();
        if (parent == folder)
            break;
        folder = parent;
    }
    return folder;
}
} // namespace

CFileWatch::CFileWatch(QObject* parent) : QObject(parent)
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleInterval);
    connect(&m_settle, &QTimer::timeout, this, [this] { emit due(true); });
    m_minute.setInterval(kMinute);
    connect(&m_minute, &QTimer::timeout, this, [this] { emit due(false); });
    m_minute.start();
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &CFileWatch::OnEvent);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &CFileWatch::OnEvent);
}

void CFileWatch::Follow(const QString& file)
{
    m_file = QFileInfo(file).absoluteFilePath();
    Rewatch();
}

std::optional<CFileWatch::Identity> CFileWatch::IdentityOf(const QString& name)
{
#ifdef Q_OS_WIN
    if (!QFileInfo::exists(name))
        return std::nullopt;
    // No device and inode to be had here: every name counts as another file, watched afresh.
    static std::uint64_t look = 0;
    return Identity{++look, 0};
#else
    struct stat info {};
    if (::stat(QFile::encodeName(name).constData(), &info) != 0)
        return std::nullopt;
    return Identity{static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
#endif
}

// The names the path rests on now, with what each stands for: each link and its target with their
// folders and those folders' folders (the nearest existing one while a folder is missing).
QHash<QString, CFileWatch::Identity> CFileWatch::NamesToWatch() const
{
    QHash<QString, Identity> names;
    const auto add = [&names](const QString& name) {
        if (const std::optional<Identity> identity = IdentityOf(name))
            names.insert(name, *identity);
    };
    QString path = m_file;
    for (int link = 0; link <= kMaxLinks && !path.isEmpty(); ++link) {
        const QFileInfo info(path);
        const QString folder = NearestFolder(info.absolutePath());
        add(folder);
        add(NearestFolder(QFileInfo(folder).absolutePath())); // a folder renamed away is told there
        add(info.absoluteFilePath());
        if (!info.isSymLink())
            break;
        path = info.symLinkTarget();
    }
    return names;
}

// The path is followed, not the file it named once: resolved again at every event.
// A watch holds on to the file or folder it was set on, so a name given to another one while the
// first lives on (a second hard link, a backup, a renamed folder) is watched afresh. Every other
// watch is left as it is: a watch taken away drops the changes it has not told yet, and a change
// made just then would wait for the minute.
void CFileWatch::Rewatch()
{
    const QHash<QString, Identity> wanted = NamesToWatch();
    // The system drops a name whose file or folder went away, but of names sharing one watch (a link
    // and its target) only one: the others lost their watch with it.
    const QStringList listed = m_watcher.files() + m_watcher.directories();
    QList<Identity> gone;
    for (auto it = m_watched.cbegin(); it != m_watched.cend(); ++it) {
        if (!listed.contains(it.key()))
            gone << it.value();
    }
    QStringList stale, fresh;
    for (const QString& name : listed) {
        const Identity was = m_watched.value(name);
        if (!wanted.contains(name) || wanted.value(name) != was || gone.contains(was))
            stale << name;
    }
    for (auto it = wanted.cbegin(); it != wanted.cend(); ++it) {
        if (!listed.contains(it.key()) || stale.contains(it.key()))
            fresh << it.key();
    }
    if (!stale.isEmpty())
        m_watcher.removePaths(stale);
    // Identities taken before the watches are set: a name changed in between is set afresh next time.
    m_watched = wanted;
    if (!fresh.isEmpty())
        m_watcher.addPaths(fresh);
}

void CFileWatch::OnEvent()
{
    Rewatch();
    if (!m_settle.isActive())
        m_settle.start();
}
