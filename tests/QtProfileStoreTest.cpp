#include "TestSupport.h"
#include "platform/core/QtProfileStore.h"

#include <QDir>
#include <QLockFile>
#include <thread>
#include <functional>
#include <cstring>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <gtest/gtest.h>

namespace {
class QtProfileStoreTest : public testing::Test {
protected:
    CScratchFolder folder;
    QString path = QString::fromStdString(folder.Path("Pelora.conf").string());
};

// Paths come back byte for byte, UTF-8 or not (Shift-JIS here).
TEST_F(QtProfileStoreTest, SignedIntegersAndAnyBytesRoundTrip)
{
    const std::string shiftJis = "/tmp/\x93\x64\x98\x62.log";
    const mode_t mask = ::umask(027);
    {
        CQtProfileStore store(path);
        store.WriteProfileInt("Window", "Xpos", -40);
        store.WriteProfileInt("Window", "Ypos", INT32_MIN);
        store.WriteProfileString("Recent File List", "File1", "/tmp/電話.log");
        store.WriteProfileString("File", "VamloLogPath", shiftJis);
    }
    ::umask(mask);
    EXPECT_EQ(std::filesystem::status(path.toStdString()).permissions(), std::filesystem::perms(0640)); // as the umask says
    CQtProfileStore store(path);
    EXPECT_EQ(store.GetProfileInt("Window", "Xpos", 0), -40);
    EXPECT_EQ(store.GetProfileInt("Window", "Ypos", 0), INT32_MIN);
    EXPECT_EQ(store.GetProfileString("Recent File List", "File1", ""), "/tmp/電話.log");
    EXPECT_EQ(store.GetProfileString("File", "VamloLogPath", ""), shiftJis);
    EXPECT_EQ(store.GetProfileInt("Window", "Missing", 31), 31);
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
    const std::string syntax = "[Option]\nSimekiri=20\n[Window\nXpos=5\n\x01\x02 garbage = = =\n";
    std::string random(600, '\0');
    for (std::size_t i = 0; i < random.size(); ++i)
        random[i] = static_cast<char>((i * 7919 + 13) % 251 + 3);
    for (const std::string& damaged : {syntax, random}) {
        folder.Write("Pelora.conf", damaged);
        EXPECT_EQ(CQtProfileStore(path, CQtProfileStore::ReadOnly).GetProfileInt("Option", "Simekiri", 31), 31);
        CQtProfileStore store(path);
        EXPECT_EQ(store.GetProfileInt("Option", "Simekiri", 31), 31); // nothing above the damage either
        EXPECT_EQ(store.GetProfileInt("Window", "Xpos", 9), 9);
        store.WriteProfileInt("Window", "Xpos", 3);
        EXPECT_EQ(CQtProfileStore(path).GetProfileInt("Window", "Xpos", 9), 3);
    }
    const QStringList backups = Backups(folder);
    ASSERT_EQ(backups.size(), 2); // the second never replaced the first
    EXPECT_EQ(ReadFile(folder.Path(backups[1].toStdString())), random);
}

// Where the settings should be, a folder that cannot be made, a folder, a FIFO (reading or writing
// would block), a link to /dev/zero (reading never ends) or to a device node (it would be replaced
// by a file), at start or taking the place of a regular file meanwhile: the settings stay in
// memory, each write says it failed, the failure is told once, and nothing there is opened,
// replaced or backed up, nor anything left beside it.
TEST_F(QtProfileStoreTest, UnsavablePlacesKeepTheSettingsInMemoryAndAreToldOnce)
{
    const std::string file = folder.Path("Pelora.conf").string();
    const std::string node = folder.Path("node").string();
    const struct {
        bool meanwhile;
        std::function<bool()> take;
    } places[] = {
        {false, [&] { return std::filesystem::create_directory(file); }},
        {false, [&] { return ::mkfifo(file.c_str(), 0600) == 0; }},
        {false, [&] { return ::symlink("/dev/zero", file.c_str()) == 0; }},
        {true, [&] { return ::mkfifo(file.c_str(), 0600) == 0; }},
        {true, [&] { return ::mknod(node.c_str(), S_IFCHR | 0600, makedev(1, 3)) == 0 && ::symlink(node.c_str(), file.c_str()) == 0; }},
        {true, [&] { return ::mkfifo(node.c_str(), 0600) == 0 && ::symlink(node.c_str(), file.c_str()) == 0; }},
        {true, [&] { return std::filesystem::create_directory(file); }}};
    for (const auto& [meanwhile, take] : places) {
        std::filesystem::remove_all(file);
        std::filesystem::remove_all(node);
        if (meanwhile)
            folder.Write("Pelora.conf", "[Window]\nXpos=1\n");
        else
            ASSERT_TRUE(take()) << std::strerror(errno);
        CQtProfileStore store(path);
        int told = 0;
        store.OnWriteFailed([&](const QString& failed) { told += failed == path; });
        EXPECT_EQ(store.GetProfileInt("Window", "Xpos", 0), meanwhile ? 1 : 0);
        if (meanwhile) {
            std::filesystem::remove(file);
            ASSERT_TRUE(take()) << std::strerror(errno);
        }
        const auto kind = std::filesystem::symlink_status(file).type();
        const auto target = std::filesystem::status(file).type();
        const QStringList before = QDir(QString::fromStdString(folder.Path("").string())).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System);
        EXPECT_FALSE(store.WriteProfileInt("Window", "Xpos", 12));
        EXPECT_FALSE(store.WriteProfileInt("Window", "Ypos", 34));
        EXPECT_EQ(told, 1);
        EXPECT_EQ(store.GetProfileInt("Window", "Xpos", 0), 12);
        EXPECT_EQ(std::filesystem::symlink_status(file).type(), kind);
        EXPECT_EQ(std::filesystem::status(file).type(), target);
        EXPECT_EQ(QDir(QString::fromStdString(folder.Path("").string())).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System), before);
    }
    CQtProfileStore unmade(QStringLiteral("/proc/pelora-none/Pelora.conf"));
    EXPECT_FALSE(unmade.WriteProfileInt("Window", "Xpos", 12));
    EXPECT_EQ(unmade.GetProfileInt("Window", "Xpos", 0), 12);
}

// A link to the settings file elsewhere (a dotfiles folder) stays a link; the file it names takes
// the settings, with its permissions kept.
TEST_F(QtProfileStoreTest, LinkedSettingsFileIsWrittenWhereTheLinkPoints)
{
    const std::string real = folder.Write("dotfiles/Pelora.conf", "[Window]\nXpos=1\n[Other]\nKept=yes\n");
    std::filesystem::permissions(real, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write
                                           | std::filesystem::perms::group_read);
    std::filesystem::create_symlink(real, folder.Path("Pelora.conf"));
    {
        CQtProfileStore store(path);
        EXPECT_TRUE(store.WriteProfileInt("Window", "Xpos", 5));
    }
    EXPECT_TRUE(std::filesystem::is_symlink(folder.Path("Pelora.conf")));
    EXPECT_EQ(std::filesystem::status(real).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write | std::filesystem::perms::group_read);
    CQtProfileStore store(path);
    EXPECT_EQ(store.GetProfileInt("Window", "Xpos", 0), 5);
    EXPECT_EQ(store.GetProfileString("Other", "Kept", ""), "yes");
    // A link to a file not made yet: made there.
    std::filesystem::remove(real);
    EXPECT_TRUE(CQtProfileStore(path).WriteProfileInt("Window", "Xpos", 6));
    EXPECT_EQ(CQtProfileStore(QString::fromStdString(real)).GetProfileInt("Window", "Xpos", 0), 6);
}

// Reading needs no temporary space, and takes lines ended by a lone CR as QSettings does.
TEST_F(QtProfileStoreTest, ReadsNeedNoTemporarySpace)
{
    std::string sections = "[Option]\rSimekiri=20\r[Window]\r\nXpos=3\n";
    for (int n = 10; n < 30; ++n) // of one size: each still read for itself
        sections += "[S" + std::to_string(n) + "]\nk=" + std::to_string(n) + "\n";
    folder.Write("Pelora.conf", sections);
    const bool hadTmp = qEnvironmentVariableIsSet("TMPDIR");
    const QByteArray tmp = qgetenv("TMPDIR");
    qputenv("TMPDIR", "/proc/pelora-none");
    CQtProfileStore store(path, CQtProfileStore::ReadOnly);
    const int closingDay = store.GetProfileInt("Option", "Simekiri", 31);
    const int xpos = store.GetProfileInt("Window", "Xpos", 0);
    for (int n = 10; n < 30; ++n)
        EXPECT_EQ(store.GetProfileInt("S" + std::to_string(n), "k", 0), n);
    hadTmp ? qputenv("TMPDIR", tmp) : qunsetenv("TMPDIR");
    EXPECT_EQ(closingDay, 20);
    EXPECT_EQ(xpos, 3);
}

// A writer holding the settings' lock (QSettings takes the same one) is waited for: nothing it
// writes meanwhile is overwritten with what was read before.
TEST_F(QtProfileStoreTest, WritesWaitForTheLockQSettingsTakes)
{
    folder.Write("Pelora.conf", "[Other]\nn=0\n");
    QLockFile lock(path + QStringLiteral(".lock"));
    ASSERT_TRUE(lock.lock());
    CQtProfileStore store(path);
    std::thread writer([&] { store.WriteProfileInt("Window", "Xpos", 7); });
    const auto written = [&] { return ReadFile(path.toStdString()).find("Xpos") != std::string::npos; };
    for (int wait = 0; wait < 150 && !written(); ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_FALSE(written());
    folder.Write("Pelora.conf", "[Other]\nn=1\n");
    lock.unlock();
    writer.join();
    CQtProfileStore again(path);
    EXPECT_EQ(again.GetProfileInt("Other", "n", 0), 1);
    EXPECT_EQ(again.GetProfileInt("Window", "Xpos", 0), 7);
}

// A write puts the store's entries into their sections (each once, however often a section
// appeared, its name percent-encoded or not) and moves every other line over as it stood.
TEST_F(QtProfileStoreTest, WritesLeaveOtherSectionsByteForByte)
{
    const std::string others = "; kept by hand\n[Junk]\nodd = \"x,y\"\nk=v\n";
    const std::string more = "[Window\\Sub]\nz=1\n";
    folder.Write("Pelora.conf", others + "[Window]\nXpos=1\n[Recent%20File%20List]\nFile1=/a\n" + more
                                    + "[Window]\nYpos=2\n[Recent File List]\nFile2=/c\n");
    {
        CQtProfileStore store(path);
        store.WriteProfileInt("Window", "Xpos", 5);
        store.WriteProfileString("Recent File List", "File1", "/b");
    }
    const std::string written = ReadFile(path.toStdString());
    EXPECT_EQ(written.substr(0, others.size() + more.size()), others + more);
    for (const char* header : {"[Window]", "Recent"}) {
        const std::size_t first = written.find(header);
        EXPECT_NE(first, std::string::npos) << header;
        EXPECT_EQ(written.find(header, first + 1), std::string::npos) << written;
    }
    CQtProfileStore store(path);
    EXPECT_EQ(store.GetProfileInt("Window", "Xpos", 0), 5);
    EXPECT_EQ(store.GetProfileInt("Window", "Ypos", 0), 2);
    EXPECT_EQ(store.GetProfileString("Recent File List", "File1", ""), "/b");
    EXPECT_EQ(store.GetProfileString("Recent File List", "File2", ""), "/c");
    EXPECT_EQ(store.GetProfileString("Junk", "odd", ""), "x,y");
    EXPECT_EQ(store.GetProfileInt("Window", "Sub/z", 0), 1);
}
} // namespace
