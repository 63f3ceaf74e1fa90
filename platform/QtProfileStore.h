#pragma once
// The profile store on QSettings: the registry key Software\Brisolt\Pelora on Windows, an INI file
// in the user's config folder elsewhere. Every write is flushed before it returns.

#include "platform/ProfileStore.h"

#include <QSettings>
#include <memory>

class CQtProfileStore : public IProfileStore {
public:
    CQtProfileStore();                               // the user's own store
    explicit CQtProfileStore(const QString& iniPath); // a given INI file (tests)

    std::int32_t GetProfileInt(const std::string& section, const std::string& entry,
                               std::int32_t defaultValue) override;
    bool WriteProfileInt(const std::string& section, const std::string& entry,
                         std::int32_t value) override;
    std::string GetProfileString(const std::string& section, const std::string& entry,
                                 const std::string& defaultValue) override;
    bool WriteProfileString(const std::string& section, const std::string& entry,
                            const std::string& value) override;


private:
    QSettings& Store();
    bool Flush();

    std::unique_ptr<QSettings> m_settings;
    bool m_checked = false;
};
