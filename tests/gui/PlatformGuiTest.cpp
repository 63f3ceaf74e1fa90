// The platform's desktop services: document template and recent files, help lookup, instance channel.

#include "../TestSupport.h"
#include "platform/core/PathText.h"
#include "platform/core/QtProfileStore.h"
#include "platform/core/RecentFileList.h"
#include "platform/gui/DocTemplate.h"
#include "platform/gui/HelpViewer.h"
#include "platform/gui/InstanceChannel.h"

#include <QApplication>
#include <QLocalSocket>
#include <QTest>
#include <algorithm>
#include <future>
#include <gtest/gtest.h>

namespace {
// The recent-file list on a plain vector of four stored.
struct RecentSlots {
    std::vector<std::string> stored = std::vector<std::string>(4);
    CRecentFileList list{4, [this](int i) { return stored[static_cast<std::size_t>(i)]; },
                         [this](int i, const std::string& path) { stored[static_cast<std::size_t>(i)] = path; }};
};

TEST(RecentFileListTest, KeepsFourNewestFirstEachOnce)
{
    RecentSlots recent;
    for (const char* path : {"a", "b", "c", "b", "d", "e"})
        recent.list.Add(path);
    EXPECT_EQ(recent.list.Files(), (std::vector<std::string>{"e", "d", "b", "c"}));
    recent.list.WriteList();
    EXPECT_EQ(recent.stored, (std::vector<std::string>{"e", "d", "b", "c"}));
}

class DocTemplateTest : public testing::Test, protected DocFixture {
protected:
    RecentSlots recent;
    CSingleDocTemplate docTemplate{[this] { return std::make_unique<CPeloraDoc>(profile, clock); },
                                   [](CDocument&) { return std::make_unique<QMainWindow>(); },
                                   recent.list};

    CPeloraDoc& Doc() { return static_cast<CPeloraDoc&>(*docTemplate.GetDocument()); }
};

// A name that is not UTF-8 opens under its own bytes; a refused open is a failed one, and the
// document, its name and the recent files stay as they were.
TEST_F(DocTemplateTest, OpensAnyNameAndKeepsAllOnARefusal)
{
    clock.Set(LocalNoon({1996, 12, 20}));
    const std::string good = folder.Write("\x93\x64\x98\x62.log", "96/12/20 10:00:00  OUT00:01:40      100 0\r\n");
    const std::string overlong = folder.Write(std::string(200, 'a') + "/" + std::string(100, 'b'),
                                              "96/12/20 10:00:00  OUT00:01:40      900 0\r\n");
    std::string failure;
    ASSERT_TRUE(docTemplate.OpenDocumentFile(DecodePath(good), failure));
    EXPECT_EQ(Doc().GetLogPath(), good);
    Doc().LoadChargeFile();

    EXPECT_FALSE(docTemplate.OpenDocumentFile(QString::fromStdString(overlong), failure));
    EXPECT_EQ(Doc().GetPathName(), good);
    EXPECT_EQ(Doc().GetLogPath(), good);
    EXPECT_EQ(Doc().GetDayYen(29), 100);
    EXPECT_EQ(recent.list.Files(), std::vector<std::string>{good});
    EXPECT_EQ(failure, std::string(CPeloraDoc::kPathTooLongMessage) + "\n" + overlong);
}

// An installed program finds its help in the documents folder of the tree it was installed into.
TEST(HelpViewerTest, InstalledProgramFindsItsHelpInItsOwnTree)
{
    CScratchFolder folder;
    std::filesystem::create_directories(folder.Path("usr/bin"));
    const std::string help = folder.Write("usr/share/doc/pelora/pelora.html", "<html></html>");
    const QString program = QString::fromStdString(folder.Path("usr/bin/pelora").string());
    EXPECT_EQ(CHelpViewer::HelpFileFor(program).toStdString(), std::filesystem::canonical(help).string());
    // Beside the program (a build) comes first.
    const std::string beside = folder.Write("usr/bin/pelora.html", "<html></html>");
    EXPECT_EQ(CHelpViewer::HelpFileFor(program).toStdString(), beside);
}

// Any program of the user's can connect: a flood is dropped unread, and the channel keeps serving.
TEST(InstanceChannelTest, OversizedAndSurplusSendersAreDropped)
{
    CScratchFolder folder;
    const QString path = QString::fromStdString(folder.Path("channel.socket").string());
    CInstanceChannel channel;
    ASSERT_TRUE(channel.Listen(path));
    std::vector<QByteArray> received;
    QObject::connect(&channel, &CInstanceChannel::received, [&](const QByteArray& m) { received.push_back(m); });

    const auto connected = [&] {
        auto socket = std::make_unique<QLocalSocket>();
        socket->connectToServer(path);
        EXPECT_TRUE(socket->waitForConnected(10000));
        return socket;
    };
    const auto closed = [](const auto& socket) { return socket->state() == QLocalSocket::UnconnectedState; };
    // Each writer closes once it has written: what the channel keeps of it shows in received.
    const auto flood = connected();
    flood->write(QByteArray(600 * 1024, 'x'));
    flood->disconnectFromServer();
    ASSERT_TRUE(QTest::qWaitFor([&] { return closed(flood); }, 10000));

    // Silent senders fill the few places served at once; one more is dropped unread. The silent
    // ones are dropped once they have had their time, and the channel serves again.
    std::vector<std::unique_ptr<QLocalSocket>> senders;
    for (int i = 0; i < 5; ++i)
        senders.push_back(connected());
    senders.back()->write("open\n/tmp/surplus.log");
    senders.back()->disconnectFromServer();
    ASSERT_TRUE(QTest::qWaitFor([&] { return std::all_of(senders.begin(), senders.end(), closed); }, 20000));
    // Sent from a thread of its own, as from another process: the sender waits for the answer.
    std::future<bool> sent = std::async(std::launch::async, [&] { return CInstanceChannel::Send(path, "open\n/tmp/a.log"); });
    ASSERT_TRUE(QTest::qWaitFor([&] { return sent.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }, 20000));
    EXPECT_TRUE(sent.get());
    EXPECT_EQ(received, std::vector<QByteArray>{"open\n/tmp/a.log"});
}
// With an event loop the settings are written away from it, a large file whole each time; what
// changes while a save is under way is kept and written by the next, or by the store's end.
TEST(QtProfileStoreSavingTest, ChangesDuringSavesAllReachTheDisk)
{
    CScratchFolder folder;
    std::string large = "[Kept]\n";
    for (int i = 0; i < 50000; ++i)
        large += "key" + std::to_string(i) + "=value " + std::to_string(i) + "\n";
    const QString path = QString::fromStdString(folder.Write("Pelora.conf", large));
    const auto onDisk = [&](const std::string& line) { return ReadFile(path.toStdString()).find(line) != std::string::npos; };
    {
        CQtProfileStore store(path);
        for (int i = 0; i < 30; ++i) {
            store.WriteProfileInt("Window", "Key" + std::to_string(i), i);
            QTest::qWait(20);
        }
        EXPECT_TRUE(QTest::qWaitFor([&] { return onDisk("Key29=29"); }, 30000));
        store.WriteProfileString("File", "VamloLogPath", "/tmp/last.log"); // left to the store's end
    }
    CQtProfileStore store(path);
    for (int i = 0; i < 30; ++i)
        EXPECT_EQ(store.GetProfileInt("Window", "Key" + std::to_string(i), -1), i);
    EXPECT_EQ(store.GetProfileString("File", "VamloLogPath", ""), "/tmp/last.log");
    EXPECT_EQ(store.GetProfileString("Kept", "key49999", ""), "value 49999");
}
} // namespace
