#include "../TestSupport.h"
#include "ModalHelper.h"
#include "app/DesktopSetup.h"
#include "app/MainFrame.h"
#include "app/PeloraApp.h"
#include "res/CommandTable.h"
#include "view/PeloraView.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QStatusBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {
class AppStartupTest : public testing::Test {
protected:
    CScratchFolder folder;
    CMemoryProfileStore profile;
    CFixedClock clock{LocalNoon({1996, 12, 20})};
    CRecordingSink sink;
    std::unique_ptr<CPeloraApp> app = std::make_unique<CPeloraApp>(
        CPeloraApp::Environment{profile, clock, sink, QString::fromStdString(folder.Path("run").string())});

    // Closes the window as the user would, then ends the application; the settings left behind.
    CSettings Exit()
    {
        app->GetMainFrame()->close();
        app->ExitInstance();
        return CSettings(profile);
    }
};

// No box, but the status bar and the view's tool tip say how to choose a charge file.
TEST_F(AppStartupTest, WithoutAStoredPathTheWindowOpensEmptyAndTellsHowToChooseAFile)
{
    ASSERT_TRUE(app->InitInstance(QString()));
    CMainFrame* frame = app->GetMainFrame();
    EXPECT_TRUE(app->GetDocument()->IsLoadFailed());
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_EQ(frame->statusBar()->currentMessage(), QString::fromUtf8(kChooseFileMessage));
    EXPECT_TRUE(frame->GetActiveView()->toolTip().contains("Ctrl+O"));

    const CSettings stored = Exit();
    EXPECT_FALSE(stored.BarLayout().isEmpty());
    EXPECT_EQ(stored.StatusBarVisible(), 1);
    EXPECT_EQ(stored.TopMost(), 0);
    EXPECT_EQ(stored.LogPath(), CSettings::kNoLogPath);
    EXPECT_EQ(stored.RecentFile(0), "");
}

// The named file takes the stored one's place before anything is read: the stored one, gone, is
// never tried, and the window shows while the named one loads.
TEST_F(AppStartupTest, CommandLineFileTakesTheStoredOnesPlaceAndIsKeptAtExit)
{
    CSettings(profile).SetLogPath(folder.Path("missing").string());
    const std::string named = folder.Write("named", "96/12/20 10:00:00  OUT00:01:40      100 0\r\n");
    ASSERT_TRUE(app->InitInstance(QString::fromStdString(named)));
    EXPECT_TRUE(app->GetMainFrame()->isVisible());
    ASSERT_TRUE(QTest::qWaitFor([&] { return app->GetDocument()->GetDayYen(29) == 100; }, 10000));
    EXPECT_TRUE(sink.messages.empty());
    // Which file, read when: in the tool tip, off the picture.
    EXPECT_EQ(app->GetMainFrame()->statusBar()->currentMessage(), QString::fromUtf8(kReadyMessage));
    EXPECT_EQ(app->GetMainFrame()->GetActiveView()->toolTip(),
              QStringLiteral("料金ファイル: %1\n読み込み: 1996/12/20 12:00:00").arg(QString::fromStdString(named)));
    // The open dialog starts where the file shown lies.
    QString shown;
    WhenModal<QFileDialog>([&](QFileDialog* dialog) {
        shown = dialog->directory().absolutePath();
        dialog->reject();
    });
    app->OnFileOpen();
    EXPECT_EQ(shown.toStdString(), folder.Path("").parent_path().string());
    const CSettings stored = Exit();
    EXPECT_EQ(stored.LogPath(), named);
    EXPECT_EQ(stored.RecentFile(0), named);
}

// A stored log of 1 TiB (sparse), which takes minutes to read: the window shows and answers keys
// while it loads, and a file opened meanwhile shows at once (the load under way stopped, its late
// outcome never taken), then its appends as the system tells of them.
TEST_F(AppStartupTest, WindowAnswersWhileAHugeLogLoadsAndAFileOpenedMeanwhileShows)
{
    const std::string huge = folder.Write("huge", "96/12/20 10:00:00  OUT00:01:40      100 0\r\n");
    std::filesystem::resize_file(huge, std::uintmax_t{1} << 40);
    CSettings(profile).SetLogPath(huge);
    const std::int64_t before = BytesRead(0);
    ASSERT_TRUE(app->InitInstance(QString()));
    CMainFrame* frame = app->GetMainFrame();
    ASSERT_TRUE(QTest::qWaitFor([&] { return IsReadingFile(0, huge, before); }, 10000));
    ASSERT_TRUE(frame->isVisible() && app->GetDocument()->IsFirstLoadPending());
    QTest::keyClick(frame, Qt::Key_T, Qt::ControlModifier);
    EXPECT_EQ(frame->PaneText(StatusPane::Unit), QStringLiteral(" 時間 "));

    const std::string small = folder.Write("small", "96/12/20 10:00:00  OUT00:01:40      700 0\r\n");
    ASSERT_TRUE(app->OpenDocumentFile(QString::fromStdString(small)));
    ASSERT_TRUE(QTest::qWaitFor([&] { return app->GetDocument()->GetDayYen(29) == 700; }, 10000));
    AppendTo(small, "96/12/20 11:00:00  OUT00:01:40      250 0\r\n");
    EXPECT_TRUE(QTest::qWaitFor([&] { return app->GetDocument()->GetDayYen(29) == 950; }, 20000));
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_EQ(Exit().LogPath(), small);
}

TEST_F(AppStartupTest, UnopenableCommandLineFileEndsTheStart)
{
    EXPECT_FALSE(app->InitInstance(QString::fromStdString(folder.Path("missing").string())));
    // Only the message: the window was never shown, and the start counts as failed.
    EXPECT_FALSE(app->GetMainFrame()->isVisible());
    EXPECT_FALSE(app->AnotherInstanceRuns());
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0], FailedToOpenDocumentMessage(folder.Path("missing").string()));
}

// The picker's custom colours go nowhere: the program writes no file but its settings. (A config
// folder of the test's own: other test processes' dialogs may write the user's.)
TEST(DesktopSetupTest, ColourPickerLeavesNoFileOfItsOwn)
{
    CScratchFolder config;
    const QByteArray usual = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(config.Path("").string()));
    KeepQtDialogStateOut();
    {
        QColorDialog picker;
        QColorDialog::setCustomColor(0, QColor(1, 2, 3));
    }
    qputenv("XDG_CONFIG_HOME", usual);
    EXPECT_TRUE(std::filesystem::is_empty(config.Path("")));
}
} // namespace
