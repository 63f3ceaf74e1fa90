#include "platform/core/RecentFileList.h"

#include <algorithm>

void CRecentFileList::ReadList()
{
    m_files.clear();
    for (int i = 0; i < m_size; ++i) {
        const std::string path = m_read(i);
        if (!path.empty())
            m_files.push_back(path);
    }
}

// Unused slots are written empty, so an entry that fell off the list does not linger.
void CRecentFileList::WriteList()
{
    for (int i = 0; i < m_size; ++i)
        m_write(i, i < static_cast<int>(m_files.size()) ? m_files[static_cast<std::size_t>(i)] : "");
}

void CRecentFileList::Add(const std::string& path)
{
    m_files.erase(std::remove(m_files.begin(), m_files.end(), path), m_files.end());
    m_files.insert(m_files.begin(), path);
    if (m_files.size() > static_cast<std::size_t>(m_size))
        m_files.resize(static_cast<std::size_t>(m_size));
}
