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
#include <QToolTip>

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
// each focused for screen readers (the bus test hears them told) and shown in a tool tip at its
// place; a new period starts the walk again.
TEST_F(AccessibilityTest, TheKeyboardWalksTheSlotsAndTellsEachOne)
{
    Start("96/12/20 10:00:00  OUT00:01:40    1,230 0\r\n");
    frame->show();
    QApplication::setActiveWindow(frame.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    // The window coming to the front gives the graph the focus, but shows no tip.
    View().clearFocus();
    View().setFocus(Qt::ActiveWindowFocusReason);
    ASSERT_TRUE(View().hasFocus());
    QCoreApplication::processEvents();
    EXPECT_FALSE(QToolTip::isVisible());
    View().clearFocus();
    QTest::keyClick(frame.get(), Qt::Key_Tab);
    ASSERT_TRUE(View().hasFocus());
    // The item focused, and its tip just below the column or box it is painted in.
    const auto hear = [&](const char* name, QRect box) {
        QAccessibleInterface* focused = QAccessible::queryAccessibleInterface(&View())->focusChild();
        ASSERT_NE(focused, nullptr) << name;
        EXPECT_EQ(focused->text(QAccessible::Name), QString::fromUtf8(name));
        EXPECT_TRUE(focused->state().focused);
        EXPECT_EQ(focused->rect(), box.translated(View().mapToGlobal(QPoint(0, 0))));
        EXPECT_TRUE(QTest::qWaitFor([&] { return QToolTip::text() == QString::fromUtf8(name); }, 10000))
            << name << " / " << QToolTip::text().toStdString();
    };
    hear("96/12/20: 1230 円", QRect(237, 15, 5, 100)); // today's bar, 34 + 7 x 29
    QTest::keyClick(&View(), Qt::Key_Left);
    hear("96/12/19: 0 円", QRect(230, 15, 5, 100));
    QTest::keyClick(&View(), Qt::Key_Home);
    hear("96/11/21: 0 円", QRect(34, 15, 5, 100));
    QTest::keyClick(&View(), Qt::Key_Up); // nothing before the first
    hear("96/11/21: 0 円", QRect(34, 15, 5, 100));
    QTest::keyClick(&View(), Qt::Key_End);
    EXPECT_TRUE(QTest::qWaitFor([&] { return QToolTip::text() == QStringLiteral("今月合計予測: 1271 円"); }, 10000));
    const QRect panel = QRect(0, 130, CPeloraView::kWidth, CPeloraView::kHeight - 130).translated(View().mapToGlobal(QPoint(0, 0)));
    EXPECT_TRUE(panel.contains(QAccessible::queryAccessibleInterface(&View())->focusChild()->rect())); // in the totals panel
    Command(ID_PERIOD_MONTH);
    hear("96/12: 1230 円", QRect(52 + 16 * 11, 15, 11, 100)); // the current billing month's column
}
} // namespace
