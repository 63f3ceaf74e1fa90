#include "platform/core/FileWatch.h"

#include <QFileInfo>

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

// The path is followed, not the file it named once: resolved again at every event, each link
// and its target watched with their folders and those folders' folders (the nearest existing one
// while a folder is missing).
// All is watched afresh each time: a watch holds on to the file or folder it was set on, so when a
// name is given to another one while the first lives on (a second hard link, a backup, a renamed
// folder), only a new watch follows the name.
void CFileWatch::Rewatch()
{
    QStringList files, folders;
    QString path = m_file;
    for (int link = 0; link <= kMaxLinks && !path.isEmpty(); ++link) {
        const QFileInfo info(path);
        const QString folder = NearestFolder(info.absolutePath());
        // The folder's own folder too: a folder renamed away is told there.
        folders << folder << NearestFolder(QFileInfo(folder).absolutePath());
        if (info.exists())
            files << info.absoluteFilePath();
        if (!info.isSymLink())
            break;
        path = info.symLinkTarget();
    }
    const QStringList watched = m_watcher.files() + m_watcher.directories();
    if (!watched.isEmpty())
        m_watcher.removePaths(watched);
    folders.removeDuplicates();
    m_watcher.addPaths(folders + files);
}

void CFileWatch::OnEvent()
{
    Rewatch();
    if (!m_settle.isActive())
        m_settle.start();
}
