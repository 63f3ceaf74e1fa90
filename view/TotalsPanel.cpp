#include "view/TotalsPanel.h"

#include "document/FigureRows.h"
#include "document/FigureText.h"
#include "document/BillingCalendar.h"

TotalsPanel LayOutTotals(const Tallies& tallies, const ColorSet& colors)
{
    const auto color = [&colors](ColorRole role) { return colors[static_cast<std::size_t>(role)]; };
    struct Row {
        const char* caption;
        int top;
        Figure amount;
        ColorRef color;
    };
    const Row rows[] = {
        {kTodayTotalCaption, 142, tallies.dayYen.Slot(CBillingCalendar::kTodaySlot), color(ColorRole::DTotalClr)},
        {kMonthTotalCaption, 165, tallies.monthYen.Slot(CBillingCalendar::kCurrentMonthSlot), color(ColorRole::MTotalClr)},
        {kForecastCaption, 188, tallies.forecastYen, color(ColorRole::MTInfoClr)},
    };
    TotalsPanel panel;
    for (std::size_t i = 0; i < panel.rows.size(); ++i) {
        const Row& row = rows[i];
        panel.rows[i] = {QString::fromUtf8(row.caption), QString::fromStdString(YenText(row.amount) + ' '),
                         {5, row.top, 110, row.top + 22}, {117, row.top, 244, row.top + 22}, row.color};
    }
    return panel;
}
