// pelora --render as a real process without a display, against the view painted in this process.

#include "TestSupport.h"
#include "view/PeloraView.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <gtest/gtest.h>

namespace {
class RenderCommandTest : public testing::Test {
protected:
    CScratchFolder folder;
    const std::string log = folder.Write("log", "97/03/20 10:00:00  OUT00:01:40      700 0\r\n"
                                                "97/03/02 10:00:00  OUT01:01:40    1,300 0\r\n");

    int Run(const QStringList& args)
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("DISPLAY");
        env.remove("WAYLAND_DISPLAY");
        env.remove("QT_QPA_PLATFORM");
        env.insert("XDG_CONFIG_HOME", QString::fromStdString(folder.Path("config").string()));
        process.setProcessEnvironment(env);
        process.start(PELORA_BINARY, args);
        EXPECT_TRUE(process.waitForFinished(20000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        return process.exitCode();
    }
};

TEST_F(RenderCommandTest, WritesTheViewAsAnOpaque249By211Png)
{
    const QString out = QString::fromStdString(folder.Path("out.png").string());
    ASSERT_EQ(Run({"--render", out, "--mode", "month", "--unit", "time", "--today", "1997-03-20",
                   "--closing-day", "20", QString::fromStdString(log)}), 0);
    const QImage written(out);
    ASSERT_FALSE(written.isNull());
    EXPECT_EQ(written.size(), QSize(249, 211));
    // The PNG header: 8 bits per sample, colour type 2 (RGB, no alpha).
    QFile file(out);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray header = file.read(26);
    EXPECT_EQ(header[24], 8);
    EXPECT_EQ(header[25], 2);

    // The same paint code as the window: identical to the view painted here.
    CMemoryProfileStore profile;
    CSettings settings(profile);
    settings.SetLogPath(log);
    settings.SetClosingDay(20);
    settings.SetDayMode(0);
    settings.SetYenMode(1);
    CFixedClock clock(LocalNoon({1997, 3, 20}));
    CRecordingSink sink;
    CPeloraDoc doc(profile, clock, sink);
    CPeloraView view(doc, settings, clock, sink);
    QImage painted(249, 211, QImage::Format_RGB32);
    view.render(&painted);
    EXPECT_EQ(written.convertToFormat(QImage::Format_RGB32), painted);
}

TEST_F(RenderCommandTest, UnopenableFileAndBadArgumentsHaveTheirStatuses)
{
    const QString out = QString::fromStdString(folder.Path("out.png").string());
    EXPECT_EQ(Run({"--render", out, QString::fromStdString(folder.Path("missing").string())}), 2);
    EXPECT_EQ(Run({"--render", out, "--unit", "euro", QString::fromStdString(log)}), 64);
    EXPECT_EQ(Run({"--render", QString::fromStdString(folder.Path("no/such/dir/out.png").string()),
                   QString::fromStdString(log)}), 73);
}
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
