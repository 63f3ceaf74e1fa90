#include "platform/core/FileWatch.h"

#include "platform/core/PathText.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <filesystem>
#include <optional>
#include <set>

#ifndef Q_OS_WIN
#include <climits>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {
constexpr int kMaxLinks = 8; // links followed from the path to the file itself

// Each folder from the root down to the one holding name, with its entry that leads on to name.
QList<std::pair<QString, QString>> FoldersDown(const QString& name)
{
    QList<std::pair<QString, QString>> steps;
    for (QFileInfo info(name); info.absolutePath() != info.absoluteFilePath(); info.setFile(info.absolutePath()))
        steps.prepend({info.absolutePath(), info.fileName()});
    return steps;
}

// The path made absolute and clean, its bytes kept (QFileInfo would lose those that are not UTF-8).
QString AbsolutePath(const QString& file)
{
#ifdef Q_OS_WIN
    return QFileInfo(file).absoluteFilePath();
#else
    std::error_code failed;
    const std::filesystem::path absolute = std::filesystem::absolute(EncodePath(file), failed);
    return QDir::cleanPath(failed ? file : DecodePath(absolute.string()));
#endif
}

// Where a link points, as an absolute path; none when the name is no link.
std::optional<QString> LinkTarget(const QString& name)
{
#ifdef Q_OS_WIN
    const QFileInfo info(name);
    if (!info.isSymLink())
        return std::nullopt;
    return info.symLinkTarget();
#else
    std::string bytes(PATH_MAX, '\0');
    const ssize_t length = ::readlink(EncodePath(name).c_str(), bytes.data(), bytes.size());
    if (length < 0)
        return std::nullopt;
    bytes.resize(static_cast<std::size_t>(length));
    const QString target = DecodePath(bytes);
    return QDir::cleanPath(QDir::isAbsolutePath(target) ? target : QFileInfo(name).absolutePath() + '/' + target);
#endif
}
} // namespace

CFileWatch::CFileWatch(QObject* parent) : QObject(parent)
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleInterval);
    connect(&m_settle, &QTimer::timeout, this, [this] {
        if (!std::exchange(m_toldSince, false))
            return;
        if (std::exchange(m_pathChanged, false))
            Rewatch();
        emit due(true, true);
    });
    m_minute.setInterval(kMinute);
    connect(&m_minute, &QTimer::timeout, this, [this] {
        Rewatch();
        emit due(false, true);
    });
    m_minute.start();
    connect(&m_names, &CNameWatch::changed, this, &CFileWatch::OnChanged);
}

void CFileWatch::Follow(const QString& file)
{
    // Asked at every load: the same name is not worked out again (nothing here changes the working folder).
    if (file == std::exchange(m_given, file))
        return;
    const QString path = AbsolutePath(file);
    if (path == m_file)
        return; // the watches follow it already
    m_file = path;
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
    if (::stat(EncodePath(name).c_str(), &info) != 0)
        return std::nullopt;
    return Identity{static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
#endif
}

// Watches the name as part of the path now, unless it names nothing. A watch is set afresh only
// where the name stands for another file or folder than when it was set, or has lost its watch:
// a watch taken away drops the changes it has not told yet.
bool CFileWatch::Watch(const QString& name, bool folder, QHash<QString, Watched>& resolved)
{
    if (resolved.contains(name))
        return true;
    const std::optional<Identity> identity = IdentityOf(name);
    if (!identity)
        return false;
    const auto was = m_watched.constFind(name);
    // A folder tells of its entries again before the name below it is looked at.
    if (was == m_watched.cend() || was->identity != *identity || !m_names.IsWatched(name) || !was->entriesTold)
        m_names.Add(name, folder ? CNameWatch::Kind::Folder : CNameWatch::Kind::File);
    resolved.insert(name, {*identity, folder, {}});
    return true;
}

// The path is followed, not the file it named once: every folder from the root down, through each
// link, is watched for its entry that leads on, so whatever makes the path name another file is
// told. Each name is looked at once the folder above it is watched: a change made meanwhile is
// either seen here or told. A folder missing is made under one watched, which tells it.
void CFileWatch::Rewatch()
{
    QHash<QString, Watched> resolved;
    const auto foldersWatched = [&](const QString& name) {
        for (const auto& [folder, entry] : FoldersDown(name)) {
            if (!Watch(folder, true, resolved))
                return false;
            if (!resolved[folder].entries.contains(entry))
                resolved[folder].entries << entry;
        }
        return true;
    };
    QString path = m_file;
    for (int link = 0; link <= kMaxLinks && foldersWatched(path); ++link) {
        const std::optional<QString> target = LinkTarget(path);
        if (!target) {
            Watch(path, false, resolved);
            break;
        }
        path = *target;
    }
    Narrow(resolved);
    for (auto it = m_watched.cbegin(); it != m_watched.cend(); ++it) {
        if (!resolved.contains(it.key()))
            m_names.Remove(it.key());
    }
    m_watched = std::move(resolved);
}

// A folder whose entries on the path all lead on to a folder (no link) that leads on in turn tells
// only of itself moved or removed: the folder below tells of whatever changes under it, and the
// other entries of a busy folder such as /tmp wake nobody. A folder where the path ends, breaks or
// passes a link goes on telling of its entries. The kernel keeps one set of events per folder, so a
// folder reached by two names tells of its entries if either needs them.
void CFileWatch::Narrow(QHash<QString, Watched>& resolved)
{
#ifdef Q_OS_LINUX
    const auto joined = [](const QString& folder, const QString& entry) {
        return folder.endsWith('/') ? folder + entry : folder + '/' + entry;
    };
    const auto leadsOn = [&](const QString& name) {
        struct stat info {};
        const auto next = resolved.constFind(name);
        if (next == resolved.cend() || !next->folder || ::lstat(EncodePath(name).c_str(), &info) != 0 || S_ISLNK(info.st_mode))
            return false;
        return std::all_of(next->entries.cbegin(), next->entries.cend(),
                           [&](const QString& entry) { return resolved.contains(joined(name, entry)); });
    };
    std::set<Identity> telling;
    for (auto it = resolved.cbegin(); it != resolved.cend(); ++it) {
        if (it->folder && !std::all_of(it->entries.cbegin(), it->entries.cend(),
                                       [&](const QString& entry) { return leadsOn(joined(it.key(), entry)); }))
            telling.insert(it->identity);
    }
    for (auto it = resolved.begin(); it != resolved.end(); ++it) {
        const bool told = telling.count(it->identity) > 0;
        if (it->folder && told != it->entriesTold) {
            m_names.Add(it.key(), told ? CNameWatch::Kind::Folder : CNameWatch::Kind::FolderItself);
            it->entriesTold = told;
        }
    }
#else
    Q_UNUSED(resolved); // the watcher there tells of every folder's entries
#endif
}

// A write to the file is looked at as it is. A change to an entry on the path, to a folder on it
// itself, or to a watch lost may have made the path name another file: it is followed again first.
// The other entries of those folders are no concern.
void CFileWatch::OnChanged(const QString& name, const QString& entry)
{
    const auto it = m_watched.constFind(name);
    const bool watched = it != m_watched.cend() && m_names.IsWatched(name);
    if (watched && it->folder && !entry.isEmpty() && !it->entries.contains(entry))
        return;
    m_pathChanged = m_pathChanged || !watched || it->folder;
    // A write after a quiet spell is looked at at once (the process is awake for it now); the rest
    // of its burst, and whatever may have moved the path, once settled.
    const bool quiet = !m_settle.isActive();
    if (quiet)
        m_settle.start();
    if (quiet && !m_pathChanged)
        emit due(true, false);
    else
        m_toldSince = true;
}

void CFileWatch::Settle()
{
    m_toldSince = true;
    if (!m_settle.isActive())
        m_settle.start();
}
