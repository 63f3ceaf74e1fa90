#include "../TestSupport.h"
#include "ModalHelper.h"
#include "dialogs/DetailDlg.h"

#include <QImage>
#include <QPushButton>
#include <QTest>
#include <sstream>
#include <gtest/gtest.h>

namespace {

class DetailDlgTest : public testing::Test, protected DocFixture {
protected:
    void Load(const std::string& log) { Open(folder.Write("log", log), 20, k1997Mar20); }
};

// Every frame and text of a table in drawing order, one a line.
std::string Dump(const std::vector<DetailItem>& items)
{
    std::ostringstream dump;
    for (const DetailItem& item : items) {
        const PixelBox& b = item.box;
        dump << (item.kind == DetailItem::Text ? "text" : item.sunken ? "sunken" : "raised") << ' ' << b.left << ' ' << b.top
             << ' ' << b.right << ' ' << b.bottom;
        if (item.kind == DetailItem::Text)
            dump << (item.format & DT_RIGHT ? " right " : " centre ") << item.format << " \"" << item.text.toStdString() << '"';
        dump << '\n';
    }
    return dump.str();
}

struct GoldenCase {
    const char* name;
    const char* log;
    bool days;
};

// The whole layout of both tables, frames, places and texts, against the dumps in tests/golden:
// the day table's two groups (the right one from 6 March), its averages rather than its totals,
// a duration of more than a day.
TEST_F(DetailDlgTest, TablesAreLaidOutAsTheirGoldenDumps)
{
    const GoldenCase cases[] = {
        {"day_table", "97/02/19 10:00:00  OUT25:00:00      100 0\r\n97/03/20 10:00:00  OUT00:01:40    1,230 0\r\n", true},
        {"month_table", "97/03/20 10:00:00  OUT01:02:05      120 0\r\n", false}};
    for (const GoldenCase& c : cases) {
        Load(c.log);
        const FigureTable table = FigureTableOf(*doc, c.days);
        ExpectGolden(c.name + std::string(".txt"), Dump(c.days ? DayDetailItems(table) : MonthDetailItems(table)));
    }
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
