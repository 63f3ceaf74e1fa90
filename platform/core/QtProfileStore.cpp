#include "platform/core/QtProfileStore.h"

#include "platform/core/PathText.h"
#include "platform/core/Worker.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <utility>

namespace {
constexpr int kSaveDelay = 200; // ms

QString Key(const std::string& section, const std::string& entry)
{
    return QString::fromStdString(section) + QLatin1Char('/') + QString::fromStdString(entry);
}

// A backup name no earlier backup has: ".bak-<time stamp>", with a number if that is taken.
QString BackupName(const QString& path)
{
    const QString stamped = path + QStringLiteral(".bak-")
                            + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString name = stamped;
    for (int n = 2; QFile::exists(name); ++n)
        name = stamped + QLatin1Char('-') + QString::number(n);
    return name;
}

// Whether a stored value already is the one to write: numbers come back from the file as text.
bool Holds(const QVariant& stored, const QVariant& value)
{
    if (value.typeId() == QMetaType::Int)
        return stored.toString() == value.toString();
    return stored.typeId() == value.typeId() && stored == value;
}
} // namespace

std::int32_t ProfileIntOf(const QVariant& value, std::int32_t defaultValue)
{
    if (!value.isValid())
        return defaultValue;
    // Exactly a number: QString::toInt would stop at an embedded NUL and take "-21\0junk" as -21.
    std::string text = value.toString().trimmed().toStdString();
    if (text.size() > 1 && text[0] == '+' && text[1] != '-')
        text.erase(0, 1);
    std::int32_t parsed = 0;
    return ParseProfileInt(text, parsed) ? parsed : defaultValue;
}

std::string ProfileStringOf(const QVariant& value, const std::string& defaultValue)
{
    if (!value.isValid())
        return defaultValue;
    if (value.typeId() == QMetaType::QByteArray)
        return value.toByteArray().toStdString();
    return value.toString().toStdString();
}

CQtProfileStore::CQtProfileStore(Access access) : m_access(access)
{
#ifdef Q_OS_WIN
    m_path = QSettings(QStringLiteral("Brisolt"), QStringLiteral("Pelora")).fileName();
#else
    m_path = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/Brisolt/Pelora.conf");
#endif
}

CQtProfileStore::CQtProfileStore(const QString& iniPath, Access access) : m_path(iniPath), m_access(access) {}

CQtProfileStore::~CQtProfileStore()
{
    m_onWriteFailed = nullptr; // whoever listened may be gone by now
    Close();
}

void CQtProfileStore::Close()
{
    if (m_closed)
        return;
    m_saveTimer.reset();
    m_saver.reset(); // waits for the save under way, whose end is then taken here
    m_closed = true;
    if (std::exchange(m_saving, false) && !m_outcome->first) {
        m_memoryOnly = m_outcome->second;
        m_dirty = !m_memoryOnly;
    }
    StartSave();
}

// Read at first use, so a process that never touches the settings (a second instance) leaves
// the file alone.
void CQtProfileStore::Load()
{
    if (m_loaded)
        return;
    m_loaded = true;
#ifndef Q_OS_WIN
    switch (m_file.Read(m_path)) {
    case SettingsRead::Read:
    case SettingsRead::Missing:
        break;
    case SettingsRead::Damaged:
        SetAside();
        break;
    case SettingsRead::Unusable:
        m_memoryOnly = true;
        break;
    }
#endif
}

void CQtProfileStore::SetAside()
{
    if (m_access == ReadWrite)
        QFile::rename(m_path, BackupName(m_path));
}

QVariant CQtProfileStore::Find(const QString& key)
{
    Load();
    if (const auto written = m_written.constFind(key); written != m_written.cend())
        return *written;
#ifdef Q_OS_WIN
    return QSettings(QStringLiteral("Brisolt"), QStringLiteral("Pelora")).value(key);
#else
    return m_file.Value(key);
#endif
}

bool CQtProfileStore::Write(const QString& key, const QVariant& value)
{
    if (m_access == ReadOnly)
        return false;
    if (const QVariant stored = Find(key); stored.isValid() && Holds(stored, value))
        return !m_memoryOnly && !m_failed;
    m_written.insert(key, value);
    if (m_memoryOnly)
        return TellWriteFailed();
    m_dirty = true;
    if (!QCoreApplication::instance() || m_closed) {
        StartSave();
        return !m_failed;
    }
    if (!m_saveTimer) {
        m_saveTimer = std::make_unique<QTimer>();
        m_saveTimer->setSingleShot(true);
        m_saveTimer->setInterval(kSaveDelay);
        QObject::connect(m_saveTimer.get(), &QTimer::timeout, [this] { StartSave(); });
    }
    // Not restarted: a stream of writes still reaches the disk a few times a second.
    if (!m_saveTimer->isActive())
        m_saveTimer->start();
    return !m_failed;
}

void CQtProfileStore::StartSave()
{
    if (m_saving || !m_dirty || m_memoryOnly)
        return;
    m_dirty = false;
    if (!QCoreApplication::instance() || m_closed) {
        bool notRegular = false;
        const bool written = Save(m_written, notRegular);
        Saved(written, notRegular);
        return;
    }
    m_saving = true;
    if (!m_saver)
        m_saver = std::make_unique<CWorker>();
    m_outcome = std::make_shared<std::pair<bool, bool>>(false, false);
    m_saver->Run(
        [this, entries = m_written, outcome = m_outcome](const std::function<bool()>&) {
            outcome->first = Save(entries, outcome->second); // finished even when asked to stop
        },
        [this] { Saved(m_outcome->first, m_outcome->second); });
}

void CQtProfileStore::Saved(bool written, bool notRegular)
{
    m_saving = false;
    if (!written) {
        m_memoryOnly = notRegular;
        TellWriteFailed();
        m_dirty = !notRegular; // tried again with the next change, and at the end
        return;
    }
    m_failed = false;
    if (m_dirty)
        StartSave();
}

bool CQtProfileStore::Save(const SettingsMap& entries, bool& notRegular) const
{
#ifdef Q_OS_WIN
    notRegular = false;
    QSettings native(QStringLiteral("Brisolt"), QStringLiteral("Pelora"));
    for (auto it = entries.cbegin(); it != entries.cend(); ++it)
        native.setValue(it.key(), it.value());
    native.sync();
    return native.status() == QSettings::NoError;
#else
    QString error;
    return CSettingsFile::Write(m_path, entries, error, notRegular);
#endif
}

bool CQtProfileStore::TellWriteFailed()
{
    m_failed = true;
    if (!m_toldWriteFailure && m_onWriteFailed) {
        m_toldWriteFailure = true;
        m_onWriteFailed(m_path);
    }
    return false;
}

std::int32_t CQtProfileStore::GetProfileInt(const std::string& section, const std::string& entry,
                                            std::int32_t defaultValue)
{
    return ProfileIntOf(Find(Key(section, entry)), defaultValue);
}

bool CQtProfileStore::WriteProfileInt(const std::string& section, const std::string& entry,
                                      std::int32_t value)
{
    return Write(Key(section, entry), static_cast<int>(value));
}

std::string CQtProfileStore::GetProfileString(const std::string& section, const std::string& entry,
                                              const std::string& defaultValue)
{
    return ProfileStringOf(Find(Key(section, entry)), defaultValue);
}

bool CQtProfileStore::WriteProfileString(const std::string& section, const std::string& entry,
                                         const std::string& value)
{
    // Text that is not UTF-8 (a file name in Shift-JIS, say) is kept as bytes, so it comes back
    // exactly; everything else stays readable text.
    if (IsValidUtf8(value))
        return Write(Key(section, entry), QString::fromStdString(value));
    return Write(Key(section, entry), QByteArray::fromStdString(value));
}
