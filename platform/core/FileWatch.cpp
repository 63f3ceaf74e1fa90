#include "platform/core/FileWatch.h"

#include <QFileInfo>

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
    const QString folder = QFileInfo(file).absolutePath();
    const QStringList old = m_watcher.files() + m_watcher.directories();
    for (const QString& path : old) {
        if (path != file && path != folder)
            m_watcher.removePath(path);
    }
    m_file = file;
    if (!m_watcher.directories().contains(folder) && QFileInfo::exists(folder))
        m_watcher.addPath(folder);
    OnEvent();
    m_settle.stop();
}

// The file stops being watched once it is removed or replaced; take it up again when it is there.
void CFileWatch::OnEvent()
{
    if (!m_file.isEmpty() && !m_watcher.files().contains(m_file) && QFileInfo::exists(m_file))
        m_watcher.addPath(m_file);
    if (!m_settle.isActive())
        m_settle.start();
}
