#include "TestSupport.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

std::string Line(const char* date, const char* connect, const char* charge)
{
    return std::string(date) + " 10:23:45  OUT" + connect + " " + charge + " 0312345678\r\n";
}

class PeloraDocTest : public testing::Test, protected DocFixture {
protected:
    // A log with one call of 100 yen on 20 December 1996, opened on that day with closing day 20.
    std::string OpenToday()
    {
        const std::string path = folder.Write("log", Line("96/12/20", "00:00:10", "     100"));
        Open(path, 20, k1996Dec20);
        return path;
    }
};

// A blank charge is a call of 0 yen; a refund lowers its slot but never the maximum.
TEST_F(PeloraDocTest, BlankAndNegativeChargesCountAsCalls)
{
    Open(folder.Write("log", Line("96/12/19", "00:00:10", "        ") + Line("96/12/19", "00:00:00", "     500")
                                 + Line("96/12/19", "00:00:00", "    -200")),
         31, k1996Dec20);
    EXPECT_EQ(doc->GetDayCount(28), 3);
    EXPECT_EQ(doc->GetDayYen(28), 300);
    EXPECT_EQ(doc->GetDayYenMax(), 500);
}

// The minute's look at a file gone: one failed load, then no more while it cannot be opened;
// figures kept. (Read again once it is back: the watch command's case, where the system tells of it.)
TEST_F(PeloraDocTest, VanishedFileFailsOnceAndItsFiguresKept)
{
    const std::string path = OpenToday();
    std::filesystem::remove(path);
    int loads = 0;
    for (int minute = 1; minute <= 5; ++minute)
        loads += Look(LocalNoon(k1996Dec20) + 60 * minute, false);
    EXPECT_EQ(loads, 1);
    EXPECT_TRUE(doc->IsLoadFailed());
    EXPECT_EQ(LoadFailureText(path, doc->GetLoadError()), std::string(CPeloraDoc::kOpenFailedMessage) + "\n" + path
                                                              + "\nNo such file or directory\n" + CPeloraDoc::kRetryNote);
    EXPECT_EQ(doc->GetDayYen(29), 100);
    EXPECT_EQ(doc->HasChargeFileChanged(), CPeloraDoc::FileChange::Unreadable);
}

// A machine suspended on 20 December and resumed on 20 January: the same day number is a new day.
TEST_F(PeloraDocTest, SameDayNumberAMonthLaterIsANewDay)
{
    const std::string path = OpenToday();
    AppendTo(path, Line("97/01/20", "00:00:10", "      70"));
    Look(LocalNoon({1997, 1, 20}), false);
    EXPECT_STREQ(doc->GetDayLabel(29), "97/01/20");
    EXPECT_EQ(doc->GetDayYen(29), 70);
}

TEST_F(PeloraDocTest, RewriteWithinTheSameSecondCountsAsAChange)
{
    const std::string path = OpenToday();
    EXPECT_EQ(doc->HasChargeFileChanged(), CPeloraDoc::FileChange::Unchanged);
    struct stat info {};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    timespec times[2] = {info.st_atim, info.st_mtim};
    times[1].tv_nsec = (times[1].tv_nsec + 1) % 1000000000;
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    EXPECT_EQ(doc->HasChargeFileChanged(), CPeloraDoc::FileChange::Changed);
}

// A file opened without a stored one is tallied by the stored closing day, and becomes the charge
// file once read (a session may end without an exit) and again at exit; a load begun before the
// open changes nothing.
TEST_F(PeloraDocTest, OpenedFileIsTheChargeFileAtOnceUnderTheStoredClosingDay)
{
    CSettings(profile).SetClosingDay(10);
    clock.Set(LocalNoon(k1996Dec20));
    doc = std::make_unique<CPeloraDoc>(profile, clock);
    const std::string path = folder.Write("log", Line("96/12/15", "00:00:10", "     100"));
    std::string failure;
    ChargeLoad before = doc->PrepareLoad(CPeloraDoc::LoadKind::Whole); // under way as the file is opened
    ASSERT_TRUE(doc->OnOpenDocument(path, failure));
    before.Run();
    EXPECT_EQ(doc->ApplyLoad(before), CPeloraDoc::Outcome::Stale);
    // The file opened is the one read, though another is renamed over its name before the load.
    std::filesystem::rename(folder.Write("other", Line("96/12/15", "00:00:10", "     900")), path);
    doc->LoadChargeFile();
    EXPECT_EQ(doc->GetMonthYen(11), 100); // 15 December lies after the 10th: billing month 97/01
    EXPECT_STREQ(doc->GetMonthLabel(11), "97/01");
    EXPECT_EQ(CSettings(profile).LogPath(), path);
    doc.reset();
    EXPECT_EQ(profile.Writes().back(), (CMemoryProfileStore::Write{"File", "VamloLogPath", path}));
}

// Paths that are not regular files, never waited on: opened, refused and the document stays;
// stored, the load fails at once with the system's reason.
TEST_F(PeloraDocTest, PathsThatAreNoRegularFileAreRefusedAtOnce)
{
    const std::string fifo = folder.Path("fifo").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::pair<std::string, const char*> paths[] = {
        {fifo, "not a regular file"}, {"/dev/zero", "not a regular file"}, {folder.Path("").string(), "Is a directory"}};
    for (const auto& [path, reason] : paths) {
        OpenToday();
        std::string failure;
        EXPECT_FALSE(doc->OnOpenDocument(path, failure)) << path;
        EXPECT_EQ(failure.substr(0, failure.find('\n')), "ファイルを開けませんでした。");
        EXPECT_EQ(doc->GetDayYen(29), 100);
        EXPECT_FALSE(doc->IsLoadFailed());
        Open(path, 20, k1996Dec20);
        EXPECT_EQ(doc->GetLoadError(), reason);
        EXPECT_STREQ(doc->GetLoadFailureMessage(), CPeloraDoc::kOpenFailedMessage);
        EXPECT_EQ(doc->HasChargeFileChanged(), CPeloraDoc::FileChange::Unreadable);
    }
}
} // namespace
