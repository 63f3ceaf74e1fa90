#include "document/PeriodLabels.h"
#include "view/TotalsPanel.h"

#include <gtest/gtest.h>
#include <tuple>

namespace {
// Every slot distinct, so a row that reads a neighbouring slot shows the wrong amount.
TEST(TotalsPanelTest, TodayThisBillingMonthAndTheForecastEachInTheirColour)
{
    Tallies tallies;
    for (int i = 0; i < kDaySlots; ++i)
        tallies.dayYen.Slot(i) = 100 + i;
    for (int i = 0; i < kMonthSlots; ++i)
        tallies.monthYen.Slot(i) = 1000 + i;
    tallies.forecastYen = 5000;
    tallies.forecastCount = 6;
    ColorSet colors{};
    colors[static_cast<std::size_t>(ColorRole::DTotalClr)] = 1;
    colors[static_cast<std::size_t>(ColorRole::MTotalClr)] = 2;
    colors[static_cast<std::size_t>(ColorRole::MTInfoClr)] = 3;

    const TotalsPanel panel = LayOutTotals(tallies, colors);
    const std::array<std::tuple<const char*, const char*, int>, 3> expected{
        {{"今日の合計", "129 円 ", 142}, {"今月の合計", "1011 円 ", 165}, {"今月合計予測", "5000 円 ", 188}}};
    for (std::size_t i = 0; i < panel.rows.size(); ++i) {
        const auto [caption, amount, top] = expected[i];
        const TotalsRow& row = panel.rows[i];
        EXPECT_EQ(row.caption, QString::fromUtf8(caption));
        EXPECT_EQ(row.amount, QString::fromUtf8(amount));
        EXPECT_EQ(row.color, i + 1);
        EXPECT_EQ(row.captionBox, (PixelBox{5, top, 110, top + 22}));
        EXPECT_EQ(row.amountBox, (PixelBox{117, top, 244, top + 22}));
    }
}
} // namespace
