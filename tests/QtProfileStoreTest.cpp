#include "TestSupport.h"
#include "platform/core/QtProfileStore.h"

#include <QDir>
#include <QFile>
#include <functional>
#include <sys/stat.h>
#include <gtest/gtest.h>

namespace {
class QtProfileStoreTest : public testing::Test {
protected:
    CScratchFolder folder;
    QString path = QString::fromStdString(folder.Path("Pelora.conf").string());
};

TEST_F(QtProfileStoreTest, SignedIntegersRoundTripAndTextsStayText)
{
    {
        CQtProfileStore store(path);
        store.WriteProfileInt("Window", "Xpos", -40);
        store.WriteProfileInt("Window", "Ypos", INT32_MIN);
        store.WriteProfileString("Recent File List", "File1", "/tmp/電話.log");
    }
    CQtProfileStore store(path);
    EXPECT_EQ(store.GetProfileInt("Window", "Xpos", 0), -40);
    EXPECT_EQ(store.GetProfileInt("Window", "Ypos", 0), INT32_MIN);
    EXPECT_EQ(store.GetProfileString("Recent File List", "File1", ""), "/tmp/電話.log");
    EXPECT_EQ(store.GetProfileInt("Window", "Missing", 31), 31);
}

TEST_F(QtProfileStoreTest, PathsThatAreNotUtf8ComeBackByteForByte)
{
    const std::string path = "/tmp/\x93\x64\x98\x62.log";
    CQtProfileStore(this->path).WriteProfileString("File", "VamloLogPath", path);
    EXPECT_EQ(CQtProfileStore(this->path).GetProfileString("File", "VamloLogPath", ""), path);
}

TEST_F(QtProfileStoreTest, UnreadableNumbersGiveTheDefault)
{
    folder.Write("Pelora.conf", "[Option]\nSimekiri=abc\n[Window]\nXpos=2147483648\nYpos=1099511627776\nTopMost= 2\n"
                                "DayMode=\"-21\\0junk\"\nYenMode=+1\nSimekiri2=+-5\n");
    CQtProfileStore store(path);
    EXPECT_EQ(store.GetProfileInt("Option", "Simekiri", 31), 31);
    EXPECT_EQ(store.GetProfileInt("Window", "Xpos", 7), 7);
    EXPECT_EQ(store.GetProfileInt("Window", "Ypos", 7), 7);
    EXPECT_EQ(store.GetProfileInt("Window", "TopMost", 0), 2);
    EXPECT_EQ(store.GetProfileInt("Window", "DayMode", 7), 7); // not "-21": the text goes on
    EXPECT_EQ(store.GetProfileInt("Window", "YenMode", 7), 1);
    EXPECT_EQ(store.GetProfileInt("Window", "Simekiri2", 7), 7); // a sign after the plus is no number
}

// The backups of the folder's settings file, oldest name first.
QStringList Backups(const CScratchFolder& folder)
{
    return QDir(QString::fromStdString(folder.Path("").string()))
        .entryList({QStringLiteral("Pelora.conf.bak-*")}, QDir::Files, QDir::Name);
}

TEST_F(QtProfileStoreTest, DamagedFilesAreKeptAsSeparateBackupsAndDefaultsApply)
{
    const std::string syntax = "[Window\nXpos=5\n\x01\x02 garbage = = =\n";
    std::string random(600, '\0');
    for (std::size_t i = 0; i < random.size(); ++i)
        random[i] = static_cast<char>((i * 7919 + 13) % 251 + 3);
    for (const std::string& damaged : {syntax, random}) {
        folder.Write("Pelora.conf", damaged);
        CQtProfileStore store(path);
        EXPECT_EQ(store.GetProfileInt("Window", "Xpos", 9), 9);
        store.WriteProfileInt("Window", "Xpos", 3);
        EXPECT_EQ(CQtProfileStore(path).GetProfileInt("Window", "Xpos", 9), 3);
    }
    const QStringList backups = Backups(folder);
    ASSERT_EQ(backups.size(), 2); // the second never replaced the first
    QFile second(QString::fromStdString(folder.Path(backups[1].toStdString()).string()));
    ASSERT_TRUE(second.open(QIODevice::ReadOnly));
    EXPECT_EQ(second.readAll().toStdString(), random);
}

// A folder that cannot be made: each write says it failed, and the failure is told once.
TEST_F(QtProfileStoreTest, UnsavableSettingsAreToldOnceAndEveryWriteSaysSo)
{
    CQtProfileStore store(QStringLiteral("/proc/pelora-none/Pelora.conf"));
    int told = 0;
    store.OnWriteFailed([&](const QString&) { ++told; });
    EXPECT_FALSE(store.WriteProfileInt("Window", "Xpos", 12));
    EXPECT_FALSE(store.WriteProfileInt("Window", "Ypos", 34));
    EXPECT_EQ(told, 1);
    EXPECT_EQ(store.GetProfileInt("Window", "Xpos", 0), 12);
}

// A folder, a FIFO (reading would block) and a link to /dev/zero (reading never ends) where the
// file should be: defaults, writes kept in memory and told once, nothing replaced.
TEST_F(QtProfileStoreTest, SettingsPathThatIsNoFileGivesDefaultsAndIsToldOnce)
{
    const std::function<void()> makers[] = {
        [&] { std::filesystem::create_directories(folder.Path("Pelora.conf")); },
        [&] { ASSERT_EQ(::mkfifo(folder.Path("Pelora.conf").c_str(), 0600), 0); },
        [&] { std::filesystem::create_symlink("/dev/zero", folder.Path("Pelora.conf")); }};
    for (const auto& make : makers) {
        std::filesystem::remove_all(folder.Path("Pelora.conf"));
        make();
        const auto kind = std::filesystem::symlink_status(folder.Path("Pelora.conf")).type();
        CQtProfileStore store(path);
        int told = 0;
        store.OnWriteFailed([&](const QString& where) {
            ++told;
            EXPECT_EQ(where, path);
        });
        EXPECT_EQ(store.GetProfileInt("Option", "Simekiri", 31), 31);
        EXPECT_FALSE(store.WriteProfileInt("Window", "Xpos", 12));
        EXPECT_FALSE(store.WriteProfileInt("Window", "Ypos", 34));
        EXPECT_EQ(told, 1);
        EXPECT_EQ(store.GetProfileInt("Window", "Xpos", 0), 12);
        EXPECT_EQ(std::filesystem::symlink_status(folder.Path("Pelora.conf")).type(), kind);
        EXPECT_TRUE(Backups(folder).isEmpty());
    }
}
} // namespace
