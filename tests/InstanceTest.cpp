// Two real processes of the program: the second ends at once, even from another login with its own
// runtime folder, and a killed first never blocks.

#include "TestSupport.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QLocalSocket>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>

namespace {
class InstanceTest : public testing::Test {
protected:
    CScratchFolder folder;

    // Each start gets a runtime folder of its own, as two logins of one user would.
    void Start(QProcess& process, const QStringList& args = {})
    {
        static int login = 0;
        const std::filesystem::path runtime = folder.Path("run" + std::to_string(++login));
        std::filesystem::create_directories(runtime);
        std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("XDG_RUNTIME_DIR", QString::fromStdString(runtime.string()));
        env.insert("XDG_CONFIG_HOME", QString::fromStdString(folder.Path("config").string()));
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(PELORA_BINARY, args);
        ASSERT_TRUE(process.waitForStarted());
    }

    // Whether the running instance listens, waiting up to twenty seconds for it to.
    bool ListeningSoon()
    {
        for (int i = 0; i < 400 && !std::filesystem::exists(folder.Path(kSocket)); ++i)
            QThread::msleep(50);
        return std::filesystem::exists(folder.Path(kSocket));
    }
    static constexpr const char* kSocket = "config/Brisolt/Pelora95Instance.socket";
};

TEST_F(InstanceTest, SecondStartEndsAtOnceAndLeavesTheFirstAlone)
{
    QProcess first, second;
    Start(first);
    ASSERT_TRUE(ListeningSoon());
    Start(second);
    ASSERT_TRUE(second.waitForFinished(10000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(first.state(), QProcess::Running);

    // A hand-over the running instance never takes is not taken for done: the instance stopped or
    // its socket gone (as from another host sharing the home folder); the second start says so and
    // ends with 75. Every place of its channel held by silent connections for a while only delays
    // it: turned away, it tries again until they are dropped.
    for (const std::string way : {"stopped", "held", "gone"}) {
        QLocalSocket silent[4];
        for (int i = 0; way == "held" && i < 4; ++i)
            silent[i].connectToServer(QString::fromStdString(folder.Path(kSocket).string()));
        ASSERT_TRUE(way != "held" || silent[3].waitForConnected(10000));
        if (way == "stopped")
            ::kill(first.processId(), SIGSTOP);
        if (way == "gone")
            std::filesystem::remove(folder.Path(kSocket));
        QProcess untaken;
        Start(untaken, {"some.log"});
        if (way == "held" && !untaken.waitForFinished(500)) {
            for (QLocalSocket& each : silent)
                each.abort();
        }
        ASSERT_TRUE(untaken.waitForFinished(20000));
        EXPECT_EQ(untaken.exitCode(), way == "held" ? 0 : 75) << way;
        ::kill(first.processId(), SIGCONT);
    }

    first.kill();
    first.waitForFinished();
    QProcess third;
    Start(third);
    EXPECT_TRUE(ListeningSoon()); // it holds the instance lock
    third.kill();
    third.waitForFinished();
}

} // namespace
