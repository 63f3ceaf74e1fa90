#include "../TestSupport.h"
#include "platform/core/QtProfileStore.h"

#include <QFile>
#include <QTest>
#include <gtest/gtest.h>

namespace {
QByteArray OnDisk(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Each sync rewrites the whole file: a burst of changes reaches the disk together, shortly after,
// and whatever is still pending when the store ends.
TEST(ProfileWritesTest, BurstsReachTheDiskTogetherShortlyAfter)
{
    CScratchFolder folder;
    const QString path = QString::fromStdString(folder.Path("Pelora.conf").string());
    {
        CQtProfileStore store(path);
        for (int x = 0; x < 50; ++x)
            EXPECT_TRUE(store.WriteProfileInt("Window", "Xpos", x));
        EXPECT_TRUE(OnDisk(path).isEmpty()); // the change did not wait on the disk
        EXPECT_TRUE(QTest::qWaitFor([&] { return OnDisk(path).contains("Xpos=49"); }, 2000));
        store.WriteProfileInt("Window", "Ypos", 7);
    }
    EXPECT_TRUE(OnDisk(path).contains("Ypos=7"));
}
} // namespace
