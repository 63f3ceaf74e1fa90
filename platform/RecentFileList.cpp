#include "platform/RecentFileList.h"

#include <algorithm>

void CRecentFileList::ReadList()
{
    m_files.clear();
    for (int i = 0; i < CSettings::kRecentFileCount; ++i) {
        const std::string path = m_settings.RecentFile(i);
        if (!path.empty())
            m_files.push_back(path);
    }
}

void CRecentFileList::WriteList()
{
    for (int i = 0; i < CSettings::kRecentFileCount; ++i)
        m_settings.SetRecentFile(i, i < static_cast<int>(m_files.size()) ? m_files[static_cast<std::size_t>(i)] : "");
}

void CRecentFileList::Add(const std::string& path)
{
    m_files.erase(std::remove(m_files.begin(), m_files.end(), path), m_files.end());
    m_files.insert(m_files.begin(), path);
    if (m_files.size() > static_cast<std::size_t>(CSettings::kRecentFileCount))
        m_files.resize(CSettings::kRecentFileCount);
}
