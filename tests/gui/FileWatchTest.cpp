#include "../TestSupport.h"
#include "platform/core/FileWatch.h"
#include "platform/core/PathText.h"
#include "platform/core/Worker.h"

#include <QTest>
#include <QThread>
#include <atomic>
#include <cstdio>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <vector>
#ifdef Q_OS_LINUX
#include <sys/inotify.h>
#include <sys/stat.h>
#endif

namespace {
namespace fs = std::filesystem;

struct MoveCase {
    const char* name;
    const char* followed;                     // the path given, under the scratch folder (its bytes)
    std::function<void(const fs::path&)> set; // makes the file the path names
    std::vector<std::function<void(const fs::path&)>> moves; // each told before the next is made
    const char* appended;                     // the file written to afterwards
};

void PrintTo(const MoveCase& c, std::ostream* os) { *os << c.name; }

class FileWatchTest : public testing::TestWithParam<MoveCase> {};

// After each move the next append must be told by the system (long before the minute's look), as
// every later one. Each change is made whole before the event loop reads of it, so once it is told
// nothing of it is left to tell; and the path is followed again right after it, as the window does
// after each load, which must not lose what the kernel had queued.
TEST_P(FileWatchTest, FollowsThePathNotTheFile)
{
    const MoveCase& c = GetParam();
    CScratchFolder folder;
    const fs::path root = folder.Path("");
    c.set(root);
    CFileWatch watch;
    int told = 0;
    QObject::connect(&watch, &CFileWatch::due, [&](bool notified) { told += notified; });
    const QString followed = DecodePath((root / c.followed).string());
    watch.Follow(followed);
    const auto toldOf = [&](const std::function<void()>& change) {
        told = 0;
        change();
        watch.Follow(followed);
        return QTest::qWaitFor([&] { return told > 0; }, 10000);
    };
    for (const auto& move : c.moves)
        ASSERT_TRUE(toldOf([&] { move(root); })) << "a move";
    for (int round = 0; round < 2; ++round)
        EXPECT_TRUE(toldOf([&] { AppendTo(root / c.appended, "96/12/20 11:00:00  OUT00:01:40      250 0\r\n"); })) << round;
}

const auto kWrite = [](const fs::path& file) { AppendTo(file, ""); }; // a new, empty file
const auto kMakeFolderAndLog = [](const fs::path& r) { fs::create_directory(r / "d"); kWrite(r / "d/log"); };
const auto kMakeNotUtf8 = [](const fs::path& r) { fs::create_directory(r / "\xff"); kWrite(r / "\xff/\xfe.log"); };
const auto kMakeDeep = [](const fs::path& r) { fs::create_directories(r / "a/b/c"); kWrite(r / "a/b/c/log"); };

INSTANTIATE_TEST_SUITE_P(
    Watch, FileWatchTest,
    testing::Values(
        MoveCase{"LinkRetargeted", "log",
                 [](const fs::path& r) { kWrite(r / "a.log"); kWrite(r / "b.log"); fs::create_symlink("a.log", r / "log"); },
                 {[](const fs::path& r) { fs::create_symlink("b.log", r / "new"); fs::rename(r / "new", r / "log"); }}, "b.log"},
        MoveCase{"ReplacedWhileAHardLinkKeepsTheOld", "log", [](const fs::path& r) { kWrite(r / "log"); },
                 {[](const fs::path& r) { fs::create_hard_link(r / "log", r / "old"); fs::remove(r / "log"); kWrite(r / "log"); }},
                 "log"},
        MoveCase{"FolderRemovedAndMadeAnew", "d/log", kMakeFolderAndLog,
                 {[](const fs::path& r) { fs::remove_all(r / "d"); }, kMakeFolderAndLog}, "d/log"},
        MoveCase{"FolderRenamedAndMadeAnew", "d/log", kMakeFolderAndLog,
                 {[](const fs::path& r) { fs::rename(r / "d", r / "e"); }, kMakeFolderAndLog}, "d/log"},
        MoveCase{"NamesNotUtf8FolderRemovedAndMadeAnew", "\xff/\xfe.log", kMakeNotUtf8,
                 {[](const fs::path& r) { fs::remove_all(r / "\xff"); }, kMakeNotUtf8}, "\xff/\xfe.log"},
        MoveCase{"FoldersParentRenamedAndMadeAnew", "a/b/c/log", kMakeDeep,
                 {[](const fs::path& r) { fs::rename(r / "a/b", r / "a/b2"); }, kMakeDeep}, "a/b/c/log"},
        MoveCase{"TopFolderRenamedAndMadeAnew", "a/b/c/log", kMakeDeep,
                 {[](const fs::path& r) { fs::rename(r / "a", r / "a2"); }, kMakeDeep}, "a/b/c/log"},
        MoveCase{"FolderLinkOnThePathRetargeted", "l/log",
                 [](const fs::path& r) {
                     kMakeFolderAndLog(r);
                     fs::rename(r / "d", r / "e");
                     kMakeFolderAndLog(r);
                     fs::create_directory_symlink("d", r / "l");
                 },
                 {[](const fs::path& r) { fs::create_directory_symlink("e", r / "new"); fs::rename(r / "new", r / "l"); }},
                 "e/log"},
        MoveCase{"LinkToAFileNotThereYet", "log",
                 [](const fs::path& r) { fs::create_directory(r / "o"); fs::create_symlink("o/real.log", r / "log"); },
                 {[](const fs::path& r) { kWrite(r / "o/real.log"); }}, "o/real.log"},
        MoveCase{"LinkIntoAFolderWhoseTargetIsRotated", "log",
                 [](const fs::path& r) { fs::create_directory(r / "o"); kWrite(r / "o/real.log"); fs::create_symlink("o/real.log", r / "log"); },
                 {[](const fs::path& r) { fs::rename(r / "o/real.log", r / "o/real.log.1"); kWrite(r / "o/real.log"); }},
                 "o/real.log"}),
    [](const auto& info) { return std::string(info.param.name); });
#ifdef Q_OS_LINUX
// The watches the kernel holds for this process: by number (a watch set afresh takes a new one),
// each with its file's inode and the events it tells of.
std::map<std::string, std::pair<std::uint64_t, std::uint32_t>> KernelWatches()
{
    std::map<std::string, std::pair<std::uint64_t, std::uint32_t>> watches;
    for (const auto& fd : fs::directory_iterator("/proc/self/fd")) {
        std::error_code failed;
        if (fs::read_symlink(fd.path(), failed).string() != "anon_inode:inotify")
            continue;
        std::ifstream info("/proc/self/fdinfo/" + fd.path().filename().string());
        for (std::string line; std::getline(info, line);) {
            unsigned number = 0, events = 0;
            unsigned long inode = 0;
            if (std::sscanf(line.c_str(), "inotify wd:%x ino:%lx sdev:%*x mask:%x", &number, &inode, &events) == 3)
                watches[fd.path().filename().string() + ":" + std::to_string(number)] = {inode, events};
        }
    }
    return watches;
}

// Writes to the file, and a change of its attributes that its folder tells of too, are told and
// leave every watch as it stands: only what makes the path name another file sets one afresh. Only
// the folder holding the file tells of its entries; those above tell only of themselves moved or
// removed, so files made and removed beside them wake nobody. Asked to, the watch tells of a change
// once the burst has settled; the first write after that quiet spell is told at once, unsettled.
TEST(FileWatchCostTest, ChangesOfTheFileAloneSetNoWatchAfresh)
{
    CScratchFolder folder;
    const fs::path log = folder.Path("d/log");
    fs::create_directory(log.parent_path());
    AppendTo(log, "");
    CFileWatch watch;
    std::vector<bool> told; // settled, each time the system told of a change
    QObject::connect(&watch, &CFileWatch::due, [&](bool notified, bool settled) {
        if (notified)
            told.push_back(settled);
    });
    watch.Follow(DecodePath(log.string()));
    watch.Settle();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !told.empty(); }, 10000));
    EXPECT_EQ(told, std::vector<bool>{true});
    const auto armed = KernelWatches();
    const auto toldOfEntries = [&](const fs::path& folder) {
        struct stat info {};
        ::stat(folder.c_str(), &info);
        const auto it = std::find_if(armed.cbegin(), armed.cend(), [&](const auto& w) { return w.second.first == info.st_ino; });
        return it != armed.cend() && (it->second.second & IN_CREATE) != 0;
    };
    EXPECT_TRUE(toldOfEntries(log.parent_path()));
    EXPECT_FALSE(toldOfEntries(folder.Path("")));
    const std::pair<const char*, std::function<void()>> changes[] = {
        {"appended", [&] { AppendTo(log, "96/12/20 11:00:00  OUT00:01:40      250 0\r\n"); }},
        {"made executable", [&] { fs::permissions(log, fs::perms::owner_exec, fs::perm_options::add); }}};
    for (const auto& [name, change] : changes) {
        told.clear();
        change();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !told.empty(); }, 10000)) << name;
        EXPECT_EQ(KernelWatches(), armed) << name;
        EXPECT_TRUE(name != changes[0].first || !told.front()) << "the first write told at once";
    }
}

#endif

// A new job stops the one before, and only the newest job's end is handed back.
TEST(WorkerTest, OnlyTheNewestJobEnds)
{
    // Each job's end comes back as a call queued to the worker: both have come once it has had two.
    struct QueuedCalls : QObject {
        int count = 0;
        bool eventFilter(QObject*, QEvent* event) override { count += event->type() == QEvent::MetaCall; return false; }
    } calls;
    CWorker worker;
    worker.installEventFilter(&calls);
    std::vector<int> ended;
    std::atomic<bool> firstStopped = false;
    worker.Run([&](const std::function<bool()>& stop) { while (!stop()) QThread::msleep(5); firstStopped = true; },
               [&] { ended.push_back(1); });
    worker.Run([](const std::function<bool()>&) {}, [&] { ended.push_back(2); });
    ASSERT_TRUE(QTest::qWaitFor([&] { return calls.count == 2; }, 10000));
    EXPECT_EQ(ended, std::vector<int>{2});
    EXPECT_TRUE(firstStopped);
}
} // namespace
