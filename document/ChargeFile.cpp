#include "document/ChargeFile.h"

#include "platform/core/RegularFile.h"

#include <cerrno>
#include <sys/stat.h>

#ifndef _WIN32
#include <unistd.h>
#endif

std::string SystemErrorText(int error)
{
    return std::strerror(error);
}

bool CChargeFile::Open(const std::string& path)
{
    // Binary mode: carriage returns are dropped by the piece cutter, and 0x1A is an ordinary byte.
    m_file = OpenedFile(OpenRegularFile(path, m_error));
    return m_file != nullptr;
}

FileStamp CChargeFile::Stamp() const
{
    FileStamp stamp;
#ifdef _WIN32
    struct _stat64 info {};
    if (_fstat64(_fileno(m_file.get()), &info) == 0) {
        stamp.seconds = info.st_mtime;
        stamp.size = info.st_size;
    }
#else
    struct stat info {};
    if (fstat(fileno(m_file.get()), &info) == 0) {
        stamp.seconds = info.st_mtim.tv_sec;
        stamp.nanoseconds = info.st_mtim.tv_nsec;
        stamp.size = info.st_size;
    }
#endif
    return stamp;
}

FileIdentity CChargeFile::Identity() const
{
    FileIdentity identity;
#ifndef _WIN32
    struct stat info {};
    if (fstat(fileno(m_file.get()), &info) == 0)
        identity = {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
#endif
    return identity;
}

int CChargeFile::Descriptor() const
{
#ifdef _WIN32
    return -1;
#else
    return m_file ? fileno(m_file.get()) : -1;
#endif
}

std::int64_t CChargeFile::ReadAt(std::int64_t offset, char* buffer, std::size_t size, std::string& error) const
{
#ifdef _WIN32
    const std::lock_guard<std::mutex> lock(m_readLock);
    if (_fseeki64(m_file.get(), offset, SEEK_SET) != 0) {
        error = SystemErrorText(errno);
        return -1;
    }
    const std::size_t got = std::fread(buffer, 1, size, m_file.get());
    if (got < size && std::ferror(m_file.get())) {
        error = SystemErrorText(errno);
        return -1;
    }
    return static_cast<std::int64_t>(got);
#else
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got = ::pread(fileno(m_file.get()), buffer + done, size - done, static_cast<off_t>(offset + done));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            error = SystemErrorText(errno);
            return -1;
        }
        if (got == 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    return static_cast<std::int64_t>(done);
#endif
}
