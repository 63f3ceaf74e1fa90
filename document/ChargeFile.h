#pragma once
// The charge file as the tallies see it: opened for shared reading, so the call logger can go on
// appending while we read; only a regular file is taken. Its bytes are cut into the pieces a
// 256-byte fgets in text mode would return: a line without its line feed (and a carriage return
// directly before it), or 255 bytes of a longer line at a time.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

// When the file was last written, and how long it is: "unchanged" means both are the same.
struct FileStamp {
    std::int64_t seconds = 0;
    std::int64_t nanoseconds = 0;
    std::int64_t size = -1;
    bool operator==(const FileStamp&) const = default;
};

// Which file a path named (device and inode): a file rotated under the same name is another one.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    bool operator==(const FileIdentity&) const = default;
};

// Longest piece a line is cut into, as a 256-byte fgets buffer holds it.
inline constexpr std::size_t kMaxPieceBytes = 255;
// A piece never spans more raw bytes than this (255 text bytes, a dropped carriage return, the
// line feed), so this much ahead always decides where the next piece ends.
inline constexpr std::size_t kPieceWindow = kMaxPieceBytes + 2;

// Bytes looked at in one go for the line feed that ends a line: charge lines are shorter.
inline constexpr std::size_t kShortLineBytes = 64;

// Bit k set for each line feed at p[k], k < kShortLineBytes; all of p[0, kShortLineBytes) must be
// readable. Four 16-byte compares rather than a call per line.
inline std::uint64_t LineFeedsInShortSpan(const char* p)
{
#ifdef __SSE2__
    const __m128i lf = _mm_set1_epi8('\n');
    const auto feeds = [&](std::size_t at) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + at));
        return static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, lf))));
    };
    return feeds(0) | feeds(16) << 16 | feeds(32) << 32 | feeds(48) << 48;
#else
    std::uint64_t feeds = 0;
    for (const char* lf = p; (lf = static_cast<const char*>(std::memchr(lf, '\n', p + kShortLineBytes - lf))); ++lf)
        feeds |= std::uint64_t{1} << (lf - p);
    return feeds;
#endif
}

// The offset of the first line feed in p[0, kShortLineBytes), all of which must be readable, or
// kShortLineBytes when there is none.
inline std::size_t FirstLineFeedInShortSpan(const char* p)
{
    const std::uint64_t feeds = LineFeedsInShortSpan(p);
    return feeds ? static_cast<std::size_t>(std::countr_zero(feeds)) : kShortLineBytes;
}

// The offset of the first byte at or after at that is not a line feed, eight bytes at a time.
inline std::size_t SkipLineFeeds(const char* data, std::size_t at, std::size_t size)
{
    constexpr std::uint64_t kEight = 0x0A0A0A0A0A0A0A0Aull;
    for (std::uint64_t word = 0; at + 8 <= size; at += 8) {
        std::memcpy(&word, data + at, 8);
        if (word != kEight)
            break;
    }
    while (at < size && data[at] == '\n')
        ++at;
    return at;
}

// Cuts pieces from data[0, size) and hands each to onPiece(piece, final), stopping where fewer
// than kPieceWindow bytes are left unless atEnd. final tells that no byte appended later can
// change the piece: a line feed ended it, or enough bytes followed to decide where it ends (only
// the last piece or two before the end of a file can be otherwise). Returns the bytes consumed;
// finalEnd gets the offset just after the last final piece (unchanged when there was none). With
// skipBlankRuns, of a run of empty lines only the first is handed on: a reader that takes nothing
// from empty pieces need not see each one. A handler with TakeLines(bytes, size) is first offered
// the bytes ahead: it takes as many whole lines shorter than kShortLineBytes as it likes, in one
// go, and returns the bytes it took.
template <bool skipBlankRuns = false, class Handler>
std::size_t CutPieces(const char* data, std::size_t size, bool atEnd, Handler&& onPiece, std::size_t& finalEnd)
{
    std::size_t at = 0;
    for (;;) {
        const std::size_t available = size - at;
        if (available == 0 || (available < kPieceWindow && !atEnd))
            return at;
        if constexpr (requires { onPiece.TakeLines(data, size); }) {
            if (const std::size_t taken = onPiece.TakeLines(data + at, available)) {
                at += taken;
                finalEnd = at;
                continue;
            }
        }
        // A line feed at 256 or beyond cannot shorten a piece, so 256 bytes decide it.
        const bool decided = available >= kPieceWindow - 1;
        const char* p = data + at;
        const std::size_t span = available < kPieceWindow - 1 ? available : kPieceWindow - 1;
        const char* lf = nullptr;
        if (span >= kShortLineBytes) {
            const std::size_t shortEnd = FirstLineFeedInShortSpan(p);
            lf = shortEnd < kShortLineBytes ? p + shortEnd
                                            : static_cast<const char*>(std::memchr(p + kShortLineBytes, '\n', span - kShortLineBytes));
        } else {
            lf = static_cast<const char*>(std::memchr(p, '\n', span));
        }
        if (lf) {
            const std::size_t text = static_cast<std::size_t>(lf - p);
            const bool droppedCr = text > 0 && lf[-1] == '\r';
            if (text - droppedCr + 1 <= kMaxPieceBytes) {
                onPiece(std::string_view(p, text - droppedCr), true);
                at += text + 1;
                if constexpr (skipBlankRuns) {
                    if (text == 0)
                        at = SkipLineFeeds(data, at, size);
                }
                finalEnd = at;
                continue;
            }
        }
        const std::size_t take = available < kMaxPieceBytes ? available : kMaxPieceBytes;
        onPiece(std::string_view(p, take), decided);
        at += take;
        if (decided)
            finalEnd = at;
    }
}

class CChargeFile {
public:
    CChargeFile() = default;
    CChargeFile(const CChargeFile&) = delete;
    CChargeFile& operator=(const CChargeFile&) = delete;

    // False when the file cannot be opened or is not a regular file; ErrorText() tells why.
    bool Open(const std::string& path);
    // Reads a file already opened (and checked) by whoever chose it, rather than opening its name again.
    void Adopt(std::shared_ptr<std::FILE> file) { m_file = std::move(file); }
    // The open file, for a reader that comes later.
    std::shared_ptr<std::FILE> Shared() const { return m_file; }
    FileStamp Stamp() const;
    FileIdentity Identity() const;
    const std::string& ErrorText() const { return m_error; }

    // The open file's descriptor, for mapping it (-1 where there is none).
    int Descriptor() const;
    // Up to size bytes from offset (fewer at the end of the file); -1 when reading fails, with the
    // reason in error. Safe to call from several threads at once.
    std::int64_t ReadAt(std::int64_t offset, char* buffer, std::size_t size, std::string& error) const;

private:
    std::shared_ptr<std::FILE> m_file;
    std::string m_error;
#ifdef _WIN32
    mutable std::mutex m_readLock;
#endif
};

inline constexpr std::size_t kReadBlockBytes = 256 << 10;

// Calls onPiece(piece, final) with each piece of the bytes [begin, end), begin being the start
// of a piece, read block by block (a block's undecided last piece is read again with the next).
// finalEnd gets the offset just after the last final piece (unchanged when there was none), where
// a later read can go on. False when reading fails, with the reason in error, or when stop (looked
// at before each block) says to stop.
using ReadStop = std::function<bool()>;
inline constexpr const char* kStoppedText = "stopped";

template <bool skipBlankRuns = false, class Handler>
bool ForEachPiece(const CChargeFile& file, std::int64_t begin, std::int64_t end, Handler&& onPiece,
                  std::string& error, std::int64_t& finalEnd, std::size_t blockBytes = kReadBlockBytes,
                  const ReadStop& stop = {})
{
    // A short range needs no more buffer than itself.
    const std::int64_t room = end - begin + static_cast<std::int64_t>(2 * kPieceWindow);
    std::string buffer(static_cast<std::size_t>(room < static_cast<std::int64_t>(blockBytes) ? room : blockBytes), '\0');
    for (std::int64_t at = begin; at < end;) {
        if (stop && stop()) {
            error = kStoppedText;
            return false;
        }
        const std::int64_t left = end - at;
        const std::size_t wanted = left < static_cast<std::int64_t>(buffer.size()) ? static_cast<std::size_t>(left) : buffer.size();
        const std::int64_t got = file.ReadAt(at, buffer.data(), wanted, error);
        if (got < 0)
            return false;
        const bool atEnd = got == left || static_cast<std::size_t>(got) < wanted;
        std::size_t blockFinalEnd = 0;
        const std::size_t used =
            CutPieces<skipBlankRuns>(buffer.data(), static_cast<std::size_t>(got), atEnd, onPiece, blockFinalEnd);
        if (blockFinalEnd > 0)
            finalEnd = at + static_cast<std::int64_t>(blockFinalEnd);
        if (atEnd)
            break;
        at += static_cast<std::int64_t>(used);
    }
    return true;
}

// The system's reason for the last failed file operation, in words.
std::string SystemErrorText(int error);
