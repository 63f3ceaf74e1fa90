#include "TestSupport.h"
#include "document/ChargeFile.h"
#include "document/ChargeReader.h"
#include "platform/core/MappedRange.h"

#include <gtest/gtest.h>
#include <fstream>
#include <random>

namespace {
// Small blocks by default, so block edges fall everywhere; the real size for the long case.
std::vector<std::string> Pieces(const std::string& content, std::size_t blockBytes = 600)
{
    CScratchFolder folder;
    CChargeFile file;
    EXPECT_TRUE(file.Open(folder.Write("log.txt", content)));
    std::vector<std::string> pieces;
    std::string error;
    std::int64_t lineEnd = 0;
    EXPECT_TRUE(ForEachPiece(file, 0, static_cast<std::int64_t>(content.size()),
                             [&](std::string_view piece, bool) { pieces.emplace_back(piece); }, error, lineEnd,
                             blockBytes));
    return pieces;
}

// What fgets(buffer, 256, file) in text mode returns, written the plain way, line feeds stripped.
std::vector<std::string> FgetsPieces(const std::string& raw)
{
    std::string text;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (!(raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n'))
            text += raw[i];
    }
    std::vector<std::string> pieces;
    std::string piece;
    for (const char c : text) {
        piece += c;
        if (c == '\n' || piece.size() == kMaxPieceBytes) {
            if (piece.back() == '\n')
                piece.pop_back();
            pieces.push_back(piece);
            piece.clear();
        }
    }
    if (!piece.empty())
        pieces.push_back(piece);
    return pieces;
}

using Lines = std::vector<std::string>;

// A carriage return goes only before a line feed; NUL and the end-of-file mark are ordinary bytes.
TEST(ChargeFilePieces, OnlyCarriageReturnLineFeedEndsALineWithoutItsReturn)
{
    EXPECT_EQ(Pieces("a\r\nb\rc\n\r\r\nd"), (Lines{"a", "b\rc", "\r", "d"}));
    EXPECT_EQ(Pieces(std::string("a\0b\x1A" "c\nz", 7)), (Lines{std::string("a\0b\x1A" "c", 5), "z"}));
}

TEST(ChargeFilePieces, RandomContentAcrossBlocksMatchesFgets)
{
    std::mt19937 random(7);
    const char alphabet[] = {'\r', '\n', 'a', '\0', ','};
    std::string content;
    // Over two read blocks, with runs long enough to straddle the block edge mid-piece.
    while (content.size() < (2u << 20) + 1000) {
        const std::size_t run = random() % 400;
        content.append(run, 'q');
        content += alphabet[random() % 5];
    }
    EXPECT_EQ(Pieces(content, kReadBlockBytes), FgetsPieces(content));
    EXPECT_EQ(Pieces(content.substr(0, 50000), 700), FgetsPieces(content.substr(0, 50000)));
}

// A file cut short after its length was taken (a log rotated while it is read) is read as it is
// then, never past its end.
TEST(ChargeFilePieces, FileCutShortDuringTheReadIsReadAsItIsThen)
{
    CScratchFolder folder;
    std::string content;
    for (int k = 0; k < 30000; ++k) // over a megabyte: mapped
        content += "97/03/20 10:00:00  OUT00:01:40      100 0\r\n";
    const std::string path = folder.Write("log.txt", content);
    CChargeFile file;
    ASSERT_TRUE(file.Open(path));
    const std::int64_t size = file.Stamp().size;
    std::filesystem::resize_file(path, 5000);
    const CBillingCalendar calendar({1997, 3, 20}, 20);
    RangeTallies cut, fresh;
    ASSERT_TRUE(TallyRange(file, 0, size, CSlotClassifier(calendar), cut).ok);
    ASSERT_TRUE(TallyRange(file, 0, 5000, CSlotClassifier(calendar), fresh).ok);
    EXPECT_EQ(cut.complete.days.count[29] + cut.unfinished.days.count[29], 5000 / 43 + 1);
    EXPECT_TRUE(FiguresOf(cut.complete, calendar) == FiguresOf(fresh.complete, calendar));
}

#ifdef __linux__
// Pages of the process's memory, as the system counts them.
long ResidentPages()
{
    long total = 0;
    long resident = 0;
    std::ifstream("/proc/self/statm") >> total >> resident;
    return resident;
}

// A long log read mapped holds only the pages about where it is read: those read are given back,
// whole large pages at a time, and the bytes stay as they were.
TEST(ChargeFilePieces, MappedPagesReadAreGivenBack)
{
    constexpr std::size_t kSize = 16 << 20;
    CScratchFolder folder;
    CChargeFile file;
    ASSERT_TRUE(file.Open(folder.Write("log.txt", std::string(kSize, 'x'))));
    CMappedRange range;
    ASSERT_TRUE(range.Map(file.Descriptor(), 0, kSize));
    const long page = sysconf(_SC_PAGESIZE);
    std::size_t sum = 0;
    for (std::size_t at = 0; at < kSize; at += static_cast<std::size_t>(page))
        sum += static_cast<std::size_t>(range.Data()[at]);
    EXPECT_EQ(sum, 'x' * (kSize / static_cast<std::size_t>(page)));
    const long mapped = ResidentPages();
    range.Release((12 << 20) + 100);
    const long given = mapped - ResidentPages();
    EXPECT_GE(given, (12 << 20) / page - 16);
    EXPECT_LE(given, (12 << 20) / page + 16);
    EXPECT_EQ(range.Data()[0], 'x');
}
#endif

} // namespace
