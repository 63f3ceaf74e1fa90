#include "platform/core/RegularFile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>

#ifdef _WIN32
#include <share.h>
#else
#include <fcntl.h>
#include <unistd.h>
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
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
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
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
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

bool WriteWholeFile(const std::string& path, const std::string& content, std::string& error)
{
    const PathKind kind = KindOfPath(path);
    if (kind == PathKind::Other) {
        error = kNotRegularFileText;
        return false;
    }
    std::error_code failed;
    const std::filesystem::path target = kind == PathKind::Regular ? std::filesystem::canonical(path, failed) : std::filesystem::path(path);
    const std::string partial = target.string() + ".partial";
    std::FILE* file = std::fopen(partial.c_str(), "wbx");
    if (!file) {
        error = std::strerror(errno);
        return false;
    }
    const bool written = std::fwrite(content.data(), 1, content.size(), file) == content.size();
    const int savedErrno = errno;
    const bool closed = std::fclose(file) == 0;
    if (written && closed) {
        std::filesystem::rename(partial, target, failed);
        if (!failed)
            return true;
        error = failed.message();
    } else {
        error = std::strerror(written ? errno : savedErrno);
    }
    std::filesystem::remove(partial, failed);
    return false;
}
