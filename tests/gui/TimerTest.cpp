#include "FrameFixture.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace {
class TimerTest : public FrameFixture {
protected:
    void Tick()
    {
        View().OnTimer();
        Loaded();
    }
    void At(const CivilDate& date, int hour, int minute)
    {
        clock.Set(LocalNoon(date) + (hour - 12) * 3600 + minute * 60);
    }
};

TEST_F(TimerTest, VanishedFileGivesOneMessageAndIsReadAgainWhenItComesBack)
{
    Start();
    std::filesystem::remove(folder.Path("log"));
    for (int minute = 0; minute < 5; ++minute)
        Tick();
    EXPECT_EQ(sink.FirstLines(), std::vector<std::string>{CPeloraDoc::kOpenFailedMessage});
    EXPECT_EQ(doc->GetDayYen(29), 100);
    folder.Write("log", "96/12/20 10:00:00  OUT00:01:40      700 0\r\n");
    Tick();
    EXPECT_FALSE(doc->IsLoadFailed());
    EXPECT_EQ(doc->GetDayYen(29), 700);
    EXPECT_EQ(sink.messages.size(), 1u);
}

TEST_F(TimerTest, StoredFileThatAppearsLaterIsPickedUp)
{
    Open(folder.Path("later").string(), 20, kFixtureToday);
    CreateFrame();
    ASSERT_TRUE(doc->IsLoadFailed());
    Tick();
    folder.Write("later", "96/12/20 10:00:00  OUT00:01:40      300 0\r\n");
    Tick();
    EXPECT_FALSE(doc->IsLoadFailed());
    EXPECT_EQ(doc->GetDayYen(29), 300);
    EXPECT_EQ(sink.messages.size(), 1u);
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

} // namespace
