#include "../TestSupport.h"
#include "platform/core/FileWatch.h"
#include "platform/core/Worker.h"

#include <QTest>
#include <QThread>
#include <functional>
#include <gtest/gtest.h>

namespace {
namespace fs = std::filesystem;

struct MoveCase {
    const char* name;
    const char* followed;                     // the path given, under the scratch folder
    std::function<void(const fs::path&)> set; // makes the file the path names
    std::function<void(const fs::path&)> move;
    const char* appended;                     // the file written to afterwards
};

void PrintTo(const MoveCase& c, std::ostream* os) { *os << c.name; }

class FileWatchTest : public testing::TestWithParam<MoveCase> {};

// After each move the next append must be told by the system (long before the minute's look), as
// every later one.
TEST_P(FileWatchTest, FollowsThePathNotTheFile)
{
    const MoveCase& c = GetParam();
    CScratchFolder folder;
    const fs::path root = folder.Path("");
    c.set(root);
    CFileWatch watch;
    int told = 0;
    QObject::connect(&watch, &CFileWatch::due, [&](bool notified) { told += notified; });
    watch.Follow(QString::fromStdString((root / c.followed).string()));
    c.move(root);
    QTest::qWait(300);
    for (int round = 0; round < 2; ++round) {
        told = 0;
        AppendTo(root / c.appended, "96/12/20 11:00:00  OUT00:01:40      250 0\r\n");
        EXPECT_TRUE(QTest::qWaitFor([&] { return told > 0; }, 5000)) << "append " << round;
    }
}

const auto kWrite = [](const fs::path& file) { AppendTo(file, ""); }; // a new, empty file

INSTANTIATE_TEST_SUITE_P(
    Watch, FileWatchTest,
    testing::Values(
        MoveCase{"LinkRetargeted", "log",
                 [](const fs::path& r) { kWrite(r / "a.log"); kWrite(r / "b.log"); fs::create_symlink("a.log", r / "log"); },
                 [](const fs::path& r) { fs::create_symlink("b.log", r / "new"); fs::rename(r / "new", r / "log"); }, "b.log"},
        MoveCase{"ReplacedWhileAHardLinkKeepsTheOld", "log", [](const fs::path& r) { kWrite(r / "log"); },
                 [](const fs::path& r) { fs::create_hard_link(r / "log", r / "old"); fs::remove(r / "log"); kWrite(r / "log"); },
                 "log"},
        MoveCase{"FolderRemovedAndMadeAnew", "d/log", [](const fs::path& r) { fs::create_directory(r / "d"); kWrite(r / "d/log"); },
                 [](const fs::path& r) { fs::remove_all(r / "d"); QTest::qWait(100); fs::create_directory(r / "d"); kWrite(r / "d/log"); },
                 "d/log"},
        MoveCase{"FolderRenamedAndMadeAnew", "d/log", [](const fs::path& r) { fs::create_directory(r / "d"); kWrite(r / "d/log"); },
                 [](const fs::path& r) { fs::rename(r / "d", r / "e"); QTest::qWait(100); fs::create_directory(r / "d"); kWrite(r / "d/log"); },
                 "d/log"},
        MoveCase{"LinkToAFileNotThereYet", "log",
                 [](const fs::path& r) { fs::create_directory(r / "o"); fs::create_symlink("o/real.log", r / "log"); },
                 [](const fs::path& r) { kWrite(r / "o/real.log"); }, "o/real.log"},
        MoveCase{"LinkIntoAFolderWhoseTargetIsRotated", "log",
                 [](const fs::path& r) { fs::create_directory(r / "o"); kWrite(r / "o/real.log"); fs::create_symlink("o/real.log", r / "log"); },
                 [](const fs::path& r) { fs::rename(r / "o/real.log", r / "o/real.log.1"); kWrite(r / "o/real.log"); },
                 "o/real.log"}),
    [](const auto& info) { return std::string(info.param.name); });
// A new job stops the one before, and only the newest job's end is handed back.
TEST(WorkerTest, OnlyTheNewestJobEnds)
{
    CWorker worker;
    std::vector<int> ended;
    bool firstStopped = false;
    worker.Run([&](const std::function<bool()>& stop) { while (!stop()) QThread::msleep(5); firstStopped = true; },
               [&] { ended.push_back(1); });
    worker.Run([](const std::function<bool()>&) {}, [&] { ended.push_back(2); });
    EXPECT_TRUE(QTest::qWaitFor([&] { return !worker.IsBusy(); }, 3000));
    QTest::qWait(100);
    EXPECT_EQ(ended, std::vector<int>{2});
    EXPECT_TRUE(firstStopped);
}
} // namespace
