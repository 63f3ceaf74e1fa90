#include "FrameFixture.h"

#include <QTest>
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
} // namespace
