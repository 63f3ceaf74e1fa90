#include "FrameFixture.h"

#include <QTest>

namespace {
// Only the file-system watch can be this quick: the minute timer never fires within these tests,
// which wait at most half a minute.
class LiveUpdateTest : public FrameFixture {
protected:
    bool SoonShows(Figure yen) { return QTest::qWaitFor([&] { return doc->GetDayYen(29) == yen; }, 30000); }
    // The log grown to 1 GiB (sparse) and told of: the read-on is under way.
    void GrowAndReadOn()
    {
        Start();
        const std::int64_t before = BytesRead(0);
        std::filesystem::resize_file(folder.Path("log"), std::uintmax_t{1} << 30);
        follower->Look(true);
        ASSERT_TRUE(QTest::qWaitFor([&] { return IsReadingFile(0, folder.Path("log"), before); }, 10000));
        ASSERT_TRUE(follower->IsLoading());
    }
};

// An append is read on from where the last load stopped; Ctrl+R reads the whole file (so it finds
// what the quick check of a read-on cannot see, an edit between its sampled blocks).
TEST_F(LiveUpdateTest, AppendedCallShowsAtOnceAndReloadReadsItAll)
{
    Start();
    AppendTo(folder.Path("log"), "96/12/20 11:00:00  OUT00:01:40      250 0\r\n");
    EXPECT_TRUE(SoonShows(350));
    EXPECT_GT(doc->GetLastLoadStart(), 0);
    Command(ID_RELOAD);
    EXPECT_EQ(doc->GetLastLoadStart(), 0);
    EXPECT_EQ(doc->GetDayYen(29), 350);
}

// Told at once of the first write after a quiet spell, a whole line shows at once; a line still
// being written waits for the look once the burst has settled, so it never shows half written.
TEST_F(LiveUpdateTest, FirstWriteOfABurstShowsAtOnceUnlessHalfWritten)
{
    Start();
    AppendTo(folder.Path("log"), "96/12/20 11:00:00  OUT00:01:40      250 0\r\n");
    follower->Look(true, false);
    EXPECT_EQ(doc->GetDayYen(29), 350);
    AppendTo(folder.Path("log"), "96/12/20 12:00:00  OUT00:01:40      2");
    follower->Look(true, false);
    EXPECT_EQ(doc->GetDayYen(29), 350);
    AppendTo(folder.Path("log"), "50 0\r\n");
    EXPECT_TRUE(SoonShows(600));
}

// A log being rewritten, or a long append, may be read before its last write: told at once of its
// first write, nothing is read until the burst has settled.
TEST_F(LiveUpdateTest, RewriteToldAtItsFirstWriteWaitsForTheBurstToSettle)
{
    Start();
    folder.Write("log", "");
    follower->Look(true, false);
    EXPECT_FALSE(follower->IsLoading());
    EXPECT_EQ(doc->GetDayYen(29), 100);
    AppendTo(folder.Path("log"), "96/12/20 11:00:00  OUT00:01:40      250 0\r\n");
    EXPECT_TRUE(SoonShows(250));
}

// A log grown to 1 GiB (sparse): while it is read the window answers with the figures it had, and
// a change told meanwhile is read once the load is done, by a read on from where the load ended.
TEST_F(LiveUpdateTest, ChangeToldDuringALoadIsReadAfterIt)
{
    // The window's events go on while the load reads; once it reads, it has taken the file's length.
    ASSERT_NO_FATAL_FAILURE(GrowAndReadOn());
    EXPECT_EQ(doc->GetDayYen(29), 100);
    AppendTo(folder.Path("log"), "\n96/12/20 11:00:00  OUT00:01:40      250 0\r\n");
    follower->Look(true); // as the system tells it, while the load is still under way
    EXPECT_TRUE(SoonShows(350));
    EXPECT_GT(doc->GetLastLoadStart(), std::int64_t{512} << 20);
}

// The minute's look while a read-on is under way owes a whole read: it is made once the read-on
// is done, not put off as another read-on.
TEST_F(LiveUpdateTest, MinutesLookDuringALoadReadsTheWholeFileAfterIt)
{
    ASSERT_NO_FATAL_FAILURE(GrowAndReadOn());
    follower->Look(false);
    Loaded();
    EXPECT_EQ(doc->GetLastLoadStart(), 0);
}
} // namespace
