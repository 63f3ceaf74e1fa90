#pragma once
// The per-user profile: integers and texts by section and value name.
// Reads never fail (a missing or unreadable value gives the default); write results are advisory.

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

class IProfileStore {
public:
    virtual ~IProfileStore() = default;
    virtual std::int32_t GetProfileInt(const std::string& section, const std::string& entry,
                                       std::int32_t defaultValue) = 0;
    virtual bool WriteProfileInt(const std::string& section, const std::string& entry,
                                 std::int32_t value) = 0;
    virtual std::string GetProfileString(const std::string& section, const std::string& entry,
                                         const std::string& defaultValue) = 0;
    virtual bool WriteProfileString(const std::string& section, const std::string& entry,
                                    const std::string& value) = 0;
};

// Keeps everything in memory and remembers the order of writes, for tests and the report command.
class CMemoryProfileStore : public IProfileStore {
public:
    struct Write {
        std::string section;
        std::string entry;
        std::string value;
        bool operator==(const Write&) const = default;
    };

    std::int32_t GetProfileInt(const std::string& section, const std::string& entry,
                               std::int32_t defaultValue) override;
    bool WriteProfileInt(const std::string& section, const std::string& entry,
                         std::int32_t value) override;
    std::string GetProfileString(const std::string& section, const std::string& entry,
                                 const std::string& defaultValue) override;
    bool WriteProfileString(const std::string& section, const std::string& entry,
                            const std::string& value) override;

    const auto& Writes() const { return m_writes; }
    void ClearWrites() { m_writes.clear(); }

private:
    std::map<std::pair<std::string, std::string>, std::string> m_values;
    std::vector<Write> m_writes;
};

// Decimal text to a signed 32-bit value; false when the text is not exactly such a number.
bool ParseProfileInt(const std::string& text, std::int32_t& value);
