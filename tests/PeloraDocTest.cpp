#include "TestSupport.h"
#include "tools/ChargeLogGenerator.h"

#include "document/ChargeFields.h"

#include <fstream>
#include <set>
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

std::string Line(const char* date, const char* connect, const char* charge)
{
    return std::string(date) + " 10:23:45  OUT" + connect + " " + charge + " 0312345678\r\n";
}

class PeloraDocTest : public testing::Test, protected DocFixture {};

TEST_F(PeloraDocTest, LineLandsInItsDayAndBillingMonth)
{
    Open(folder.Write("log", Line("96/12/15", "00:03:20", "   1,230")), 20, k1996Dec20);
    EXPECT_FALSE(doc->IsLoadFailed());
    EXPECT_EQ(doc->GetDayCount(24), 1);
    EXPECT_EQ(doc->GetDayYen(24), 1230);
    EXPECT_EQ(doc->GetDaySeconds(24), 200);
    EXPECT_EQ(doc->GetMonthCount(11), 1);
    EXPECT_EQ(doc->GetMonthYen(11), 1230);
    EXPECT_EQ(doc->GetMonthSeconds(11), 200);
    EXPECT_EQ(doc->GetDayYenMax(), 1230);
    EXPECT_EQ(doc->GetForecastYen(), 1271); // 1230 / 30 days * 31
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(PeloraDocTest, BlankChargeStillCountsAsACall)
{
    Open(folder.Write("log", Line("96/12/20", "00:00:10", "        ") + Line("96/12/20", "00:00:10", "  12,345")),
         20, k1996Dec20);
    EXPECT_EQ(doc->GetDayCount(29), 2);
    EXPECT_EQ(doc->GetDayYen(29), 12345);
}

TEST_F(PeloraDocTest, NegativeChargeLowersItsSlotButNotTheMaximum)
{
    Open(folder.Write("log", Line("96/12/19", "00:00:00", "     500") + Line("96/12/19", "00:00:00", "    -200")),
         31, k1996Dec20);
    EXPECT_EQ(doc->GetDayYen(28), 300);
    EXPECT_EQ(doc->GetDayYenMax(), 500);
}

TEST_F(PeloraDocTest, VanishedFileFailsFirstThenTellsAndKeepsFigures)
{
    const std::string path = folder.Write("log", Line("96/12/20", "00:00:10", "     100"));
    Open(path, 20, k1996Dec20);
    std::filesystem::remove(path);
    int failedWhileShown = -1;
    sink.onShow = [&] { failedWhileShown = doc->IsLoadFailed(); };
    doc->LoadChargeFile();
    EXPECT_EQ(failedWhileShown, 1);
    // The fixed first line, then which file, why, and what happens next.
    EXPECT_EQ(sink.messages, std::vector<std::string>{std::string(CPeloraDoc::kOpenFailedMessage) + "\n" + path
                                                      + "\nNo such file or directory\n" + CPeloraDoc::kRetryNote});
    EXPECT_EQ(doc->GetDayYen(29), 100);
    EXPECT_EQ(doc->HasChargeFileChanged(), CPeloraDoc::FileChange::Unreadable);

    folder.Write("log", Line("96/12/20", "00:00:10", "     100"));
    doc->LoadChargeFile();
    EXPECT_FALSE(doc->IsLoadFailed());
}

TEST_F(PeloraDocTest, RewriteWithinTheSameSecondCountsAsAChange)
{
    const std::string path = folder.Write("log", Line("96/12/20", "00:00:10", "     100"));
    Open(path, 20, k1996Dec20);
    EXPECT_EQ(doc->HasChargeFileChanged(), CPeloraDoc::FileChange::Unchanged);
    struct stat info {};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    timespec times[2] = {info.st_atim, info.st_mtim};
    times[1].tv_nsec = (times[1].tv_nsec + 1) % 1000000000;
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    EXPECT_EQ(doc->HasChargeFileChanged(), CPeloraDoc::FileChange::Changed);
}

TEST_F(PeloraDocTest, OpeningAFileMakesItTheChargeFileAtOnceAndAgainAtExit)
{
    Open(folder.Write("old", ""), 20, k1996Dec20);
    const std::string path = folder.Write("new", Line("96/12/20", "00:00:10", "     100"));
    ASSERT_TRUE(doc->OnOpenDocument(path));
    EXPECT_EQ(doc->GetLogPath(), path);
    EXPECT_EQ(doc->GetDayYen(29), 100);
    EXPECT_EQ(CSettings(profile).LogPath(), path); // kept at once: a session may end without an exit
    doc.reset();
    EXPECT_EQ(profile.Writes().back(), (CMemoryProfileStore::Write{"File", "VamloLogPath", path}));
}

TEST_F(PeloraDocTest, UnopenableFileLeavesTheDocumentAsItWas)
{
    const std::string path = folder.Write("log", Line("96/12/20", "00:00:10", "     100"));
    Open(path, 20, k1996Dec20);
    EXPECT_FALSE(doc->OnOpenDocument(folder.Path("missing").string()));
    EXPECT_EQ(doc->GetLogPath(), path);
    EXPECT_FALSE(doc->IsLoadFailed());
    EXPECT_EQ(sink.messages.size(), 1u);
}

TEST_F(PeloraDocTest, StoredClosingDayHoldsForAFileOpenedWithoutAStoredPath)
{
    CSettings(profile).SetClosingDay(10);
    clock.Set(LocalNoon(k1996Dec20));
    doc = std::make_unique<CPeloraDoc>(profile, clock, sink);
    EXPECT_EQ(doc->GetClosingDay(), 10);
    // 15 December lies after the 10th: billing month 97/01, not 96/12.
    ASSERT_TRUE(doc->OnOpenDocument(folder.Write("log", Line("96/12/15", "00:00:10", "     100"))));
    EXPECT_EQ(doc->GetMonthYen(11), 100);
    EXPECT_STREQ(doc->GetMonthLabel(11), "97/01");
}
} // namespace

namespace {
// The sample logs look like a household's: busier and quieter days, local calls at 10 yen per
// three minutes begun.
TEST_F(PeloraDocTest, SampleLogsVaryByDayAndFollowTheTariff)
{
    ChargeLogOptions options;
    options.lastDay = k1996Dec20;
    options.days = 30;
    options.lines = 300;
    const std::string path = folder.Path("sample").string();
    ASSERT_TRUE(WriteChargeLog(path, options));
    Open(path, 20, k1996Dec20);
    EXPECT_EQ(doc->GetDayCountTotal(), 300);
    std::set<Figure> callsPerDay;
    for (int i = 0; i < kDaySlots; ++i)
        callsPerDay.insert(doc->GetDayCount(i));
    EXPECT_GE(callsPerDay.size(), 4u); // not the same number of calls every day
    std::ifstream in(path, std::ios::binary);
    int local = 0;
    for (std::string line; std::getline(in, line);) {
        if (line.find(" 0312345678") == std::string::npos)
            continue;
        const ChargeLineValues values = ValuesOfLine(line);
        EXPECT_EQ(values.yen, 10 * ((values.seconds + 179) / 180)) << line;
        ++local;
    }
    EXPECT_GT(local, 10);
}
} // namespace
