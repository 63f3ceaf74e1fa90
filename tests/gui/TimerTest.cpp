#include "FrameFixture.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace {
class TimerTest : public FrameFixture {
protected:
    void Tick() { View().OnTimer(CPeloraView::kTimerId); }
    void At(const CivilDate& date, int hour, int minute)
    {
        clock.Set(LocalNoon(date) + (hour - 12) * 3600 + minute * 60);
    }
};

TEST_F(TimerTest, RunsEveryMinuteAndIsWiredToTheTickHandler)
{
    Start();
    EXPECT_EQ(View().Timer().interval(), 60000);
    EXPECT_TRUE(View().Timer().isActive());
    EXPECT_EQ(View().m_timerId, 1u);
    At({1996, 12, 21}, 0, 1);
    QMetaObject::invokeMethod(const_cast<QTimer*>(&View().Timer()), "timeout");
    EXPECT_EQ(frame->PaneText(4), QStringLiteral(" 96/12/21 "));
}

TEST_F(TimerTest, SameDayUnchangedFileOnlyRewritesTheDatePane)
{
    Start();
    // Same size and modification time: the content is not read again.
    const std::string path = folder.Path("log").string();
    struct stat before {};
    ASSERT_EQ(stat(path.c_str(), &before), 0);
    folder.Write("log", "96/12/20 10:00:00  OUT00:01:40      900 0\r\n");
    const timespec times[2] = {before.st_atim, before.st_mtim};
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    At(kFixtureToday, 23, 59);
    Tick();
    EXPECT_EQ(frame->PaneText(4), QStringLiteral(" 96/12/20 "));
    EXPECT_EQ(doc->GetDayYen(29), 100);
}

TEST_F(TimerTest, VanishedFileGivesOneMessageAndIsReadAgainWhenItComesBack)
{
    Start();
    std::filesystem::remove(folder.Path("log"));
    for (int minute = 0; minute < 5; ++minute)
        Tick();
    EXPECT_EQ(sink.messages, std::vector<std::string>{CPeloraDoc::kOpenFailedMessage});
    EXPECT_EQ(doc->GetDayYen(29), 100);
    folder.Write("log", "96/12/20 10:00:00  OUT00:01:40      700 0\r\n");
    Tick();
    EXPECT_EQ(doc->IsLoadFailed(), 0);
    EXPECT_EQ(doc->GetDayYen(29), 700);
    EXPECT_EQ(sink.messages.size(), 1u);
}

TEST_F(TimerTest, StoredFileThatAppearsLaterIsPickedUp)
{
    Open(folder.Path("later").string(), 20, kFixtureToday);
    CreateFrame();
    ASSERT_EQ(doc->IsLoadFailed(), 1);
    Tick();
    folder.Write("later", "96/12/20 10:00:00  OUT00:01:40      300 0\r\n");
    Tick();
    EXPECT_EQ(doc->IsLoadFailed(), 0);
    EXPECT_EQ(doc->GetDayYen(29), 300);
    EXPECT_EQ(sink.messages.size(), 1u);
}

TEST_F(TimerTest, NewDayMovesTheWindowsAndReloads)
{
    Start();
    folder.Write("log", "96/12/21 00:00:30  OUT00:00:10       40 0\r\n");
    At({1996, 12, 21}, 0, 0);
    Tick();
    EXPECT_EQ(frame->PaneText(4), QStringLiteral(" 96/12/21 "));
    EXPECT_STREQ(doc->GetDayLabel(29), "96/12/21");
    EXPECT_EQ(doc->GetDayYen(29), 40);
}

TEST_F(TimerTest, SameDayNumberAMonthLaterIsANewDay)
{
    // A machine suspended on 20 December and resumed on 20 January, file untouched.
    Start();
    folder.Write("log", "97/01/20 09:00:00  OUT00:00:10       70 0\r\n");
    At({1997, 1, 20}, 9, 30);
    Tick();
    EXPECT_STREQ(doc->GetDayLabel(29), "97/01/20");
    EXPECT_EQ(doc->GetDayYen(29), 70);
}

TEST_F(TimerTest, ModifiedFileIsReadAgainOnTheSameDay)
{
    Start();
    const std::string path = folder.Path("log").string();
    {
        std::FILE* file = std::fopen(path.c_str(), "ab");
        std::fputs("96/12/20 11:00:00  OUT00:01:40      250 0\r\n", file);
        std::fclose(file);
    }
    Tick();
    EXPECT_EQ(doc->GetDayYen(29), 350);
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(TimerTest, FailedDocumentStillMovesTodayAndRecoversAfterReload)
{
    Start();
    const std::string path = folder.Path("log").string();
    std::filesystem::remove(path);
    int ticksInsideMessage = 0;
    sink.onShow = [&] {
        // The message box's modal loop lets the timer tick: it must find the document failed.
        ++ticksInsideMessage;
        Tick();
    };
    Command(ID_RELOAD);
    EXPECT_EQ(ticksInsideMessage, 1);
    EXPECT_EQ(sink.messages.size(), 1u);

    At({1996, 12, 22}, 8, 0);
    Tick();
    EXPECT_EQ(doc->GetToday(), clock.Now());
    EXPECT_STREQ(doc->GetDayLabel(29), "96/12/20"); // failed: labels stay

    folder.Write("log", "96/12/22 07:00:00  OUT00:01:40      500 0\r\n");
    Command(ID_RELOAD);
    Tick(); // the next tick sees the labels are behind and rebuilds them
    EXPECT_STREQ(doc->GetDayLabel(29), "96/12/22");
    EXPECT_EQ(doc->GetDayYen(29), 500);
}
} // namespace
