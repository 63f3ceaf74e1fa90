#include "platform/core/QtProfileStore.h"

#include "platform/core/PathText.h"
#include "platform/core/RegularFile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QStandardPaths>
#include <QStringDecoder>

namespace {
constexpr int kSyncDelay = 200; // ms

QString Key(const std::string& section, const std::string& entry)
{
    return QString::fromStdString(section) + QLatin1Char('/') + QString::fromStdString(entry);
}

bool LineParses(const QByteArray& line)
{
    return line.startsWith('[') || line.startsWith(';') || line.startsWith('#') || line.contains('=');
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

bool LooksLikeDamagedSettings(const QByteArray& content)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(content);
    if (utf8.hasError() || text.contains(QChar(0)))
        return true;
    bool anyLine = false;
    for (const QByteArray& raw : content.split('\n')) {
        const QByteArray line = raw.trimmed();
        if (line.isEmpty())
            continue;
        anyLine = true;
        if (LineParses(line))
            return false;
    }
    return anyLine;
}

CQtProfileStore::CQtProfileStore(Access access) : m_access(access)
{
#ifdef Q_OS_WIN
    m_settings = std::make_unique<QSettings>(QStringLiteral("Brisolt"), QStringLiteral("Pelora"));
    m_path = m_settings->fileName();
#else
    Open(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/Brisolt/Pelora.conf"));
#endif
}

CQtProfileStore::CQtProfileStore(const QString& iniPath, Access access) : m_access(access)
{
    Open(iniPath);
}

// Only looked at here, not read: QSettings reads its file as soon as it is made.
void CQtProfileStore::Open(const QString& path)
{
    m_path = path;
    if (KindOfPath(EncodePath(path)) == PathKind::Other)
        m_inMemory = std::make_unique<CMemoryProfileStore>();
    else
        m_settings = std::make_unique<QSettings>(path, QSettings::IniFormat);
}

// Checked at first use, so a process that never touches the settings (a second instance) leaves
// the file alone.
QSettings& CQtProfileStore::Store()
{
    if (m_checked)
        return *m_settings;
    m_checked = true;
    m_settings->value(QStringLiteral("Window/Xpos"));
    bool damaged = m_settings->status() == QSettings::FormatError;
#ifdef Q_OS_WIN
    const bool isFile = m_settings->format() != QSettings::NativeFormat; // native: the registry
#else
    const bool isFile = true;
#endif
    QFile file(m_settings->fileName());
    if (!damaged && isFile && file.open(QIODevice::ReadOnly))
        damaged = LooksLikeDamagedSettings(file.readAll());
    if (damaged)
        SetAside();
    return *m_settings;
}

void CQtProfileStore::SetAside()
{
    const QString path = m_settings->fileName();
    const QSettings::Format format = m_settings->format();
    if (m_access == ReadOnly) {
        m_unreadable = true;
        return;
    }
    QFile::rename(path, BackupName(path));
    m_settings = std::make_unique<QSettings>(path, format);
}

CQtProfileStore::~CQtProfileStore()
{
    m_onWriteFailed = nullptr; // whoever listened may be gone by now
    if (m_syncTimer && m_syncTimer->isActive())
        Sync();
}

bool CQtProfileStore::Flush()
{
    if (!QCoreApplication::instance()) {
        Sync();
        return !m_toldWriteFailure;
    }
    if (!m_syncTimer) {
        m_syncTimer = std::make_unique<QTimer>();
        m_syncTimer->setSingleShot(true);
        m_syncTimer->setInterval(kSyncDelay);
        QObject::connect(m_syncTimer.get(), &QTimer::timeout, [this] { Sync(); });
    }
    // Not restarted: a stream of writes still reaches the disk a few times a second.
    if (!m_syncTimer->isActive())
        m_syncTimer->start();
    return !m_toldWriteFailure;
}

void CQtProfileStore::Sync()
{
    Store().sync();
    if (Store().status() != QSettings::NoError)
        TellWriteFailed();
}

bool CQtProfileStore::TellWriteFailed()
{
    if (!m_toldWriteFailure && m_onWriteFailed) {
        m_toldWriteFailure = true;
        m_onWriteFailed(m_path);
    }
    return false;
}

std::int32_t CQtProfileStore::GetProfileInt(const std::string& section, const std::string& entry,
                                            std::int32_t defaultValue)
{
    if (m_inMemory)
        return m_inMemory->GetProfileInt(section, entry, defaultValue);
    const QVariant value = Store().value(Key(section, entry));
    return m_unreadable ? defaultValue : ProfileIntOf(value, defaultValue);
}

bool CQtProfileStore::WriteProfileInt(const std::string& section, const std::string& entry,
                                      std::int32_t value)
{
    if (m_access == ReadOnly)
        return false;
    if (m_inMemory)
        return m_inMemory->WriteProfileInt(section, entry, value) && TellWriteFailed();
    Store().setValue(Key(section, entry), static_cast<int>(value));
    return Flush();
}

std::string CQtProfileStore::GetProfileString(const std::string& section, const std::string& entry,
                                              const std::string& defaultValue)
{
    if (m_inMemory)
        return m_inMemory->GetProfileString(section, entry, defaultValue);
    const QVariant value = Store().value(Key(section, entry));
    return m_unreadable ? defaultValue : ProfileStringOf(value, defaultValue);
}

bool CQtProfileStore::WriteProfileString(const std::string& section, const std::string& entry,
                                         const std::string& value)
{
    if (m_access == ReadOnly)
        return false;
    if (m_inMemory)
        return m_inMemory->WriteProfileString(section, entry, value) && TellWriteFailed();
    // Text that is not UTF-8 (a file name in Shift-JIS, say) is kept as bytes, so it comes back
    // exactly; everything else stays readable text.
    if (IsValidUtf8(value))
        Store().setValue(Key(section, entry), QString::fromStdString(value));
    else
        Store().setValue(Key(section, entry), QByteArray::fromStdString(value));
    return Flush();
}
