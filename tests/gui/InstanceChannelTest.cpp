#include "../TestSupport.h"
#include "platform/gui/InstanceChannel.h"

#include <QLocalSocket>
#include <QTest>
#include <gtest/gtest.h>

namespace {
// Any program of the user's can connect: a flood is dropped unread, and the channel keeps serving.
TEST(InstanceChannelTest, OversizedAndSurplusSendersAreDropped)
{
    CScratchFolder folder;
    const QString path = QString::fromStdString(folder.Path("channel.socket").string());
    CInstanceChannel channel;
    ASSERT_TRUE(channel.Listen(path));
    std::vector<QByteArray> received;
    QObject::connect(&channel, &CInstanceChannel::received, [&](const QByteArray& m) { received.push_back(m); });

    QLocalSocket flood;
    flood.connectToServer(path);
    ASSERT_TRUE(flood.waitForConnected(3000));
    flood.write(QByteArray(600 * 1024, 'x'));
    QTest::qWait(300);
    EXPECT_NE(flood.state(), QLocalSocket::ConnectedState);

    std::vector<std::unique_ptr<QLocalSocket>> idle; // silent senders fill the few places served at once
    for (int i = 0; i < 5; ++i) {
        idle.push_back(std::make_unique<QLocalSocket>());
        idle.back()->connectToServer(path);
        ASSERT_TRUE(idle.back()->waitForConnected(3000));
    }
    QTest::qWait(200);
    EXPECT_EQ(idle.back()->state(), QLocalSocket::UnconnectedState);
    EXPECT_TRUE(received.empty());

    QTest::qWait(3200); // the silent ones have had their time
    EXPECT_TRUE(CInstanceChannel::Send(path, "open\n/tmp/a.log"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !received.empty(); }, 3000));
    EXPECT_EQ(received, std::vector<QByteArray>{"open\n/tmp/a.log"});
}
} // namespace
