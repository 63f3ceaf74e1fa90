#include "FrameFixture.h"
#include "dialogs/ClosingDayDlg.h"
#include "dialogs/DetailDlg.h"
#include "dialogs/DetailRows.h"
#include "res/CommandTable.h"

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

namespace {
// The names of an interface's children, and of their children in turn.
QStringList Names(QAccessibleInterface* node)
{
    QStringList names;
    for (int i = 0; i < node->childCount(); ++i) {
        QAccessibleInterface* child = node->child(i);
        names << child->text(QAccessible::Name);
        names += Names(child);
    }
    return names;
}

using AccessibilityTest = FrameFixture;

// What is painted reaches a screen reader: the graph with its slots, and the totals; commands by
// plain names, each part in its role.
TEST_F(AccessibilityTest, PaintedFiguresAndCommandsHavePlainNamesAndRoles)
{
    Start("96/12/20 10:00:00  OUT00:01:40    1,230 0\r\n");
    QAccessibleInterface* view = QAccessible::queryAccessibleInterface(&View());
    ASSERT_NE(view, nullptr);
    const QStringList names = Names(view);
    EXPECT_TRUE(names.contains(QStringLiteral("グラフ:料金・日"))) << names.join('|').toStdString();
    EXPECT_TRUE(names.contains(QStringLiteral("96/12/20: 1230 円")));
    EXPECT_TRUE(names.contains(QStringLiteral("今日の合計: 1230 円")));
    EXPECT_TRUE(names.contains(QStringLiteral("今月合計予測: 1271 円")));
    QAccessibleInterface* graph = view->child(0);
    EXPECT_EQ(graph->text(QAccessible::Description), QStringLiteral("最大 1230 円、平均 41 円"));
    ASSERT_EQ(graph->childCount(), 30);
    EXPECT_EQ(graph->child(29)->parent(), graph);
    EXPECT_EQ(graph->child(29)->role(), QAccessible::ListItem);
    EXPECT_EQ(view->child(1)->child(0)->role(), QAccessible::StaticText);

    Command(ID_UNIT_TIME);
    EXPECT_TRUE(Names(view).contains(QStringLiteral("96/12/20: 0:01:40")));

    // The detail table is a dialog whose rows read with their units; the closing day by its name.
    CDayDetailDlg dialog(*doc, nullptr);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&dialog)->role(), QAccessible::Dialog);
    const QStringList rows = Names(QAccessible::queryAccessibleInterface(dialog.Rows()));
    EXPECT_TRUE(rows.contains(QStringLiteral("96/12/20: 回数 1、時間 0:01:40、料金 1230 円"))) << rows.join('|').toStdString();
    EXPECT_TRUE(rows.contains(QStringLiteral("一日当たりの平均: 回数 0、時間 0:00:03、料金 41 円")));
    CClosingDayDlg closingDay(sink, nullptr);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(closingDay.Edit())->text(QAccessible::Name), QStringLiteral("毎月の〆切日"));

    // Tool-bar buttons and menu items without mnemonic or key; separators as separators.
    QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(frame->ToolBar());
    for (int i = 0; i < bar->childCount(); ++i) {
        const QAccessibleInterface* part = bar->child(i);
        const QString name = part->text(QAccessible::Name);
        EXPECT_EQ(name.isEmpty(), part->role() == QAccessible::Separator) << i;
        EXPECT_FALSE(name.contains('\t') || name.contains('&') || name.contains('(')) << name.toStdString();
    }
    QAccessibleInterface* open = QAccessible::queryAccessibleInterface(frame->Action(ID_FILE_OPEN));
    EXPECT_EQ(open->text(QAccessible::Name), QStringLiteral("料金ファイルを開く..."));
    EXPECT_EQ(open->text(QAccessible::Accelerator), QStringLiteral("Ctrl+O"));
    EXPECT_EQ(open->parent()->object(), frame->menuBar()->actions().front()->menu());
}

// Tab gives the graph the focus at today's slot; the arrow keys walk the slots and the totals,
// each focused for screen readers (the bus test hears them told) and shown in the status bar; a
// new period starts the walk again.
TEST_F(AccessibilityTest, TheKeyboardWalksTheSlotsAndTellsEachOne)
{
    Start("96/12/20 10:00:00  OUT00:01:40    1,230 0\r\n");
    frame->show();
    QApplication::setActiveWindow(frame.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    // The window coming to the front gives the graph the focus, but the status bar keeps "Ready".
    View().setFocus(Qt::ActiveWindowFocusReason);
    QCoreApplication::processEvents();
    EXPECT_EQ(frame->statusBar()->currentMessage(), QString::fromUtf8(kReadyMessage));
    View().clearFocus();
    QTest::keyClick(frame.get(), Qt::Key_Tab);
    ASSERT_TRUE(View().hasFocus());
    const auto hear = [&](const char* name) {
        QAccessibleInterface* focused = QAccessible::queryAccessibleInterface(&View())->focusChild();
        ASSERT_NE(focused, nullptr) << name;
        EXPECT_EQ(focused->text(QAccessible::Name), QString::fromUtf8(name));
        EXPECT_TRUE(focused->state().focused);
        EXPECT_TRUE(QTest::qWaitFor([&] { return frame->statusBar()->currentMessage() == QString::fromUtf8(name); }, 10000))
            << name << " / " << frame->statusBar()->currentMessage().toStdString();
    };
    hear("96/12/20: 1230 円");
    QTest::keyClick(&View(), Qt::Key_Left);
    hear("96/12/19: 0 円");
    QTest::keyClick(&View(), Qt::Key_Home);
    hear("96/11/21: 0 円");
    QTest::keyClick(&View(), Qt::Key_Up); // nothing before the first
    hear("96/11/21: 0 円");
    QTest::keyClick(&View(), Qt::Key_End);
    hear("今月合計予測: 1271 円");
    Command(ID_PERIOD_MONTH);
    hear("96/12: 1230 円");
}
} // namespace
