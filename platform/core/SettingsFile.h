#pragma once
// A settings file in the INI form QSettings reads and writes, read and written whole, so that the
// store keeps the only copy in memory and the writing can run on another thread.
//
// Only a regular file is read or replaced: a FIFO would block, a device never ends or would be
// replaced by a file. A link at the path is followed to the regular file it names.

#include <QMap>
#include <QString>
#include <QVariant>

using SettingsMap = QMap<QString, QVariant>; // "Section/Entry" to value

enum class SettingsRead {
    Read,     // values hold the file's settings
    Missing,  // no file yet: nothing to read
    Damaged,  // not settings at all (a syntax error, bytes that are not UTF-8, no line that parses)
    Unusable  // not a regular file, or one that cannot be read: never to be replaced
};

SettingsRead ReadSettingsFile(const QString& path, SettingsMap& values);

// Writes values as the whole file: into a new file beside the one the path names, synced, then put
// in its place, and only while that place holds a regular file or nothing. False with the reason;
// notRegular tells that the place holds something else.
bool WriteSettingsFile(const QString& path, const SettingsMap& values, QString& error, bool& notRegular);
