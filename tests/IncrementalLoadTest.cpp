// The document reading on from where it stopped must always show what a fresh load shows.

#include "TestSupport.h"
#include "document/SlotClassifier.h"
#include "tools/ChargeLogGenerator.h"

#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <gtest/gtest.h>
#include <random>

namespace {

class IncrementalLoadTest : public testing::Test, protected DocFixture {
protected:
    std::string path = folder.Path("log").string();

    // New content under the same name and inode, a second later than the last change.
    void Rewrite(const std::string& content)
    {
        struct stat before {};
        ::stat(path.c_str(), &before);
        folder.Write("log", content);
        timespec times[2] = {before.st_atim, before.st_mtim};
        times[1].tv_sec += 1;
        ::utimensat(AT_FDCWD, path.c_str(), times, 0);
    }
    // A document loaded afresh from the same file, date and closing day.
    Tallies FreshLoad()
    {
        DocFixture fresh;
        fresh.Open(path, doc->GetClosingDay(), k1997Mar20);
        return fresh.doc->GetTallies();
    }
    static std::string RandomLine(std::mt19937& random)
    {
        const CivilDate date = AddDays(k1997Mar20, -static_cast<int>(random() % 400));
        const long yen = static_cast<long>(random() % 3000) - (random() % 10 == 0 ? 5000 : 0);
        return ChargeLogLine(date, static_cast<int>(random() % 86400), static_cast<int>(random() % 7200), yen,
                             "0312345678");
    }
    // What an appending logger (or a hostile one) might write next.
    static std::string Chunk(std::mt19937& random)
    {
        switch (random() % 6) {
        case 0: return RandomLine(random);
        case 1: return RandomLine(random).substr(0, random() % 45); // first part of a line
        case 2: return "\r";
        case 3: return "\n";
        case 4: return RandomLine(random).substr(0, 30) + std::string(300 + random() % 300, '7') + "\r\n";
        }
        std::string lines;
        for (int i = 0; i < 20; ++i)
            lines += RandomLine(random);
        return lines;
    }
};

TEST_F(IncrementalLoadTest, AppendsInAnyChunksGiveTheFiguresOfAFreshLoad)
{
    std::mt19937 random(11);
    folder.Write("log", RandomLine(random));
    Open(path, 20, k1997Mar20);
    int readOn = 0;
    for (int step = 0; step < 400; ++step) {
        AppendTo(path, Chunk(random));
        doc->LoadChargeFile(CPeloraDoc::LoadKind::ReadOn);
        ASSERT_FALSE(doc->IsLoadFailed());
        readOn += doc->GetLastLoadStart() > 0;
        ASSERT_TRUE(doc->GetTallies() == FreshLoad()) << "after step " << step;
    }
    EXPECT_GT(readOn, 350); // it really read on, rather than from the start every time
}

// A line longer than 255 bytes reads as pieces of 255: each piece counts as soon as it is there,
// even while the line is still being written.
TEST_F(IncrementalLoadTest, LongLineCountsPieceByPieceAsItGrows)
{
    const std::string first = "97/03/20 10:00:00  OUT00:01:40      700 0";
    const std::string second = "97/03/20 11:00:00  OUT00:01:40      300 0";
    const std::string line = first + std::string(255 - first.size(), ' ') + second;
    folder.Write("log", "97/03/19 10:00:00  OUT00:01:40       50 0\r\n");
    Open(path, 20, k1997Mar20);
    const struct {
        std::string bytes;
        Figure today, calls;
    } steps[] = {{line.substr(0, 120), 700, 1}, {line.substr(120, 135), 700, 1},
                 {line.substr(255), 1000, 2}, {"\r\n", 1000, 2}, {first + "\r\n", 1700, 3}};
    for (const auto& step : steps) {
        AppendTo(path, step.bytes);
        doc->LoadChargeFile(CPeloraDoc::LoadKind::ReadOn);
        EXPECT_GT(doc->GetLastLoadStart(), 0);
        EXPECT_EQ(doc->GetDayYen(29), step.today) << "after " << step.bytes.size() << " more bytes";
        EXPECT_EQ(doc->GetDayCount(29), step.calls);
        EXPECT_EQ(doc->GetDayYen(28), 50);
    }
}

TEST_F(IncrementalLoadTest, RewrittenFilesAreReadFromTheStart)
{
    std::mt19937 random(5);
    std::string content;
    for (int i = 0; i < 200; ++i)
        content += RandomLine(random);
    folder.Write("log", content);
    Open(path, 20, k1997Mar20);

    std::string same = content;
    same[500] = same[500] == '7' ? '8' : '7';
    std::string other;
    while (other.size() < content.size())
        other += RandomLine(random);
    std::string early = same;
    early[38] = early[38] == '1' ? '2' : '1'; // the first call's charge
    const std::function<void()> changes[] = {
        [&] { // a line read on since the whole read, edited as one more is written
            std::string line = RandomLine(random);
            AppendTo(path, line);
            doc->LoadChargeFile(CPeloraDoc::LoadKind::ReadOn);
            line[38] = line[38] == '1' ? '2' : '1';
            Rewrite(content + line + RandomLine(random));
        },
        [&] { Rewrite(same); },                                  // same size, a byte between the sampled blocks
        [&] { Rewrite(early + RandomLine(random)); },            // grown, the first line edited
        [&] { Rewrite(content.substr(0, content.size() / 3)); }, // truncated and written anew, shorter
        [&] { Rewrite(other); },                                 // other lines, longer than before
        [&] { // another file renamed over it, longer than the one it replaces
            std::filesystem::rename(folder.Write("other", other + RandomLine(random)), path);
        },
        [&] { // a new closing day changes the billing months
            AppendTo(path, RandomLine(random));
            doc->SetClosingDay(10);
            doc->BuildPeriodLabels();
        }};
    for (const auto& change : changes) {
        change();
        doc->LoadChargeFile(CPeloraDoc::LoadKind::ReadOn);
        EXPECT_EQ(doc->GetLastLoadStart(), 0);
        EXPECT_TRUE(doc->GetTallies() == FreshLoad());
    }
}

// A told change reads on when the sampled blocks still match; the minute's look reads the whole file
// whenever it changed since the last whole read, so an edit between the blocks lasts a minute at most.
TEST_F(IncrementalLoadTest, LargeFileReadInPartsMatchesTheSequentialRule)
{
    ChargeLogOptions options;
    options.lastDay = k1997Mar20;
    options.days = 60; // 10000 calls a day: one date's run longer than its sums hold at once
    options.lines = 600000; // about 30 MB: read in parts on a machine with several cores
    ASSERT_TRUE(WriteChargeLog(path, options));
    // Lines of the last date read the usual way and otherwise in turn (refunds, charges over a
    // thousand, a short line, a lone return), so runs of one date end and start again.
    for (int k = 0; k < 300; ++k)
        AppendTo(path, ChargeLogLine(k1997Mar20, 3600, 100 + k, k % 7 ? k * 1000 : -k, "0") + (k % 5 ? "" : "97/03/20 x\r\r\n"));
    AppendTo(path, std::string(700, '\0') + "\n" + std::string(5000, 'x') + "97/03/20\n\n\n");
    Open(path, 20, k1997Mar20);
    // The same file read by the plain rule, one piece at a time in order.
    CChargeFile file;
    ASSERT_TRUE(file.Open(path));
    const CBillingCalendar calendar(k1997Mar20, 20);
    CSlotClassifier classifier(calendar);
    SlotTallies sums;
    std::string error;
    std::int64_t lineEnd = 0;
    ASSERT_TRUE(ForEachPiece(file, 0, file.Stamp().size, [&](std::string_view piece, bool) {
        const SlotPair found = classifier.ClassifyByLabels(piece);
        if (found.month >= 0)
            sums.months.Add(found.month, ValuesOfLine(piece));
        if (found.day >= 0)
            sums.days.Add(found.day, ValuesOfLine(piece));
    }, error, lineEnd));
    EXPECT_TRUE(doc->GetTallies() == FiguresOf(sums, calendar));
}
} // namespace
