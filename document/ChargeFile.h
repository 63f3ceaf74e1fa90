#pragma once
// The charge file as the tallies see it: opened for shared reading, so the call logger can go on
// appending while we read, read in large blocks and cut into the pieces a 256-byte fgets in text
// mode would return.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

// When the file was last written, and how long it is: "unchanged" means both are the same.
struct FileStamp {
    std::int64_t seconds = 0;
    std::int64_t nanoseconds = 0;
    std::int64_t size = -1;
    bool operator==(const FileStamp&) const = default;
};

// Longest piece a line is cut into, as a 256-byte fgets buffer holds it.
inline constexpr std::size_t kMaxPieceBytes = 255;

class CChargeFile {
public:
    CChargeFile() = default;
    ~CChargeFile();
    CChargeFile(const CChargeFile&) = delete;
    CChargeFile& operator=(const CChargeFile&) = delete;

    // False when the file cannot be opened; ErrorText() then tells the system's reason.
    bool Open(const std::string& path);
    FileStamp Stamp() const;
    const std::string& ErrorText() const { return m_error; }

    // Calls onPiece with each piece's text (without its line feed), first to last.
    // False when reading fails part-way.
    template <class Handler> bool ForEachPiece(Handler&& onPiece);

private:
    bool Fill(std::size_t keep);

    std::FILE* m_file = nullptr;
    std::string m_error;
    std::vector<char> m_buffer;
    std::size_t m_begin = 0;
    std::size_t m_end = 0;
    bool m_eof = false;
};

// The system's reason for the last failed file operation, in words.
std::string SystemErrorText(int error);

template <class Handler> bool CChargeFile::ForEachPiece(Handler&& onPiece)
{
    // A piece never spans more than 256 raw bytes (255 text bytes plus a dropped carriage return),
    // so looking one byte further decides where it ends.
    constexpr std::size_t kWindow = kMaxPieceBytes + 2;
    for (;;) {
        if (m_end - m_begin < kWindow && !m_eof && !Fill(m_end - m_begin))
            return false;
        const char* data = m_buffer.data();
        const std::size_t available = m_end - m_begin;
        if (available == 0)
            return true;
        const char* p = data + m_begin;
        const std::size_t span = available < kWindow - 1 ? available : kWindow - 1;
        const auto* lf = static_cast<const char*>(std::memchr(p, '\n', span));
        if (lf) {
            std::size_t text = static_cast<std::size_t>(lf - p);
            const bool droppedCr = text > 0 && lf[-1] == '\r';
            if (text - droppedCr + 1 <= kMaxPieceBytes) {
                onPiece(std::string_view(p, text - droppedCr));
                m_begin += text + 1;
                continue;
            }
        }
        const std::size_t take = available < kMaxPieceBytes ? available : kMaxPieceBytes;
        onPiece(std::string_view(p, take));
        m_begin += take;
    }
}
