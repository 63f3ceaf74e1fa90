#include "document/FigureRows.h"

#include "document/PeloraDoc.h"

namespace {
// What tells the two windows apart besides their figures.
struct Window {
    const char* title;
    const char* totalCaption;
    const char* averageCaption;
};
constexpr Window kDayWindow{"過去30日", "過去30日の合計", "一日当たりの平均"};
constexpr Window kMonthWindow{"過去12ヵ月", "過去12ヵ月の合計", "一月当たりの平均"};
constexpr const char* kMaximumCaption = "最大";

// The calendar's part of a row: a slot's label and dates.
FigureRow SlotRow(const CBillingCalendar& calendar, bool days, int i)
{
    if (days)
        return {calendar.DayLabel(i), {calendar.DayDate(i), calendar.DayDate(i)}, 0, 0, 0};
    return {calendar.MonthLabel(i), calendar.MonthDates(i), 0, 0, 0};
}
} // namespace

FigureTable FigureTableOf(const CPeloraDoc& doc, bool days)
{
    const Window& window = days ? kDayWindow : kMonthWindow;
    FigureTable table;
    table.days = days;
    table.title = window.title;
    if (doc.IsLoadFailed())
        return table;
    for (int i = 0; i < (days ? kDaySlots : kMonthSlots); ++i) {
        FigureRow row = SlotRow(doc.GetCalendar(), days, i);
        row.calls = days ? doc.GetDayCount(i) : doc.GetMonthCount(i);
        row.seconds = days ? doc.GetDaySeconds(i) : doc.GetMonthSeconds(i);
        row.yen = days ? doc.GetDayYen(i) : doc.GetMonthYen(i);
        table.rows.push_back(row);
    }
    if (days) {
        table.maximum = {kMaximumCaption, {}, doc.GetDayCountMax(), doc.GetDaySecondsMax(), doc.GetDayYenMax()};
        table.total = {window.totalCaption, {}, doc.GetDayCountTotal(), doc.GetDaySecondsTotal(), doc.GetDayYenTotal()};
        table.average = {window.averageCaption, {}, doc.GetDayCountAverage(), doc.GetDaySecondsAverage(), doc.GetDayYenAverage()};
    } else {
        table.maximum = {kMaximumCaption, {}, doc.GetMonthCountMax(), doc.GetMonthSecondsMax(), doc.GetMonthYenMax()};
        table.total = {window.totalCaption, {}, doc.GetMonthCountTotal(), doc.GetMonthSecondsTotal(), doc.GetMonthYenTotal()};
        table.average = {window.averageCaption, {}, doc.GetMonthCountAverage(), doc.GetMonthSecondsAverage(),
                         doc.GetMonthYenAverage()};
    }
    return table;
}

FigureRow ForecastRow(const CPeloraDoc& doc)
{
    return {kForecastCaption, {}, doc.GetForecastCount(), doc.GetForecastSeconds(), doc.GetForecastYen()};
}
