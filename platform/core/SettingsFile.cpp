#include "platform/core/SettingsFile.h"

#include "platform/core/PathText.h"
#include "platform/core/RegularFile.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QSet>
#include <QSettings>
#include <QTemporaryFile>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>

#ifndef Q_OS_WIN
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {
constexpr int kLockWait = 10000; // ms

bool LineParses(QByteArrayView line)
{
    return line.startsWith('[') || line.startsWith(';') || line.startsWith('#') || line.contains('=');
}

// Hands each line, its end included ("\n", "\r\n" or "\r", as QSettings reads them), to each
// until it says to stop; false when it did.
template <typename Each>
bool ForEachLine(const QByteArray& content, Each each)
{
    const char* data = content.constData();
    const qsizetype size = content.size();
    for (qsizetype start = 0; start < size;) {
        qsizetype end = start;
        while (end < size && data[end] != '\n' && data[end] != '\r')
            ++end;
        if (end + 1 < size && data[end] == '\r' && data[end + 1] == '\n')
            ++end;
        end = std::min(end + 1, size);
        if (!each(QByteArrayView(data + start, end - start)))
            return false;
        start = end;
    }
    return true;
}

QByteArray ReadAll(std::FILE* file)
{
    QByteArray content;
    char buffer[65536];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
        content.append(buffer, static_cast<qsizetype>(got));
    return content;
}

// The settings' own place: the path, or the name a link at it leads to (made there if missing, as
// QSettings would); nothing when the links go round.
std::string PlaceOf(const QString& path)
{
    std::filesystem::path place = EncodePath(path);
    std::error_code failed;
    for (int link = 0; link < 8; ++link) {
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(place, failed)))
            return place.string();
        const std::filesystem::path target = std::filesystem::read_symlink(place, failed);
        if (failed)
            return {};
        place = (target.is_absolute() ? target : place.parent_path() / target).lexically_normal();
    }
    return {};
}

// A new file's permissions, as the process's umask makes them.
void GiveNewFilesMode(int descriptor)
{
#ifdef Q_OS_LINUX
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return;
    for (const QByteArray& line : status.readAll().split('\n')) {
        bool ok = false;
        const uint mask = line.startsWith("Umask:") ? line.mid(6).trimmed().toUInt(&ok, 8) : 0;
        if (ok)
            ::fchmod(descriptor, 0666 & ~mask);
    }
#else
    (void)descriptor; // a private file
#endif
}

// Whether the bytes of an INI settings file cannot be settings at all.
bool LooksLikeDamagedSettings(const QByteArray& content)
{
    if (!QUtf8StringView(content).isValidUtf8() || content.contains('\0'))
        return true;
    bool anyLine = false;
    const bool noneParses = ForEachLine(content, [&anyLine](QByteArrayView line) {
        line = line.trimmed();
        anyLine = anyLine || !line.isEmpty();
        return line.isEmpty() || !LineParses(line);
    });
    return anyLine && noneParses;
}

// A section header's name as QSettings reads it ("" for the general section), or none for a line
// that is no header.
std::optional<QString> HeaderName(QByteArrayView line)
{
    const QByteArrayView text = line.trimmed();
    if (!text.startsWith('['))
        return std::nullopt;
    const qsizetype end = text.indexOf(']');
    const QByteArray name = text.sliced(1, (end < 0 ? text.size() : end) - 1).trimmed().toByteArray();
    if (name.compare("general", Qt::CaseInsensitive) == 0)
        return QString();
    if (name.compare("%general", Qt::CaseInsensitive) == 0)
        return QStringLiteral("General");
    QString decoded;
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (name[i] == '%') { // %XX, or %UXXXX for a character beyond Latin-1
            const bool wide = name.mid(i + 1, 1) == "U";
            const qsizetype digits = wide ? 4 : 2;
            const QByteArray hex = name.mid(i + 1 + wide, digits);
            bool ok = false;
            const uint code = hex.toUInt(&ok, 16);
            if (ok && hex.size() == digits) {
                decoded += QChar(char16_t(code));
                i += wide + digits;
                continue;
            }
        }
        decoded += name[i] == '\\' ? QLatin1Char('/') : QLatin1Char(name[i]);
    }
    return decoded;
}

// The file's bytes in two: the sections chosen by their names (each time they appear, the lines
// before the first header standing for the general section "") and all the rest, each as it stands.
template <typename Chosen>
std::pair<QByteArray, QByteArray> SplitSections(const QByteArray& content, const Chosen& chosen)
{
    QByteArray named, rest;
    bool inNamed = chosen(QString());
    ForEachLine(content, [&](QByteArrayView line) {
        if (const std::optional<QString> name = HeaderName(line))
            inNamed = chosen(*name);
        (inNamed ? named : rest) += line;
        return true;
    });
    if (!rest.isEmpty() && !rest.endsWith('\n') && !rest.endsWith('\r'))
        rest += '\n';
    return {named, rest};
}

// The section of a key ("" for the general one).
QString SectionOf(const QString& key)
{
    return key.contains(QLatin1Char('/')) ? key.section(QLatin1Char('/'), 0, 0) : QString();
}

// Sections with the entries put in, written out as QSettings writes them, through a scratch file
// beside the settings.
bool MergedSections(const QString& scratchTemplate, const QByteArray& sections, const SettingsMap& entries, QByteArray& merged)
{
    QTemporaryFile scratch(scratchTemplate);
    if (!scratch.open() || scratch.write(sections) != sections.size() || !scratch.flush())
        return false;
    QSettings::Status status = QSettings::NoError;
    {
        QSettings settings(scratch.fileName(), QSettings::IniFormat);
        for (auto it = entries.cbegin(); it != entries.cend(); ++it)
            settings.setValue(it.key(), it.value());
        settings.sync();
        status = settings.status();
    }
    QFile written(scratch.fileName());
    if (status != QSettings::NoError || !written.open(QIODevice::ReadOnly))
        return false;
    merged = written.readAll();
    return true;
}

// Sections parsed whole by QSettings, from a file of their own: an unnamed one in memory where the
// system has them, so reading the settings needs no temporary space.
SettingsMap ParsedSections(const QByteArray& lines)
{
    SettingsMap values;
    const auto parse = [&values](const QString& name) {
        QSettings settings(name, QSettings::IniFormat);
        for (const QString& key : settings.allKeys())
            values.insert(key, settings.value(key));
    };
    if (lines.isEmpty())
        return values;
#ifdef Q_OS_LINUX
    if (const int memory = ::memfd_create("pelora-settings", MFD_CLOEXEC); memory >= 0) {
        // QSettings keeps a file it has read by name and reads it again only if its size or time
        // changed; the name comes round again with the descriptor, so each gets a time of its own.
        static std::atomic<std::int64_t> stamp{0};
        const timespec times[2] = {{0, UTIME_OMIT}, {++stamp, 0}};
        if (::write(memory, lines.constData(), static_cast<std::size_t>(lines.size())) == lines.size()
            && ::futimens(memory, times) == 0)
            parse(QStringLiteral("/proc/self/fd/%1").arg(memory));
        ::close(memory);
        return values;
    }
#endif
    QTemporaryFile copy;
    if (copy.open() && copy.write(lines) == lines.size() && copy.flush())
        parse(copy.fileName());
    return values;
}
} // namespace

SettingsRead CSettingsFile::Read(const QString& path)
{
    const std::string name = EncodePath(path);
    const PathKind kind = KindOfPath(name);
    if (kind != PathKind::Regular)
        return kind == PathKind::Missing ? SettingsRead::Missing : SettingsRead::Unusable;
    std::string error;
    const std::shared_ptr<std::FILE> file = OpenedFile(OpenRegularFile(name, error));
    if (!file)
        return SettingsRead::Unusable;
    const QByteArray content = ReadAll(file.get());
    if (LooksLikeDamagedSettings(content))
        return SettingsRead::Damaged;
    QMap<QString, QByteArray> sections;
    QString section;
    const bool whole = ForEachLine(content, [&](QByteArrayView line) {
        if (const std::optional<QString> header = HeaderName(line)) {
            if (!line.contains(']'))
                return false; // QSettings reads no further
            section = SectionOf(*header + QLatin1Char('/'));
        }
        sections[section] += line;
        return true;
    });
    if (!whole)
        return SettingsRead::Damaged;
    m_unparsed = std::move(sections);
    return SettingsRead::Read;
}

QVariant CSettingsFile::Value(const QString& key)
{
    const QString section = SectionOf(key);
    auto parsed = m_parsed.find(section);
    if (parsed == m_parsed.end()) {
        parsed = m_parsed.insert(section, ParsedSections(m_unparsed.take(section)));
    }
    return parsed->value(key);
}

bool CSettingsFile::Write(const QString& path, const SettingsMap& entries, QString& error, bool& notRegular)
{
    notRegular = false;
    const std::string place = PlaceOf(path);
    const PathKind kind = place.empty() ? PathKind::Other : KindOfPath(place);
    if (kind == PathKind::Regular && !QFileInfo(DecodePath(place)).isWritable()) {
        error = QString::fromLocal8Bit(std::strerror(EACCES)); // a file made read-only stays so
        return false;
    }
    // The lock QSettings takes too, so a change another program makes meanwhile is not lost.
    QDir().mkpath(QFileInfo(path).absolutePath());
    QLockFile lock(path + QStringLiteral(".lock"));
    // A folder no lock can be made in is one QSettings cannot write in either.
    if (kind != PathKind::Other && !lock.tryLock(kLockWait) && lock.error() != QLockFile::PermissionError) {
        error = QStringLiteral("cannot take %1").arg(path + QStringLiteral(".lock"));
        return false;
    }
    std::string reason;
    std::shared_ptr<std::FILE> file;
    if (kind == PathKind::Regular)
        file = OpenedFile(OpenRegularFile(place, reason));
    if (kind == PathKind::Other || reason == kNotRegularFileText) {
        notRegular = true;
        error = QString::fromLatin1(kNotRegularFileText);
        return false;
    }
    if (kind == PathKind::Regular && !file) {
        error = QString::fromStdString(reason);
        return false;
    }
    QSet<QString> sections;
    for (auto it = entries.cbegin(); it != entries.cend(); ++it)
        sections.insert(SectionOf(it.key()));
    const auto [named, rest] = SplitSections(file ? ReadAll(file.get()) : QByteArray(),
                                             [&sections](const QString& name) { return sections.contains(name); });
    file.reset();
    QDir().mkpath(QFileInfo(DecodePath(place)).absolutePath());
    const QString beside = DecodePath(place) + QStringLiteral(".XXXXXX");
    QByteArray merged;
    if (!MergedSections(beside, named, entries, merged)) {
        error = QStringLiteral("cannot write beside %1").arg(DecodePath(place));
        return false;
    }
    QTemporaryFile partial(beside);
    partial.setAutoRemove(false);
    bool written = partial.open() && partial.write(rest) == rest.size() && partial.write(merged) == merged.size()
                   && partial.flush();
    // The file keeps who may read it.
    if (const QFileInfo was(DecodePath(place)); written && was.exists())
        partial.setPermissions(was.permissions());
    else if (written)
        GiveNewFilesMode(partial.handle());
    if (!written || !SyncedToDisk(partial.handle())) {
        error = partial.errorString();
        if (partial.isOpen())
            partial.remove();
        return false;
    }
    const QString partialName = partial.fileName();
    partial.close();
    if (ReplaceRegularFile(EncodePath(partialName), place, reason, notRegular))
        return true;
    error = QString::fromStdString(reason);
    return false;
}
