#pragma once
// The most recently opened documents, newest first, kept in the profile although no menu shows them.

#include "app/Settings.h"

#include <string>
#include <vector>

class CRecentFileList {
public:
    explicit CRecentFileList(CSettings& settings) : m_settings(settings) {}
    void ReadList();
    void WriteList();
    void Add(const std::string& path);
    const std::vector<std::string>& Files() const { return m_files; }

private:
    CSettings& m_settings;
    std::vector<std::string> m_files;
};
