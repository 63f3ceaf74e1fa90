#pragma once
// The profile store: the registry key Software\Brisolt\Pelora on Windows, an INI file in the
// user's config folder elsewhere. The file is read once; what the program writes is kept beside it
// and reaches the disk a moment after it is made (at once where no event loop runs), put into the
// file on a thread of its own so that no user action waits on a large file; a change left
// unwritten is written when the store ends.
//
// A settings file that cannot be read as settings (a syntax error, bytes that are not UTF-8, no
// line that parses) is kept under a time-stamped backup name and the store starts from defaults,
// rather than rewriting the junk with the next setting. A read-only store (for the commands that
// run without a window) never writes, renames or removes anything: it reads a damaged file as empty.
// A settings path that names something other than a regular file, at start or at any later write
// (a FIFO would block, a link to /dev/zero never ends or would be replaced), is never opened nor
// replaced: from then on the store keeps what is written in memory, told once like any other write
// that could not be saved.

#include "platform/core/ProfileStore.h"
#include "platform/core/SettingsFile.h"

#include <QTimer>
#include <functional>
#include <memory>

class CWorker;

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

    // Waits for a save under way and writes what is still unwritten; later writes are saved at once.
    void Close();
    // Called once, at the first write that could not be saved; the settings stay in memory.
    void OnWriteFailed(std::function<void(const QString& path)> handler) { m_onWriteFailed = std::move(handler); }
    QString FileName() const { return m_path; }

private:
    QVariant Find(const QString& key);
    bool Write(const QString& key, const QVariant& value);
    void Load();
    void SetAside();
    void StartSave();
    void Saved(bool written, bool notRegular);
    bool Save(const SettingsMap& entries, bool& notRegular) const;
    bool TellWriteFailed();

    QString m_path;
    Access m_access;
    bool m_loaded = false;
    bool m_memoryOnly = false; // the place is not a regular file: nothing more is written
    bool m_failed = false;     // a write could not be saved
    bool m_toldWriteFailure = false;
    bool m_dirty = false;      // changed since the last save began
    bool m_saving = false;
    bool m_closed = false;
    std::shared_ptr<std::pair<bool, bool>> m_outcome; // of the save under way: written, not regular
    CSettingsFile m_file;      // as read at first use
    SettingsMap m_written;     // every entry written since, a few dozen
    std::unique_ptr<QTimer> m_saveTimer;
    std::unique_ptr<CWorker> m_saver;
    std::function<void(const QString&)> m_onWriteFailed;
};

// A stored value as a signed 32-bit integer: its text, blanks around it allowed, must be exactly
// such a number, else the default applies. (A QVariant's own int conversion would wrap or zero
// numbers out of range.)
std::int32_t ProfileIntOf(const QVariant& value, std::int32_t defaultValue);
// A stored value as bytes: text as UTF-8, a byte array (a name that is not UTF-8) as it is.
std::string ProfileStringOf(const QVariant& value, const std::string& defaultValue);
