#pragma once
// A settings file in the INI form QSettings reads and writes. A large one (a million keys some
// other tool left there, say) costs its bytes and no more: it is read section by section as values
// are asked for, and a write puts the store's own entries into the file as it is on disk, moving
// every other section over unparsed, so the write takes a moment and little memory, and can run
// on another thread.
//
// Only a regular file is read or replaced: a FIFO would block, a device never ends or would be
// replaced by a file. A link at the path is followed to the regular file it names.

#include <QMap>
#include <QString>
#include <QVariant>

using SettingsMap = QMap<QString, QVariant>; // "Section/Entry" to value

enum class SettingsRead {
    Read,     // the reader holds the file's settings
    Missing,  // no file yet: nothing to read
    Damaged,  // not settings at all (a syntax error, bytes that are not UTF-8, no line that parses)
    Unusable  // not a regular file, or one that cannot be read: never to be replaced
};

// The settings as read once, kept as their bytes: a section is parsed when a value in it is first
// asked for (with its subsections, which QSettings' own lazy reading can miss).
class CSettingsFile {
public:
    SettingsRead Read(const QString& path);
    QVariant Value(const QString& key);

    // Puts entries into the file as it is now (a missing one is made): into a new file beside the
    // one the path names, synced, then put in its place, and only while that place holds a regular
    // file or nothing. False with the reason; notRegular tells that the place holds something else.
    static bool Write(const QString& path, const SettingsMap& entries, QString& error, bool& notRegular);

private:
    QMap<QString, QByteArray> m_unparsed; // a section's lines (its subsections' too) until asked for
    QMap<QString, SettingsMap> m_parsed;
};
