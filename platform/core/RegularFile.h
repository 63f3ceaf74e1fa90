#pragma once
// Opens a file for reading only if it is a regular file. A FIFO would block the open until some
// writer came, a device such as /dev/zero never ends: both would freeze the program. The check is
// made on the opened descriptor (opened without blocking), so nothing can be swapped in between.

#include <cstdio>
#include <memory>
#include <string>

// The open file, or nullptr with the system's reason in error.
std::FILE* OpenRegularFile(const std::string& path, std::string& error);

// An open file closed with its last owner (empty for nullptr).
inline std::shared_ptr<std::FILE> OpenedFile(std::FILE* file)
{
    if (!file)
        return {};
    return {file, [](std::FILE* f) { std::fclose(f); }};
}

inline constexpr const char* kNotRegularFileText = "not a regular file";

enum class PathKind { Missing, Regular, Other };
// What a path names, links followed.
PathKind KindOfPath(const std::string& path);

// Whether everything written to the open file has reached the disk.
bool SyncedToDisk(int descriptor);

// Writes content as the whole of a file: into a new file of its own beside it (a name no leftover
// or second writer holds), synced, then put in its place as ReplaceRegularFile does, so a failed write (a full disk) leaves no
// partial file and the file's present content in place, and two writers at once both end well. A
// link is written through. Anything but a regular file or a new name is refused at once: a FIFO
// would block and a device such as /dev/full never takes the whole. False with the reason.
bool WriteWholeFile(const std::string& path, const std::string& content, std::string& error);

// Puts the file at replacement in target's place, but only while that place holds a regular file
// or nothing: a FIFO, a device, a link or a folder put there meanwhile is left as it is (and the
// replacement removed). The two names are swapped in one step and what came out is checked, so
// nothing can be slipped in between the check and the replacing. False with the reason;
// notRegular tells that the place held something else.
bool ReplaceRegularFile(const std::string& replacement, const std::string& target, std::string& error,
                        bool& notRegular);
