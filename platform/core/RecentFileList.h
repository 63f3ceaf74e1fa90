#pragma once
// The most recently opened documents, newest first, kept in the profile although no menu shows them.
// The owner says how many are kept and how one slot is read and written.

#include <functional>
#include <string>
#include <vector>

class CRecentFileList {
public:
    using Reader = std::function<std::string(int index)>;
    using Writer = std::function<void(int index, const std::string& path)>;

    CRecentFileList(int size, Reader read, Writer write)
        : m_size(size), m_read(std::move(read)), m_write(std::move(write)) {}
    void ReadList();
    void WriteList();
    // Moves an entry to the front (once only), dropping the oldest beyond the size.
    void Add(const std::string& path);
    const std::vector<std::string>& Files() const { return m_files; }

private:
    int m_size;
    Reader m_read;
    Writer m_write;
    std::vector<std::string> m_files;
};
