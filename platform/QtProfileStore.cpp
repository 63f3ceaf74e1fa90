#include "platform/QtProfileStore.h"

#include <QFile>

namespace {
QString Key(const std::string& section, const std::string& entry)
{
    return QString::fromStdString(section) + QLatin1Char('/') + QString::fromStdString(entry);
}
} // namespace

CQtProfileStore::CQtProfileStore()
    : m_settings(std::make_unique<QSettings>(QStringLiteral("Brisolt"), QStringLiteral("Pelora")))
{
    SetAsideIfCorrupt();
}

CQtProfileStore::CQtProfileStore(const QString& iniPath)
    : m_settings(std::make_unique<QSettings>(iniPath, QSettings::IniFormat))
{
    SetAsideIfCorrupt();
}

// A store that cannot be parsed is kept beside as ".bak" and the program starts from defaults,
// rather than rewriting the junk along with the next setting.
void CQtProfileStore::SetAsideIfCorrupt()
{
    m_settings->value(QStringLiteral("Window/Xpos"));
    if (m_settings->status() != QSettings::FormatError)
        return;
    const QString path = m_settings->fileName();
    QFile::remove(path + QStringLiteral(".bak"));
    QFile::rename(path, path + QStringLiteral(".bak"));
    const QSettings::Format format = m_settings->format();
    m_settings = std::make_unique<QSettings>(path, format);
}

bool CQtProfileStore::Flush()
{
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}

std::int32_t CQtProfileStore::GetProfileInt(const std::string& section, const std::string& entry,
                                            std::int32_t defaultValue)
{
    const QVariant value = m_settings->value(Key(section, entry));
    if (!value.isValid())
        return defaultValue;
    // Read as text: a QVariant's own int conversion wraps or zeroes out-of-range numbers.
    bool ok = false;
    const int parsed = value.toString().trimmed().toInt(&ok);
    return ok ? parsed : defaultValue;
}

bool CQtProfileStore::WriteProfileInt(const std::string& section, const std::string& entry,
                                      std::int32_t value)
{
    m_settings->setValue(Key(section, entry), static_cast<int>(value));
    return Flush();
}

std::string CQtProfileStore::GetProfileString(const std::string& section, const std::string& entry,
                                              const std::string& defaultValue)
{
    const QVariant value = m_settings->value(Key(section, entry));
    return value.isValid() ? value.toString().toStdString() : defaultValue;
}

bool CQtProfileStore::WriteProfileString(const std::string& section, const std::string& entry,
                                         const std::string& value)
{
    m_settings->setValue(Key(section, entry), QString::fromStdString(value));
    return Flush();
}
