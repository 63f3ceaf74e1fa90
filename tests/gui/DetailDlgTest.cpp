#include "../TestSupport.h"
#include "ModalHelper.h"
#include "dialogs/DetailDlg.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class DetailDlgTest : public testing::Test, protected DocFixture {
protected:
    void Load(const std::string& log) { Open(folder.Write("log", log), 20, k1997Mar20); }

    static const DetailItem* TextAt(const std::vector<DetailItem>& items, const PixelBox& box)
    {
        for (const DetailItem& item : items)
            if (item.kind == DetailItem::Text && item.box == box)
                return &item;
        return nullptr;
    }
};

TEST_F(DetailDlgTest, DayTableFillsTheLeftGroupThenTheRight)
{
    Load("97/02/19 10:00:00  OUT25:00:00      100 0\r\n97/03/20 10:00:00  OUT00:01:40    1,230 0\r\n");
    const std::vector<DetailItem> items = DayDetailItems(FigureTableOf(*doc, true));
    ASSERT_GE(items.size(), 3u);
    EXPECT_EQ(items[0].box, (PixelBox{10, 10, 543, 331}));
    EXPECT_TRUE(items[0].sunken);
    const DetailItem* first = TextAt(items, {20, 41, 85, 56});
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->text, "97/02/19");
    EXPECT_EQ(first->format, unsigned(DT_CENTER | DT_VCENTER | DT_SINGLELINE));
    EXPECT_EQ(TextAt(items, {135, 41, 195, 56})->text, "25:00:00 ");
    EXPECT_EQ(TextAt(items, {289, 41, 354, 56})->text, "97/03/06"); // day 15 heads the right group
    EXPECT_EQ(TextAt(items, {289, 307, 354, 322})->text, "97/03/20"); // today is its last row
    const DetailItem* yen = TextAt(items, {474, 307, 534, 322});
    EXPECT_EQ(yen->text, "1230 円 ");
    EXPECT_EQ(yen->format, unsigned(DT_RIGHT | DT_VCENTER | DT_SINGLELINE));
    EXPECT_EQ(TextAt(items, {76, 376, 166, 391})->text, "2 回 ");
    // The averages, not the totals: 2 calls, 25:01:40 and 1330 yen over 30 days.
    EXPECT_EQ(TextAt(items, {251, 376, 341, 391})->text, "0 回 ");
    EXPECT_EQ(TextAt(items, {251, 395, 341, 410})->text, "0:50:03 ");
    EXPECT_EQ(TextAt(items, {251, 414, 341, 429})->text, "44 円 ");
}

TEST_F(DetailDlgTest, MonthTableHasItsTotalAndAverageBoxes)
{
    Load("97/03/20 10:00:00  OUT01:02:05      120 0\r\n");
    const std::vector<DetailItem> items = MonthDetailItems(FigureTableOf(*doc, false));
    EXPECT_EQ(items[1].box, (PixelBox{295, 10, 461, 107}));
    EXPECT_EQ(items[2].box, (PixelBox{295, 117, 461, 214}));
    EXPECT_EQ(TextAt(items, {20, 46 + 19 * 11, 65, 61 + 19 * 11})->text, "97/03");
    EXPECT_EQ(TextAt(items, {75, 46 + 19 * 11, 120, 61 + 19 * 11})->text, "1 ");
    EXPECT_EQ(TextAt(items, {305, 20, 450, 35})->text, "過去12ヵ月の合計");
    EXPECT_EQ(TextAt(items, {360, 65, 450, 80})->text, "1:02:05 ");
    EXPECT_EQ(TextAt(items, {305, 127, 450, 142})->text, "一月当たりの平均");
    EXPECT_EQ(TextAt(items, {360, 153, 450, 168})->text, "0 回 ");
    EXPECT_EQ(TextAt(items, {360, 172, 450, 187})->text, "0:05:10 ");
    EXPECT_EQ(TextAt(items, {360, 191, 450, 206})->text, "10 円 ");
}

// The fixed sizes; a document that failed to load shows no table.
TEST_F(DetailDlgTest, FixedSizesAndNoTableForAFailedDocument)
{
    Load("97/03/20 10:00:00  OUT00:01:40    1,230 0\r\n");
    const CDayDetailDlg days(*doc, nullptr);
    EXPECT_EQ(days.size(), QSize(561, 477));
    EXPECT_EQ(days.OkButton()->geometry(), QRect(464, 414, 80, 25));
    CMemoryProfileStore nothingStored;
    const CPeloraDoc failed(nothingStored, clock);
    CMonthDetailDlg months(failed, nullptr);
    EXPECT_EQ(months.size(), QSize(478, 320));
    EXPECT_TRUE(MonthDetailItems(FigureTableOf(failed, false)).empty());
}

// Ctrl+C: the table, its total and its average as tab-separated text and as an HTML table.
TEST_F(DetailDlgTest, CopyGivesTheTableToOtherPrograms)
{
    Load("97/03/20 10:00:00  OUT01:02:05    1,230 0\r\n");
    CMonthDetailDlg dialog(*doc, nullptr);
    QTest::keyClick(&dialog, Qt::Key_C, Qt::ControlModifier);
    const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
    const QStringList rows = copied->text().split(QLatin1Char('\n'));
    ASSERT_EQ(rows.size(), 1 + 12 + 2 + 1);
    EXPECT_EQ(rows[0], QStringLiteral("日付\t回数\t時間\t料金"));
    EXPECT_EQ(rows[12], QStringLiteral("97/03\t1\t1:02:05\t1230"));
    EXPECT_EQ(rows[13], QStringLiteral("過去12ヵ月の合計\t1\t1:02:05\t1230"));
    EXPECT_EQ(rows[14], QStringLiteral("一月当たりの平均\t0\t0:05:10\t102"));
    EXPECT_TRUE(copied->html().contains(QStringLiteral("<tr><td>97/03</td><td>1</td><td>1:02:05</td><td>1230</td></tr>")));
}

// OK ends it, and Escape still does beside the copy key.
TEST_F(DetailDlgTest, OkAndEscapeEndIt)
{
    Load("");
    CMonthDetailDlg dialog(*doc, nullptr);
    WhenModal<CDetailDlg>([](CDetailDlg* d) { QTest::mouseClick(d->OkButton(), Qt::LeftButton); });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    WhenModal<QDialog>([](QDialog* d) { QTest::keyClick(d, Qt::Key_Escape); });
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
}
} // namespace
