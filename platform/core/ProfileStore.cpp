#include "platform/core/ProfileStore.h"

#include <charconv>

bool ParseProfileInt(const std::string& text, std::int32_t& value)
{
    const char* first = text.data();
    const char* last = first + text.size();
    std::int32_t parsed = 0;
    const auto [end, error] = std::from_chars(first, last, parsed);
    if (error != std::errc() || end != last || first == last)
        return false;
    value = parsed;
    return true;
}

std::int32_t CMemoryProfileStore::GetProfileInt(const std::string& section,
                                                const std::string& entry, std::int32_t defaultValue)
{
    const auto it = m_values.find({section, entry});
    std::int32_t value = defaultValue;
    if (it == m_values.end() || !ParseProfileInt(it->second, value))
        return defaultValue;
    return value;
}

bool CMemoryProfileStore::WriteProfileInt(const std::string& section, const std::string& entry,
                                          std::int32_t value)
{
    return WriteProfileString(section, entry, std::to_string(value));
}

std::string CMemoryProfileStore::GetProfileString(const std::string& section,
                                                  const std::string& entry,
                                                  const std::string& defaultValue)
{
    const auto it = m_values.find({section, entry});
    return it == m_values.end() ? defaultValue : it->second;
}

bool CMemoryProfileStore::WriteProfileString(const std::string& section, const std::string& entry,
                                             const std::string& value)
{
    m_values[{section, entry}] = value;
    m_writes.push_back({section, entry, value});
    return true;
}
