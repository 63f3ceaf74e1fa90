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
}

CQtProfileStore::CQtProfileStore(const QString& iniPath)
    : m_settings(std::make_unique<QSettings>(iniPath, QSettings::IniFormat))
{
}

// A store that cannot be parsed is kept beside as ".bak" and the program starts from defaults,
// rather than rewriting the junk along with the next setting. Checked at first use, so a process
// that never touches the settings (a second instance) leaves the file alone.
QSettings& CQtProfileStore::Store()
{
    if (m_checked)
        return *m_settings;
    m_checked = true;
    m_settings->value(QStringLiteral("Window/Xpos"));
    if (m_settings->status() != QSettings::FormatError)
        return *m_settings;
    const QString path = m_settings->fileName();
    QFile::remove(path + QStringLiteral(".bak"));
    QFile::rename(path, path + QStringLiteral(".bak"));
    const QSettings::Format format = m_settings->format();
    m_settings = std::make_unique<QSettings>(path, format);
    return *m_settings;
}

bool CQtProfileStore::Flush()
{
    Store().sync();
    return Store().status() == QSettings::NoError;
}

std::int32_t CQtProfileStore::GetProfileInt(const std::string& section, const std::string& entry,
                                            std::int32_t defaultValue)
{
    const QVariant value = Store().value(Key(section, entry));
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
    Store().setValue(Key(section, entry), static_cast<int>(value));
    return Flush();
}

std::string CQtProfileStore::GetProfileString(const std::string& section, const std::string& entry,
                                              const std::string& defaultValue)
{
    const QVariant value = Store().value(Key(section, entry));
    return value.isValid() ? value.toString().toStdString() : defaultValue;
}

bool CQtProfileStore::WriteProfileString(const std::string& section, const std::string& entry,
                                         const std::string& value)
{
    Store().setValue(Key(section, entry), QString::fromStdString(value));
    return Flush();
}
