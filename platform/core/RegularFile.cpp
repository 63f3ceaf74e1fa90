#include "platform/core/RegularFile.h"

#include <cerrno>
#include <cstring>
#include <atomic>
#include <filesystem>
#include <random>
#include <sys/stat.h>

#ifdef _WIN32
#include <io.h>
#include <process.h>
#include <share.h>
#else
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {
#ifdef O_NOATIME
constexpr int kNoAccessTime = O_NOATIME;
#else
constexpr int kNoAccessTime = 0;
#endif
} // namespace
#endif

std::FILE* OpenRegularFile(const std::string& path, std::string& error)
{
#ifdef _WIN32
    // Shared reading: the call logger goes on appending while we read.
    std::FILE* file = _fsopen(path.c_str(), "rb", _SH_DENYNO);
    if (!file) {
        error = std::strerror(errno);
        return nullptr;
    }
    struct _stat64 info {};
    if (_fstat64(_fileno(file), &info) != 0 || (info.st_mode & _S_IFMT) != _S_IFREG) {
        error = kNotRegularFileText;
        std::fclose(file);
        return nullptr;
    }
    return file;
#else
    // Reading leaves the file's access time as it was, where the file is ours: a log looked at after
    // every append would otherwise have its entry rewritten (a journal write) each time.
    int flags = O_RDONLY | O_NONBLOCK | O_CLOEXEC | kNoAccessTime;
    int fd = ::open(path.c_str(), flags);
    if (fd < 0 && errno == EPERM && kNoAccessTime != 0) {
        flags &= ~kNoAccessTime;
        fd = ::open(path.c_str(), flags);
    }
    if (fd < 0) {
        error = std::strerror(errno);
        return nullptr;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        error = S_ISDIR(info.st_mode) ? std::strerror(EISDIR) : kNotRegularFileText;
        ::close(fd);
        return nullptr;
    }
    // Reads wait again (the open alone was not to wait for a FIFO's writer).
    ::fcntl(fd, F_SETFL, flags & kNoAccessTime);
    std::FILE* file = ::fdopen(fd, "rb");
    if (!file) {
        error = std::strerror(errno);
        ::close(fd);
    }
    return file;
#endif
}

PathKind KindOfPath(const std::string& path)
{
    std::error_code failed;
    const std::filesystem::file_status status = std::filesystem::status(path, failed);
    if (status.type() == std::filesystem::file_type::not_found)
        return PathKind::Missing;
    return status.type() == std::filesystem::file_type::regular ? PathKind::Regular : PathKind::Other;
}

namespace {
int ProcessId()
{
#ifdef _WIN32
    return _getpid();
#else
    return static_cast<int>(::getpid());
#endif
}

// A new file beside target under a name no other writer uses (this process, a count and a random
// part; never one left by a writer that died), so a leftover or a second writer never stands in the way.
std::FILE* OpenPartial(const std::filesystem::path& target, std::string& partial, std::string& error)
{
    static std::atomic<unsigned> count{0};
    std::random_device random;
    for (int attempt = 0; attempt < 16; ++attempt) {
        partial = target.string() + ".partial-" + std::to_string(ProcessId()) + "-" + std::to_string(++count) + "-"
                  + std::to_string(random());
        if (std::FILE* file = std::fopen(partial.c_str(), "wbx"))
            return file;
        if (errno != EEXIST)
            break;
    }
    error = std::strerror(errno);
    return nullptr;
}

} // namespace

bool SyncedToDisk(int descriptor)
{
#ifdef _WIN32
    return _commit(descriptor) == 0;
#else
    return ::fsync(descriptor) == 0;
#endif
}

bool WriteWholeFile(const std::string& path, const std::string& content, std::string& error)
{
    const PathKind kind = KindOfPath(path);
    if (kind == PathKind::Other) {
        error = kNotRegularFileText;
        return false;
    }
    std::error_code failed;
    const std::filesystem::path target = kind == PathKind::Regular ? std::filesystem::canonical(path, failed) : std::filesystem::path(path);
    std::string partial;
    std::FILE* file = OpenPartial(target, partial, error);
    if (!file)
        return false;
    const bool written = std::fwrite(content.data(), 1, content.size(), file) == content.size() && std::fflush(file) == 0
                         && SyncedToDisk(fileno(file));
    const int savedErrno = errno;
    const bool closed = std::fclose(file) == 0;
    bool notRegular = false;
    if (written && closed)
        return ReplaceRegularFile(partial, target.string(), error, notRegular);
    error = std::strerror(written ? errno : savedErrno);
    std::filesystem::remove(partial, failed);
    return false;
}

bool ReplaceRegularFile(const std::string& replacement, const std::string& target, std::string& error,
                        bool& notRegular)
{
    notRegular = false;
    std::error_code failed;
#if defined(__linux__)
    const auto isRegular = [](const std::string& name) {
        struct stat info {};
        return ::lstat(name.c_str(), &info) == 0 && S_ISREG(info.st_mode);
    };
    // A new name: taken only if nothing took it meanwhile.
    if (::renameat2(AT_FDCWD, replacement.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno == EEXIST) {
        if (::renameat2(AT_FDCWD, replacement.c_str(), AT_FDCWD, target.c_str(), RENAME_EXCHANGE) == 0) {
            if (isRegular(replacement)) {
                std::filesystem::remove(replacement, failed);
                return true;
            }
            ::renameat2(AT_FDCWD, replacement.c_str(), AT_FDCWD, target.c_str(), RENAME_EXCHANGE);
            notRegular = true;
            error = kNotRegularFileText;
            std::filesystem::remove(replacement, failed);
            return false;
        }
    }
    // A file system that cannot swap names: checked, then renamed.
    if (errno != EINVAL && errno != ENOSYS && errno != EEXIST) {
        error = std::strerror(errno);
        std::filesystem::remove(replacement, failed);
        return false;
    }
#endif
    const std::filesystem::file_status status = std::filesystem::symlink_status(target, failed);
    if (status.type() != std::filesystem::file_type::not_found && status.type() != std::filesystem::file_type::regular) {
        notRegular = true;
        error = kNotRegularFileText;
    } else {
        std::filesystem::rename(replacement, target, failed);
        if (!failed)
            return true;
        error = failed.message();
    }
    std::filesystem::remove(replacement, failed);
    return false;
}
