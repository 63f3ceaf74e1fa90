// Two real processes of the program: the second ends at once, even from another login with its own
// runtime folder, and a killed first never blocks.

#include "TestSupport.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QThread>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

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

    // Whether some process holds the single-instance lock, waiting up to ten seconds for one to.
    bool LockHeldSoon()
    {
        const std::string path = folder.Path("config/Brisolt/Pelora95Instance.lock").string();
        for (int i = 0; i < 200; ++i) {
            const int fd = ::open(path.c_str(), O_RDWR);
            if (fd >= 0) {
                const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
                ::close(fd);
                if (held)
                    return true;
            }
            QThread::msleep(50);
        }
        return false;
    }
};

TEST_F(InstanceTest, SecondStartEndsAtOnceAndLeavesTheFirstAlone)
{
    QProcess first, second;
    Start(first);
    ASSERT_TRUE(LockHeldSoon());
    Start(second);
    ASSERT_TRUE(second.waitForFinished(10000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(first.state(), QProcess::Running);

    // Its socket gone (as from another host sharing the home folder): the second start says so.
    std::filesystem::remove(folder.Path("config/Brisolt/Pelora95Instance.socket"));
    QProcess unanswered;
    Start(unanswered, {"some.log"});
    ASSERT_TRUE(unanswered.waitForFinished(10000));
    EXPECT_EQ(unanswered.exitCode(), 75);

    first.kill();
    first.waitForFinished();
    QProcess third;
    Start(third);
    EXPECT_TRUE(LockHeldSoon());
    EXPECT_FALSE(third.waitForFinished(500));
    third.kill();
    third.waitForFinished();
}

} // namespace
