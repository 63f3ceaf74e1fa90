#include "platform/core/SettingsFile.h"

#include "platform/core/PathText.h"
#include "platform/core/RegularFile.h"

#include <QDir>
#include <QSet>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryFile>
#include <filesystem>
#include <optional>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {
bool LineParses(QByteArrayView line)
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
    if (!QUtf8StringView(content).isValidUtf8() || content.contains('\0'))
        return true;
    bool anyLine = false;
    for (qsizetype start = 0; start < content.size();) {
        qsizetype end = content.indexOf('\n', start);
        end = end < 0 ? content.size() : end;
        const QByteArrayView line = QByteArrayView(content).sliced(start, end - start).trimmed();
        start = end + 1;
        if (line.isEmpty())
            continue;
        anyLine = true;
        if (LineParses(line))
            return false;
    }
    return anyLine;
}

// Everything written reaches the disk before the name points at it.
bool Synced(int descriptor)
{
#ifdef Q_OS_WIN
    return _commit(descriptor) == 0;
#else
    return ::fsync(descriptor) == 0;
#endif
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
    for (qsizetype start = 0; start < content.size();) {
        qsizetype end = content.indexOf('\n', start);
        end = end < 0 ? content.size() : end + 1;
        const QByteArrayView line = QByteArrayView(content).sliced(start, end - start);
        if (const std::optional<QString> name = HeaderName(line))
            inNamed = chosen(*name);
        (inNamed ? named : rest) += line;
        start = end;
    }
    if (!rest.isEmpty() && !rest.endsWith('\n'))
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
    QString section;
    for (qsizetype start = 0; start < content.size();) {
        qsizetype end = content.indexOf('\n', start);
        end = end < 0 ? content.size() : end + 1;
        const QByteArrayView line = QByteArrayView(content).sliced(start, end - start);
        start = end;
        if (const std::optional<QString> header = HeaderName(line)) {
            if (!line.contains(']'))
                return SettingsRead::Damaged; // QSettings reads no further
            section = SectionOf(*header + QLatin1Char('/'));
        }
        m_unparsed[section] += line;
    }
    return SettingsRead::Read;
}

QVariant CSettingsFile::Value(const QString& key)
{
    const QString section = SectionOf(key);
    auto parsed = m_parsed.find(section);
    if (parsed == m_parsed.end()) {
        // Parsed whole by QSettings, from a copy of its own.
        const QByteArray lines = m_unparsed.take(section);
        SettingsMap values;
        QTemporaryFile copy;
        if (!lines.isEmpty() && copy.open() && copy.write(lines) == lines.size() && copy.flush()) {
            QSettings settings(copy.fileName(), QSettings::IniFormat);
            for (const QString& each : settings.allKeys())
                values.insert(each, settings.value(each));
        }
        parsed = m_parsed.insert(section, values);
    }
    return parsed->value(key);
}

bool CSettingsFile::Write(const QString& path, const SettingsMap& entries, QString& error, bool& notRegular)
{
    notRegular = false;
    const std::string place = PlaceOf(path);
    const PathKind kind = place.empty() ? PathKind::Other : KindOfPath(place);
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
    if (!written || !Synced(partial.handle())) {
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
