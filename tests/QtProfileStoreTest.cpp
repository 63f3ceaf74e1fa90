#include "TestSupport.h"
#include "platform/QtProfileStore.h"

#include <QFile>
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

TEST_F(QtProfileStoreTest, UnreadableNumbersGiveTheDefault)
{
    folder.Write("Pelora.conf", "[Option]\nSimekiri=abc\n[Window]\nXpos=2147483648\nYpos=1099511627776\nTopMost= 2\n");
    CQtProfileStore store(path);
    EXPECT_EQ(store.GetProfileInt("Option", "Simekiri", 31), 31);
    EXPECT_EQ(store.GetProfileInt("Window", "Xpos", 7), 7);
    EXPECT_EQ(store.GetProfileInt("Window", "Ypos", 7), 7);
    EXPECT_EQ(store.GetProfileInt("Window", "TopMost", 0), 2);
}

TEST_F(QtProfileStoreTest, CorruptFileIsSetAsideAndDefaultsApply)
{
    folder.Write("Pelora.conf", "[Window\nXpos=5\n\x01\x02 garbage = = =\n");
    CQtProfileStore store(path);
    EXPECT_EQ(store.GetProfileInt("Window", "Xpos", 9), 9);
    EXPECT_TRUE(QFile::exists(path + ".bak"));
    store.WriteProfileInt("Window", "Xpos", 3);
    EXPECT_EQ(CQtProfileStore(path).GetProfileInt("Window", "Xpos", 9), 3);
}
} // namespace
