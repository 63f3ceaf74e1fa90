#include "FrameFixture.h"

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

TEST_F(MainFrameTest, PlaceOffEveryScreenIsLeftToTheSystem)
{
    Open(folder.Write("log", ""), 20, k1996Dec20);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    // Far off, at the ends of the stored range (where a sum could wrap), and just off each edge.
    for (const QPoint stored : {QPoint(30000, 30000), QPoint(INT32_MAX, INT32_MAX), QPoint(INT32_MAX, 10),
                                QPoint(10, INT32_MAX), QPoint(-30000, 10), QPoint(10, -30000)}) {
        settings.SetPosition(stored.x(), stored.y());
        CreateFrame();
        EXPECT_TRUE(screen.contains(frame->pos())) << stored.x() << "," << stored.y();
    }
}

// A large desktop font widens the window rather than clip the panes or "Ready".
TEST_F(MainFrameTest, LargeFontsWidenTheWindowRatherThanClipTheStatusBar)
{
    const QFont usual = QApplication::font();
    QFont large = usual;
    large.setPointSize(16);
    QApplication::setFont(large);
    Start();
    frame->show();
    int used = frame->statusBar()->fontMetrics().horizontalAdvance(QStringLiteral("Ready"));
    for (const QLabel* pane : frame->statusBar()->findChildren<QLabel*>()) {
        EXPECT_GE(pane->width(), pane->fontMetrics().horizontalAdvance(pane->text())) << pane->text().toStdString();
        used += pane->width();
    }
    EXPECT_GE(frame->statusBar()->width(), used);
    EXPECT_EQ(ViewSize(), QSize(CPeloraView::kWidth, CPeloraView::kHeight));
    // A font that grows under the running window (a desktop theme applied late) counts too.
    large.setPointSize(22);
    QApplication::setFont(large);
    QCoreApplication::processEvents();
    QApplication::setFont(usual);
    for (const QLabel* pane : frame->statusBar()->findChildren<QLabel*>())
        EXPECT_GE(pane->width(), QFontMetrics(large).horizontalAdvance(pane->text())) << pane->text().toStdString();
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
