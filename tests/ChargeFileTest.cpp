#include "TestSupport.h"
#include "document/ChargeFile.h"
#include "document/ChargeReader.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <fstream>
#include <random>

#ifdef __linux__
#include <unistd.h>
#endif

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

// Lines of 43 bytes, each a call on 20 March 1997.
std::string CallsOn20March(int lines)
{
    std::string content;
    for (int k = 0; k < lines; ++k)
        content += "97/03/20 10:00:00  OUT00:01:40      100 0\r\n";
    return content;
}

// A file cut short after its length was taken (a log rotated while it is read) is read as it is
// then, never past its end: cut early, or within the page it ended in (where mapped bytes past
// the end read as NULs rather than faulting).
TEST(ChargeFilePieces, FileCutShortDuringTheReadIsReadAsItIsThen)
{
    CScratchFolder folder;
    const std::string content = CallsOn20March(30000); // over a megabyte: mapped
    for (const std::int64_t cutTo : {std::int64_t{5000}, static_cast<std::int64_t>(content.size()) - 1000}) {
        const std::string path = folder.Write("log.txt", content);
        CChargeFile file;
        ASSERT_TRUE(file.Open(path));
        const std::int64_t size = file.Stamp().size;
        std::filesystem::resize_file(path, static_cast<std::uintmax_t>(cutTo));
        const CBillingCalendar calendar({1997, 3, 20}, 20);
        RangeTallies cut, fresh;
        ASSERT_TRUE(TallyRange(file, 0, size, CSlotClassifier(calendar), cut).ok);
        ASSERT_TRUE(TallyRange(file, 0, cutTo, CSlotClassifier(calendar), fresh).ok);
        EXPECT_EQ(cut.complete.days.count[29] + cut.unfinished.days.count[29], cutTo / 43 + 1) << cutTo;
        EXPECT_TRUE(FiguresOf(cut.complete, calendar) == FiguresOf(fresh.complete, calendar)) << cutTo;
        EXPECT_LE(cut.finalEnd, cutTo);
    }
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

// A long stretch read mapped holds only the pages about where it is read, and stops when told.
TEST(ChargeFilePieces, LongMappedReadHoldsLittleMemoryAndStopsWhenTold)
{
    CScratchFolder folder;
    CChargeFile file;
    ASSERT_TRUE(file.Open(folder.Write("log.txt", CallsOn20March(350000)))); // 15 MB: one part, read by one thread
    const CBillingCalendar calendar({1997, 3, 20}, 20);
    const CSlotClassifier classifier(calendar);
    const long page = sysconf(_SC_PAGESIZE);
    const long before = ResidentPages();
    long most = before;
    RangeTallies tallies;
    ASSERT_TRUE(TallyRange(file, 0, file.Stamp().size, classifier, tallies, [&] {
        most = std::max(most, ResidentPages());
        return false;
    }).ok);
    EXPECT_EQ(tallies.complete.days.count[29], 350000);
    EXPECT_LT((most - before) * page, 8 << 20);
    int looks = 0;
    const RangeResult stopped = TallyRange(file, 0, file.Stamp().size, classifier, tallies, [&] { return ++looks > 2; });
    EXPECT_FALSE(stopped.ok);
    EXPECT_EQ(stopped.error, kStoppedText);
}
#endif

} // namespace
