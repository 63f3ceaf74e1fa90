#pragma once
// The profile store on QSettings: the registry key Software\Brisolt\Pelora on Windows, an INI file
// in the user's config folder elsewhere. Writes reach the disk together a moment after they are
// made (at once where no event loop runs), and at the latest when the store ends: every sync
// rewrites the whole file, which for a large one takes seconds no user action should wait for.
//
// A settings file that cannot be read as settings (a syntax error, bytes that are not UTF-8, no
// line that parses) is kept under a time-stamped backup name and the store starts from defaults,
// rather than rewriting the junk with the next setting. A read-only store (for the commands that
// run without a window) never writes, renames or removes anything: it reads a damaged file as empty.
// A settings path that names something other than a regular file (a FIFO would block every read,
// a link to /dev/zero never ends) is never opened: the store starts from defaults and keeps what
// is written in memory, told like any other write that could not be saved.

#include "platform/core/ProfileStore.h"

#include <QSettings>
#include <QTimer>
#include <functional>
#include <memory>

class CQtProfileStore : public IProfileStore {
public:
    enum Access { ReadWrite, ReadOnly };

    explicit CQtProfileStore(Access access = ReadWrite); // the user's own store
    CQtProfileStore(const QString& iniPath, Access access = ReadWrite);
    ~CQtProfileStore() override;

    std::int32_t GetProfileInt(const std::string& section, const std::string& entry,
                               std::int32_t defaultValue) override;
    bool WriteProfileInt(const std::string& section, const std::string& entry,
                         std::int32_t value) override;
    std::string GetProfileString(const std::string& section, const std::string& entry,
                                 const std::string& defaultValue) override;
    bool WriteProfileString(const std::string& section, const std::string& entry,
                            const std::string& value) override;

    // Called once, at the first write that could not be saved; the settings stay in memory.
    void OnWriteFailed(std::function<void(const QString& path)> handler) { m_onWriteFailed = std::move(handler); }
    QString FileName() const { return m_path; }

private:
    void Open(const QString& path);
    QSettings& Store();
    bool Flush();
    void Sync();
    bool TellWriteFailed();
    void SetAside();

    QString m_path;
    std::unique_ptr<QSettings> m_settings;
    std::unique_ptr<CMemoryProfileStore> m_inMemory; // when the path is not a regular file
    std::unique_ptr<QTimer> m_syncTimer;
    Access m_access;
    bool m_checked = false;
    bool m_unreadable = false;
    bool m_toldWriteFailure = false;
    std::function<void(const QString&)> m_onWriteFailed;
};

// A stored value as a signed 32-bit integer: its text, blanks around it allowed, must be exactly
// such a number, else the default applies. (A QVariant's own int conversion would wrap or zero
// numbers out of range.)
std::int32_t ProfileIntOf(const QVariant& value, std::int32_t defaultValue);
// A stored value as bytes: text as UTF-8, a byte array (a name that is not UTF-8) as it is.
std::string ProfileStringOf(const QVariant& value, const std::string& defaultValue);

// Whether the bytes of an INI settings file cannot be settings at all.
bool LooksLikeDamagedSettings(const QByteArray& content);
