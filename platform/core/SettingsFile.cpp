#include "platform/core/SettingsFile.h"

#include "platform/core/PathText.h"
#include "platform/core/RegularFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStringDecoder>
#include <QTemporaryFile>
#include <filesystem>

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {
bool LineParses(const QByteArray& line)
{
    return line.startsWith('[') || line.startsWith(';') || line.startsWith('#') || line.contains('=');
}

QByteArray ReadAll(std::FILE* file)
{
    QByteArray content;
    char buffer[65536];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
        content.append(buffer, static_cast<qsizetype>(got));
    return content;
}

// A name under which QSettings reads the very file already opened, where the system has one.
QString NameOfOpened(std::FILE* file, const QString& path)
{
#ifdef Q_OS_LINUX
    const QString opened = QStringLiteral("/proc/self/fd/%1").arg(fileno(file));
    if (QFileInfo::exists(opened))
        return opened;
#else
    (void)file;
#endif
    return path;
}

// The settings' own place: the path, or the file a link at it names (nothing when it names none).
std::string PlaceOf(const QString& path)
{
    const std::string name = EncodePath(path);
    std::error_code failed;
    if (!std::filesystem::is_symlink(std::filesystem::symlink_status(name, failed)))
        return name;
    const std::filesystem::path target = std::filesystem::canonical(name, failed);
    return failed ? std::string() : target.string();
}

// Whether the bytes of an INI settings file cannot be settings at all.
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

bool Synced(const QString& name)
{
#ifdef Q_OS_WIN
    (void)name;
    return true;
#else
    const int fd = ::open(EncodePath(name).c_str(), O_RDONLY | O_CLOEXEC);
    const bool synced = fd >= 0 && ::fsync(fd) == 0;
    if (fd >= 0)
        ::close(fd);
    return synced;
#endif
}
} // namespace

SettingsRead ReadSettingsFile(const QString& path, SettingsMap& values)
{
    const std::string name = EncodePath(path);
    const PathKind kind = KindOfPath(name);
    if (kind != PathKind::Regular)
        return kind == PathKind::Missing ? SettingsRead::Missing : SettingsRead::Unusable;
    std::string error;
    const std::shared_ptr<std::FILE> file = OpenedFile(OpenRegularFile(name, error));
    if (!file)
        return SettingsRead::Unusable;
    if (LooksLikeDamagedSettings(ReadAll(file.get())))
        return SettingsRead::Damaged;
    QSettings settings(NameOfOpened(file.get(), path), QSettings::IniFormat);
    const QStringList keys = settings.allKeys();
    if (settings.status() == QSettings::FormatError)
        return SettingsRead::Damaged;
    for (const QString& key : keys)
        values.insert(key, settings.value(key));
    return SettingsRead::Read;
}

bool WriteSettingsFile(const QString& path, const SettingsMap& values, QString& error, bool& notRegular)
{
    notRegular = false;
    const std::string place = PlaceOf(path);
    if (place.empty()) {
        notRegular = true;
        error = QString::fromLatin1(kNotRegularFileText);
        return false;
    }
    QDir().mkpath(QFileInfo(DecodePath(place)).absolutePath());
    QTemporaryFile partial(DecodePath(place) + QStringLiteral(".XXXXXX"));
    partial.setAutoRemove(false);
    if (!partial.open()) {
        error = partial.errorString();
        return false;
    }
    const QString partialName = partial.fileName();
    partial.close();
    QSettings::Status status = QSettings::NoError;
    {
        QSettings settings(partialName, QSettings::IniFormat);
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            settings.setValue(it.key(), it.value());
        settings.sync();
        status = settings.status();
    }
    if (status != QSettings::NoError || !Synced(partialName)) {
        error = QStringLiteral("cannot write %1").arg(partialName);
        QFile::remove(partialName);
        return false;
    }
    // The file keeps who may read it.
    if (const QFileInfo was(DecodePath(place)); was.exists())
        QFile::setPermissions(partialName, was.permissions());
    std::string reason;
    if (ReplaceRegularFile(EncodePath(partialName), place, reason, notRegular))
        return true;
    error = QString::fromStdString(reason);
    return false;
}
