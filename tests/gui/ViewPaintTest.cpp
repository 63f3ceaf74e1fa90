#include "../TestSupport.h"
#include "dialogs/DetailDlg.h"
#include "platform/gui/DrawContext.h"
#include "view/DrawHelpers.h"
#include "view/PeloraView.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <climits>
#include <gtest/gtest.h>

namespace {
// The pixels of a box that are of a colour (or, with other, of any other colour): how many, and
// the first and last columns holding one (INT_MAX, INT_MIN: none).
struct Ink {
    int count = 0, first = INT_MAX, last = INT_MIN;
};
Ink InkOf(const QImage& image, const QRect& box, QRgb color, bool other = false)
{
    Ink ink;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            if ((image.pixel(x, y) == color) != other) {
                ++ink.count;
                ink.first = std::min(ink.first, x);
                ink.last = std::max(ink.last, x);
            }
    return ink;
}

// The view on a document of the given log, painted into an image.
class ViewPaintTest : public testing::Test, protected DocFixture {
protected:
    CSettings settings{profile};

    QImage Paint(const std::string& log, Period dayMode, Unit unitMode, bool stored = true)
    {
        if (stored)
            Open(folder.Write("log", log), 20, k1997Mar20);
        else
            doc = std::make_unique<CPeloraDoc>(profile, clock);
        settings.SetDayMode(dayMode);
        settings.SetUnitMode(unitMode);
        CPeloraView view(*doc, nullptr, settings);
        QImage image(CPeloraView::kWidth, CPeloraView::kHeight, QImage::Format_RGB32);
        view.render(&image);
        return image;
    }
};

// One call of yen on each of the given days of March 1997 (and 19 February).
std::string Log(std::initializer_list<std::pair<const char*, const char*>> lines)
{
    std::string log;
    for (const auto& [date, yen] : lines)
        log += std::string(date) + " 10:00:00  OUT00:01:40 " + yen + " 0\r\n";
    return log;
}

struct PixelCheck {
    int x, y;
    QRgb color;
};

const QRgb kBlack = qRgb(0, 0, 0), kWhite = qRgb(255, 255, 255), kGrey = qRgb(128, 128, 128),
           kRed = qRgb(255, 0, 0), kGreen = qRgb(0, 128, 0);

// A maximum of 7 makes every bar 99 pixels tall, so the grid shows between bars. A line's end point
// is not drawn; the day average (14 / 30 = 0 yen) lies on the base line.
TEST_F(ViewPaintTest, AxesGridAndBarsFollowTheLineAndRectangleRules)
{
    const std::string log = Log({{"97/03/20", "       7"}, {"97/03/19", "       7"}});
    const struct {
        Period mode;
        std::vector<PixelCheck> pixels;
    } graphs[] = {
        {Period::Day, {{30, 15, kBlack}, {30, 14, kWhite}, {30, 115, kBlack}, {31, 115, kRed}, {244, 115, kRed},
                       {245, 115, kWhite}, {31, 40, kGrey}, {244, 65, kGrey}, {245, 65, kWhite}, {31, 15, kWhite},
                       // today's bar (slot 29, x 237..241): rows 16..114
                       {237, 16, kGreen}, {241, 114, kGreen}, {237, 15, kWhite}, {242, 114, kWhite}, {34, 114, kWhite}}},
        {Period::Month, {{45, 15, kBlack}, {45, 115, kBlack}, {244, 115, kBlack}, {245, 115, kWhite}, {46, 40, kGrey},
                         {44, 40, kWhite},
                         // slot 11 (x 228..238): the month's own bar over its white forecast bar
                         {228, 114, kGreen}, {238, 114, kGreen}, {239, 114, kWhite}}}};
    for (const auto& graph : graphs) {
        const QImage image = Paint(log, graph.mode, Unit::Yen);
        for (const PixelCheck& p : graph.pixels)
            EXPECT_EQ(image.pixel(p.x, p.y), p.color) << "at " << p.x << "," << p.y;
    }
}

// The day graphs' captions: "(Yen)" and "(Access)" one row higher than "(Min)".
TEST_F(ViewPaintTest, DayCaptionsSitAtTheirRows)
{
    const auto firstInkRow = [](const QImage& image) {
        for (int y = 0; y < 12; ++y)
            if (image.pixel(4, y) != kWhite || image.pixel(5, y) != kWhite)
                return y;
        return -1;
    };
    const int yen = firstInkRow(Paint(Log({{"97/03/20", "     100"}}), Period::Day, Unit::Yen));
    EXPECT_EQ(firstInkRow(Paint(Log({{"97/03/20", "     100"}}), Period::Day, Unit::Time)), yen + 1);
    EXPECT_EQ(firstInkRow(Paint(Log({{"97/03/20", "     100"}}), Period::Day, Unit::Count)), yen);
}

TEST_F(ViewPaintTest, FailedStateShowsTheEmptyPanelOnly)
{
    const QImage image = Paint("", Period::Day, Unit::Yen, false);
    // The 3D colours are the palette's button face, light and dark.
    const QPalette palette = QApplication::palette();
    const QRgb face = palette.color(QPalette::Button).rgb();
    const QRgb light = palette.color(QPalette::Light).rgb();
    const QRgb dark = palette.color(QPalette::Dark).rgb();
    EXPECT_EQ(InkOf(image, QRect(0, 0, 249, 131), kWhite, true).count, 0); // no graph
    EXPECT_EQ(image.pixel(5, 137), light);
    EXPECT_EQ(image.pixel(110, 206), dark);
    EXPECT_EQ(image.pixel(10, 159), dark);   // groove: dark above light
    EXPECT_EQ(image.pixel(10, 160), light);
    EXPECT_EQ(image.pixel(105, 159), face);  // its end point is not drawn
    for (const QRect& row : {QRect(6, 138, 104, 21), QRect(118, 161, 126, 21), QRect(118, 184, 126, 22)})
        EXPECT_EQ(InkOf(image, row, face, true).count, 0) << "text in a failed panel";
}

// Each row of the totals in its own colour (today, this billing month, the forecast), the amount
// flush right.
TEST_F(ViewPaintTest, TotalsArePaintedInTheirColourFlushRight)
{
    const std::pair<ColorRole, QRgb> rows[] = {{ColorRole::DTotalClr, kRed}, {ColorRole::MTotalClr, kGreen}, {ColorRole::MTInfoClr, qRgb(0, 0, 255)}};
    for (const auto& [role, rgb] : rows)
        settings.SetColor(role, RGB(qRed(rgb), qGreen(rgb), qBlue(rgb)));
    const QImage image = Paint(Log({{"97/03/20", "     100"}}), Period::Day, Unit::Count);
    for (int row = 0; row < 3; ++row)
        EXPECT_GT(InkOf(image, QRect(5, 142 + 23 * row, 239, 17), rows[row].second).count, 20) << row;
    const Ink amount = InkOf(image, QRect(118, 143, 125, 16), ToQColor(GetSysColor(COLOR_BTNFACE)).rgb(), true);
    // "100 円 " ends one blank before the box's right edge.
    EXPECT_LT(amount.last, 240);
    EXPECT_GT(amount.last, 228);
    EXPECT_GT(amount.first, 170);
}

// A dark desktop (light text on a dark button face): the tables and the totals' default black take
// the palette's text colour; the graph keeps its white ground.
TEST_F(ViewPaintTest, DarkPaletteTextInTablesAndTotals)
{
    const QPalette usual = QApplication::palette();
    QPalette dark = usual;
    for (const QPalette::ColorRole role : {QPalette::Button, QPalette::Window})
        dark.setColor(role, QColor(0x2b, 0x2b, 0x2b));
    dark.setColor(QPalette::ButtonText, QColor(0xee, 0xee, 0xee));
    QApplication::setPalette(dark);
    const QImage picture = Paint(Log({{"97/03/20", "   1,230"}}), Period::Day, Unit::Yen);
    CDayDetailDlg dialog(*doc, nullptr);
    QImage table(dialog.size(), QImage::Format_RGB32);
    dialog.render(&table);
    QApplication::setPalette(usual);
    const QRgb light = qRgb(0xee, 0xee, 0xee);
    EXPECT_GT(InkOf(table, QRect(474, 307, 60, 15), light).count, 10); // today's "1230 円 "
    EXPECT_GT(InkOf(picture, QRect(5, 142, 239, 17), light).count, 20); // the day's row
    EXPECT_EQ(picture.pixel(100, 60), kWhite);
}
} // namespace
