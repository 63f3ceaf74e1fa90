#include "platform/core/NameWatch.h"

#ifdef Q_OS_LINUX
#include "platform/core/PathText.h"

#include <algorithm>
#include <cstdint>
#include <sys/inotify.h>
#include <unistd.h>

namespace {
constexpr std::uint32_t kFileEvents = IN_MODIFY | IN_ATTRIB | IN_MOVE_SELF | IN_DELETE_SELF;
constexpr std::uint32_t kFolderItselfEvents = IN_ONLYDIR | IN_MOVE_SELF | IN_DELETE_SELF;
constexpr std::uint32_t kFolderEvents = kFolderItselfEvents | IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_ATTRIB;

std::uint32_t EventsOf(CNameWatch::Kind kind)
{
    switch (kind) {
    case CNameWatch::Kind::File: return kFileEvents;
    case CNameWatch::Kind::Folder: return kFolderEvents;
    case CNameWatch::Kind::FolderItself: return kFolderItselfEvents;
    }
    return kFileEvents;
}
} // namespace

CNameWatch::CNameWatch(QObject* parent) : QObject(parent), m_inotify(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
{
    if (m_inotify < 0)
        return; // no watch can be set: Add says so
    m_notifier.setSocket(m_inotify);
    m_notifier.setEnabled(true);
    connect(&m_notifier, &QSocketNotifier::activated, this, &CNameWatch::Read);
}

CNameWatch::~CNameWatch()
{
    m_notifier.setEnabled(false);
    if (m_inotify >= 0)
        ::close(m_inotify);
}

// The kernel keeps one watch per file: asked again, it hands back the same one with the new events.
// A name that has come to stand for another file drops the old watch only once the new one is set.
bool CNameWatch::Add(const QString& name, Kind kind)
{
    const int watch = ::inotify_add_watch(m_inotify, EncodePath(name).c_str(), EventsOf(kind));
    if (watch < 0) {
        Remove(name);
        return false;
    }
    const int was = m_watches.value(name, watch);
    m_watches.insert(name, watch);
    if (was != watch)
        Drop(was);
    return true;
}

void CNameWatch::Remove(const QString& name)
{
    const auto it = m_watches.constFind(name);
    if (it == m_watches.cend())
        return;
    const int watch = *it;
    m_watches.erase(it);
    Drop(watch);
}

// Names of one file share its watch: it goes with the last of them.
void CNameWatch::Drop(int watch)
{
    if (std::find(m_watches.cbegin(), m_watches.cend(), watch) == m_watches.cend())
        ::inotify_rm_watch(m_inotify, watch);
}

bool CNameWatch::IsWatched(const QString& name) const
{
    return m_watches.contains(name);
}

void CNameWatch::Read()
{
    alignas(inotify_event) char buffer[16 * 1024];
    for (;;) {
        const ssize_t length = ::read(m_inotify, buffer, sizeof buffer);
        if (length <= 0)
            return; // all read
        for (ssize_t at = 0; at < length;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            if (event->mask & IN_Q_OVERFLOW) {
                emit changed(QString(), QString());
                continue;
            }
            const QStringList names = m_watches.keys(event->wd);
            if (event->mask & IN_IGNORED) {
                for (const QString& name : names)
                    m_watches.remove(name);
            }
            const QString entry = event->len > 0 ? DecodePath(event->name) : QString();
            for (const QString& name : names)
                emit changed(name, entry);
        }
    }
}
#else
CNameWatch::CNameWatch(QObject* parent) : QObject(parent)
{
    const auto tell = [this](const QString& name) { emit changed(name, QString()); };
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, tell);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, tell);
}

CNameWatch::~CNameWatch() = default;

bool CNameWatch::Add(const QString& name, Kind)
{
    Remove(name);
    return m_watcher.addPath(name);
}

void CNameWatch::Remove(const QString& name)
{
    if (IsWatched(name))
        m_watcher.removePath(name);
}

bool CNameWatch::IsWatched(const QString& name) const
{
    return m_watcher.files().contains(name) || m_watcher.directories().contains(name);
}
#endif
