#include "FrameFixture.h"

#include <QTest>
#include <fstream>

namespace {
// Only the file-system watch can be this quick: the minute timer never fires within these tests,
// which wait at most half a minute.
class LiveUpdateTest : public FrameFixture {
protected:
    bool SoonShows(Figure yen) { return QTest::qWaitFor([&] { return doc->GetDayYen(29) == yen; }, 30000); }
};

TEST_F(LiveUpdateTest, AppendedCallShowsAtOnce)
{
    Start();
    AppendTo(folder.Path("log"), "96/12/20 11:00:00  OUT00:01:40      250 0\r\n");
    EXPECT_TRUE(SoonShows(350));
}

// A log grown to 1 GiB (sparse): while it is read the window answers with the figures it had, and
// a change told meanwhile is read once the load is done, by a read on from where the load ended.
TEST_F(LiveUpdateTest, ChangeToldDuringALoadIsReadAfterIt)
{
    Start();
    const std::int64_t before = BytesRead(0);
    std::filesystem::resize_file(folder.Path("log"), std::uintmax_t{1} << 30);
    View().OnChargeFileChanged();
    // The window's events go on while the load reads; once it reads, it has taken the file's length.
    ASSERT_TRUE(QTest::qWaitFor([&] { return BytesRead(0) - before > (16 << 20); }, 10000));
    ASSERT_TRUE(View().IsLoading());
    EXPECT_EQ(doc->GetDayYen(29), 100);
    AppendTo(folder.Path("log"), "\n96/12/20 11:00:00  OUT00:01:40      250 0\r\n");
    View().OnChargeFileChanged(); // as the system tells it, while the load is still under way
    EXPECT_TRUE(SoonShows(350));
    EXPECT_GT(doc->GetLastLoadStart(), std::int64_t{512} << 20);
}

// `cp fixed.log log` keeps the inode: an edit the quick check cannot see is read by Ctrl+R.
TEST_F(LiveUpdateTest, ReloadReadsAnEditTheQuickCheckMisses)
{
    std::string yesterday;
    for (int i = 0; i < 40; ++i)
        yesterday += "96/12/19 10:00:00  OUT00:01:40       10 0\r\n";
    Start(yesterday);
    yesterday.replace(12 * 43 + 36, 3, "990"); // 10 yen becomes 990 on one line, between sampled blocks
    std::fstream(folder.Path("log"), std::ios::in | std::ios::out | std::ios::binary)
        << yesterday << "96/12/20 10:00:00  OUT00:01:40      100 0\r\n";
    EXPECT_TRUE(SoonShows(100));
    Command(ID_RELOAD);
    EXPECT_EQ(doc->GetDayYen(28), 400 + 980);
}
} // namespace
