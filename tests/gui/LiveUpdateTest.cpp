#include "FrameFixture.h"

#include <QTest>
#include <QTimer>
#include <cstdio>

namespace {
// Only the file-system watch can be this quick: the minute timer never fires within these tests.
class LiveUpdateTest : public FrameFixture {
protected:
    bool SoonShows(Figure yen) { return QTest::qWaitFor([&] { return doc->GetDayYen(29) == yen; }, 3000); }
    void Append(const char* line)
    {
        std::FILE* file = std::fopen(folder.Path("log").string().c_str(), "ab");
        std::fputs(line, file);
        std::fclose(file);
    }
};

TEST_F(LiveUpdateTest, AppendedCallShowsAtOnce)
{
    Start();
    Append("96/12/20 11:00:00  OUT00:01:40      250 0\r\n");
    EXPECT_TRUE(SoonShows(350));
    // A line written in two parts counts once, whole.
    Append("96/12/20 12:00:00  OUT00:01:40    ");
    Append("1,000 0\r\n");
    EXPECT_TRUE(SoonShows(1350));
}

TEST_F(LiveUpdateTest, ReplacedAndReturningFilesAreWatchedAgain)
{
    Start();
    const std::string fresh = folder.Write("fresh", "96/12/20 10:00:00  OUT00:01:40       70 0\r\n");
    std::filesystem::rename(fresh, folder.Path("log"));
    EXPECT_TRUE(SoonShows(70));
    std::filesystem::remove(folder.Path("log"));
    QTest::qWait(200);
    folder.Write("log", "96/12/20 10:00:00  OUT00:01:40       90 0\r\n");
    EXPECT_TRUE(SoonShows(90));
    Append("96/12/20 11:00:00  OUT00:01:40        5 0\r\n");
    EXPECT_TRUE(SoonShows(95));
    EXPECT_FALSE(doc->IsLoadFailed());
}
// A log grown to 32 GiB (sparse): the window goes on answering, with the figures it had, and a
// window closed meanwhile stops the read.
TEST_F(LiveUpdateTest, HugeLoadLeavesTheWindowAnsweringWithTheFiguresItHad)
{
    Start();
    std::filesystem::resize_file(folder.Path("log"), std::uintmax_t{32} << 30);
    View().OnChargeFileChanged();
    ASSERT_TRUE(View().IsLoading());
    bool answered = false;
    QTimer::singleShot(0, [&] { answered = true; });
    EXPECT_TRUE(QTest::qWaitFor([&] { return answered; }, 2000));
    EXPECT_TRUE(View().IsLoading());
    EXPECT_EQ(doc->GetDayYen(29), 100);
    frame.reset(); // stops the read and waits for it
    EXPECT_EQ(doc->GetDayYen(29), 100);
}

// A log rewritten in place and made longer (`cp fixed.log log` keeps the inode): an early edit
// shows at once; one the quick check may miss is read by Ctrl+R and by the minute's look.
TEST_F(LiveUpdateTest, RewrittenLongerFileShowsItsNewFigures)
{
    std::string yesterday;
    for (int i = 0; i < 40; ++i)
        yesterday += "96/12/19 10:00:00  OUT00:01:40       10 0\r\n";
    const std::string today = "96/12/20 10:00:00  OUT00:01:40      100 0\r\n";
    Start(today + yesterday);
    const auto rewrite = [&](const std::string& content) {
        std::FILE* file = std::fopen(folder.Path("log").string().c_str(), "r+b");
        std::fwrite(content.data(), 1, content.size(), file);
        std::fclose(file);
    };
    rewrite("96/12/20 10:00:00  OUT00:01:40     5000 0\r\n" + yesterday + today);
    EXPECT_TRUE(SoonShows(5100));

    std::string edited = yesterday;
    edited.replace(12 * 43 + 36, 3, "990"); // 10 yen becomes 990 on one line, between sampled blocks
    const std::string later = "96/12/20 11:00:00  OUT00:01:40        1 0\r\n";
    rewrite("96/12/20 10:00:00  OUT00:01:40     5000 0\r\n" + edited + today + later);
    EXPECT_TRUE(SoonShows(5101));
    Command(ID_RELOAD);
    EXPECT_EQ(doc->GetDayYen(28), 400 + 980);

    edited.replace(7 * 43 + 36, 3, "110");
    rewrite("96/12/20 10:00:00  OUT00:01:40     5000 0\r\n" + edited + today + later + later);
    EXPECT_TRUE(SoonShows(5102));
    View().OnTimer();
    Loaded();
    EXPECT_EQ(doc->GetDayYen(28), 400 + 980 + 100);
}
} // namespace
