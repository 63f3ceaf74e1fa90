#include "FrameFixture.h"
#include "app/WindowPlacement.h"
#include "res/CommandTable.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

namespace {
class MainFrameTest : public FrameFixture {
protected:
    QSize ViewSize()
    {
        frame->layout()->activate();
        QCoreApplication::processEvents();
        return View().size();
    }
    // Every pane whole inside the window, and room beside them for the message shown.
    void ExpectStatusBarFits()
    {
        EXPECT_EQ(ViewSize(), QSize(CPeloraView::kWidth, CPeloraView::kHeight));
        const QStatusBar* bar = frame->statusBar();
        int firstPane = bar->width();
        for (const QLabel* pane : bar->findChildren<QLabel*>()) {
            EXPECT_TRUE(frame->rect().contains(QRect(pane->mapTo(frame.get(), QPoint()), pane->size()))) << pane->text().toStdString();
            EXPECT_GE(pane->contentsRect().width(), pane->fontMetrics().horizontalAdvance(pane->text())) << pane->text().toStdString();
            firstPane = std::min(firstPane, pane->x());
        }
        // QStatusBar draws its message from 6 pixels in to 2 short of the first pane.
        EXPECT_GE(firstPane - 8, bar->fontMetrics().horizontalAdvance(bar->currentMessage())) << bar->currentMessage().toStdString();
    }
};

TEST_F(MainFrameTest, StoredValuesAreUsedWithoutRangeTests)
{
    settings.SetUnitMode(Unit{7});
    settings.SetDayMode(Period{7});
    settings.SetTopMost(2);
    settings.SetPosition(-40, 30);
    Open(folder.Write("log", ""), 0, k1996Dec20);
    CreateFrame();
    EXPECT_EQ(frame->PaneText(StatusPane::Unit), QStringLiteral(" 回数 "));
    EXPECT_EQ(frame->PaneText(StatusPane::Period), QStringLiteral(" 日 "));
    EXPECT_EQ(frame->PaneText(StatusPane::ClosingDay), QStringLiteral(" 〆0 "));
    for (const int id : {ID_UNIT_YEN, ID_UNIT_TIME, ID_UNIT_COUNT})
        EXPECT_FALSE(Checked(id));
    EXPECT_TRUE(Checked(ID_PERIOD_DAY));
    EXPECT_TRUE(frame->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(Checked(ID_TOPMOST)); // marked only when exactly 1
    EXPECT_EQ(frame->pos(), QPoint(-40, 30));
}

// Places are stored in device pixels. Two screens of 1600x1200 pixels at scale factor 2 (800x600
// each to Qt, the second 1600 pixels to the right): a place an unscaled run stored comes back at
// the same pixels; one that would leave the window mostly off its screen, or its title above it,
// is moved onto that screen; and until the window moves elsewhere, what is stored stays.
TEST(WindowPlacementTest, StoredPlacesAreDevicePixelsAndKeepTheWindowOnItsScreen)
{
    const CWindowPlacement::Screens screens{{QRect(0, 0, 800, 600), QRect(0, 0, 800, 600), 2},
                                            {QRect(1600, 0, 800, 600), QRect(1600, 0, 800, 560), 2}};
    const struct {
        const char* name;
        QPoint stored;
        std::optional<QPoint> placed;
    } rows[] = {
        {"kept, at half the numbers", {700, 500}, QPoint(350, 250)},
        {"odd pixels", {701, 501}, QPoint(350, 250)},
        {"second screen, from its own top-left", {1700, 100}, QPoint(1650, 50)},
        {"partly off the left, mostly on", {-200, 30}, QPoint(-100, 15)},
        {"mostly below the screen", {700, 1000}, QPoint(350, (1200 - 502 - 32) / 2)},
        {"mostly below the second screen's work area", {1700, 900}, QPoint(1650, (1120 - 502 - 32) / 2)},
        {"title above the screen", {300, -10}, QPoint(150, 0)},
        {"nothing stored", {INT32_MIN, INT32_MIN}, std::nullopt},
        {"off every screen", {INT32_MAX, 10}, std::nullopt},
        {"off every screen, at the ends of the stored range", {INT32_MAX, INT32_MAX}, std::nullopt},
        {"off every screen, far above", {10, -30000}, std::nullopt},
    };
    for (const auto& row : rows) {
        CWindowPlacement placement;
        const auto placed = placement.Restore(row.stored.x(), row.stored.y(), QSize(281, 251), screens);
        EXPECT_EQ(placed, row.placed) << row.name;
        if (placed) { // also as Qt reports it after rounding the frame at this scale
            EXPECT_EQ(placement.ToStored(*placed + QPoint(-1, 1), screens), row.stored) << row.name;
        }
    }
    CWindowPlacement placement;
    EXPECT_EQ(placement.ToStored(QPoint(1650, 50), screens), QPoint(1700, 100));
    EXPECT_EQ(placement.ToStored(QPoint(-100, 15), screens), QPoint(-200, 30));
}

// In whatever font the desktop sets (tests/desktop_font_check.sh runs this under a 16 pt qt6ct
// font), the first start's hint and the panes fit; the window grows, never the view.
TEST_F(MainFrameTest, StatusBarFitsTheDesktopFont)
{
    Open(CSettings::kNoLogPath, 31, k1996Dec20);
    CreateFrame();
    frame->show();
    ASSERT_EQ(frame->statusBar()->currentMessage(), QString::fromUtf8(kChooseFileMessage));
    if (const int points = qEnvironmentVariableIntValue("DESKTOP_FONT_POINTS")) {
        ASSERT_EQ(frame->statusBar()->font().pointSize(), points);
    }
    ExpectStatusBarFits();
}

// A font set by the application, and one that grows under the running window (a desktop theme
// applied late), count too.
TEST_F(MainFrameTest, LargeFontsWidenTheWindowRatherThanClipTheStatusBar)
{
    const QFont usual = QApplication::font();
    QFont large = usual;
    large.setPointSize(16);
    QApplication::setFont(large);
    Start();
    frame->show();
    ExpectStatusBarFits();
    large.setPointSize(22);
    QApplication::setFont(large);
    QCoreApplication::processEvents();
    ExpectStatusBarFits();
    QApplication::setFont(usual);
}

// The bars change the window around the view, never the view; they and always-on-top are written
// shortly after each change, before any exit, and come back as they were left.
TEST_F(MainFrameTest, BarsLeaveTheViewAloneAndComeBackAsLeft)
{
    Start();
    frame->show();
    const QSize fixed(CPeloraView::kWidth, CPeloraView::kHeight);
    EXPECT_EQ(ViewSize(), fixed);
    const int withBars = frame->width();
    frame->Action(ID_VIEW_TOOLBAR)->trigger();
    EXPECT_EQ(ViewSize(), fixed);
    EXPECT_LT(frame->width(), withBars);
    frame->Action(ID_VIEW_TOOLBAR)->trigger();
    frame->Action(ID_VIEW_STATUS_BAR)->trigger();
    frame->addToolBar(Qt::TopToolBarArea, frame->ToolBar());
    EXPECT_EQ(ViewSize(), fixed);
    Command(ID_TOPMOST);
    EXPECT_EQ(settings.TopMost(), 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return settings.StatusBarVisible() == 0; }, 10000));
    frame->close();

    CreateFrame();
    frame->show();
    EXPECT_FALSE(frame->statusBar()->isVisible());
    EXPECT_EQ(frame->toolBarArea(frame->ToolBar()), Qt::TopToolBarArea);
    EXPECT_TRUE(Checked(ID_TOPMOST));
    EXPECT_TRUE(frame->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(ViewSize(), fixed);
}

TEST_F(MainFrameTest, MovesAreWrittenCoalescedAndTheLastOneAtClose)
{
    Start();
    frame->show();
    QCoreApplication::processEvents();
    profile.ClearWrites();
    // A drag: many moves, one write of the latest place shortly after. No event is handled between
    // the moves, so however busy the machine, they come faster than the write.
    for (int x = 100; x <= 140; x += 2)
        frame->move(x, 80);
    EXPECT_TRUE(profile.Writes().empty());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !profile.Writes().empty(); }, 10000));
    EXPECT_EQ(WrittenEntries(profile), (std::vector<std::string>{"Window/Xpos", "Window/Ypos"}));
    EXPECT_EQ(settings.Xpos(), 140);
    EXPECT_EQ(settings.Ypos(), 80);
    // A move just before the window closes is not lost.
    frame->move(60, 70);
    QCoreApplication::processEvents();
    frame->close();
    EXPECT_EQ(settings.Xpos(), 60);
    EXPECT_EQ(settings.Ypos(), 70);
}

TEST_F(MainFrameTest, DroppedFilesAreOpenedInOrderAndTheLastStays)
{
    Start();
    const std::string first = folder.Write("first", "96/12/20 10:00:00  OUT00:01:40       10 0\r\n");
    const std::string second = folder.Write("second", "96/12/20 10:00:00  OUT00:01:40       20 0\r\n");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(first)), QUrl::fromLocalFile(QString::fromStdString(second))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(frame.get(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(frame.get(), &drop);
    EXPECT_EQ(opened, (std::vector<QString>{QString::fromStdString(first), QString::fromStdString(second)}));
    EXPECT_EQ(doc->GetLogPath(), second);
    Loaded();
    EXPECT_EQ(doc->GetDayYen(29), 20);
}
} // namespace
