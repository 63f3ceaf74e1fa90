#include "FrameFixture.h"
#include "dialogs/DetailDlg.h"

#include <QAccessible>
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

// What is painted reaches a screen reader: the graph with its slots, and the totals.
TEST_F(AccessibilityTest, PaintedFiguresAndButtonsHavePlainNames)
{
    Start("96/12/20 10:00:00  OUT00:01:40    1,230 0\r\n");
    QAccessibleInterface* view = QAccessible::queryAccessibleInterface(&View());
    ASSERT_NE(view, nullptr);
    const QStringList names = Names(view);
    EXPECT_TRUE(names.contains(QStringLiteral("グラフ:料金・日"))) << names.join('|').toStdString();
    EXPECT_TRUE(names.contains(QStringLiteral("96/12/20: 1230 円")));
    EXPECT_TRUE(names.contains(QStringLiteral("今日の合計: 1230 円")));
    EXPECT_TRUE(names.contains(QStringLiteral("今月の合計: 1230 円")));
    EXPECT_TRUE(names.contains(QStringLiteral("今月合計予測: 1271 円")));
    QAccessibleInterface* graph = view->child(view->childCount() - 2);
    EXPECT_EQ(graph->text(QAccessible::Description), QStringLiteral("最大 1230 円、平均 41 円"));
    EXPECT_EQ(graph->childCount(), 30);
    EXPECT_EQ(graph->child(29)->parent(), graph);

    Command(ID_UNIT_TIME);
    EXPECT_TRUE(Names(view).contains(QStringLiteral("96/12/20: 0:01:40")));

    // The detail tables row by row, and the tool-bar buttons by plain names.
    CDayDetailDlg dialog(*doc, nullptr);
    const QStringList rows = Names(QAccessible::queryAccessibleInterface(&dialog));
    EXPECT_TRUE(rows.contains(QStringLiteral("96/12/20: 回数 1、時間 0:01:40、料金 1230")));
    EXPECT_TRUE(rows.contains(QStringLiteral("一日当たりの平均: 回数 0、時間 0:00:03、料金 41")));
    EXPECT_TRUE(rows.contains(QStringLiteral("OK")));
    const QStringList buttons = Names(QAccessible::queryAccessibleInterface(frame->ToolBar()));
    EXPECT_TRUE(buttons.contains(QStringLiteral("料金ファイルを開く..."))) << buttons.join("|").toStdString();
    for (const QString& name : buttons)
        EXPECT_FALSE(name.contains('\t') || name.contains('&')) << name.toStdString();
}
} // namespace
