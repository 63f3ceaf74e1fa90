#include "document/ChargeFile.h"

#include "platform/RegularFile.h"

#include <cerrno>
#include <algorithm>
#include <cstring>
#include <sys/stat.h>


namespace {
constexpr std::size_t kBlockBytes = 1 << 20;
}

std::string SystemErrorText(int error)
{
    return std::strerror(error);
}

CChargeFile::~CChargeFile()
{
    if (m_file)
        std::fclose(m_file);
}

bool CChargeFile::Open(const std::string& path)
{
    // Binary mode: carriage returns are dropped by the piece cutter, and 0x1A is an ordinary byte.
    m_file = OpenRegularFile(path, m_error);
    return m_file != nullptr;
}

FileStamp CChargeFile::Stamp() const
{
    FileStamp stamp;
#ifdef _WIN32
    struct _stat64 info {};
    if (_fstat64(_fileno(m_file), &info) == 0) {
        stamp.seconds = info.st_mtime;
        stamp.size = info.st_size;
    }
#else
    struct stat info {};
    if (fstat(fileno(m_file), &info) == 0) {
        stamp.seconds = info.st_mtim.tv_sec;
        stamp.nanoseconds = info.st_mtim.tv_nsec;
        stamp.size = info.st_size;
    }
#endif
    return stamp;
}

// Keeps the last `keep` unread bytes at the front and reads after them.
bool CChargeFile::Fill(std::size_t keep)
{
    if (m_buffer.empty()) {
        // A small file needs no megabyte: its size plus room for one piece will do.
        const FileStamp stamp = Stamp();
        const std::size_t wanted = stamp.size >= 0 ? static_cast<std::size_t>(stamp.size) + 2 * kMaxPieceBytes : kBlockBytes;
        m_buffer.resize(std::min(kBlockBytes, std::max<std::size_t>(wanted, 4096)));
    }
    std::memmove(m_buffer.data(), m_buffer.data() + m_begin, keep);
    m_begin = 0;
    m_end = keep;
    while (m_end < m_buffer.size() && !m_eof) {
        const std::size_t got = std::fread(m_buffer.data() + m_end, 1, m_buffer.size() - m_end, m_file);
        m_end += got;
        if (got == 0) {
            if (std::ferror(m_file)) {
                m_error = SystemErrorText(errno);
                return false;
            }
            m_eof = true;
        }
    }
    return true;
}
