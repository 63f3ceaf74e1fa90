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

template <int N>
FigureTable TableOf(const Window& window, const TallySeries<N>& calls, const TallySeries<N>& seconds,
                    const TallySeries<N>& yen, const auto& labelOf, const auto& datesOf)
{
    FigureTable table;
    table.days = N == kDaySlots;
    table.title = window.title;
    for (int i = 0; i < N; ++i)
        table.rows.push_back({labelOf(i), datesOf(i), calls.Slot(i), seconds.Slot(i), yen.Slot(i)});
    table.maximum = {kMaximumCaption, {}, calls.Max(), seconds.Max(), yen.Max()};
    table.total = {window.totalCaption, {}, calls.Total(), seconds.Total(), yen.Total()};
    table.average = {window.averageCaption, {}, calls.Average(), seconds.Average(), yen.Average()};
    return table;
}
} // namespace

FigureTable FigureTableOf(const CPeloraDoc& doc, bool days)
{
    if (doc.IsLoadFailed()) {
        FigureTable empty;
        empty.days = days;
        empty.title = (days ? kDayWindow : kMonthWindow).title;
        return empty;
    }
    const Tallies& t = doc.GetTallies();
    const CBillingCalendar& calendar = doc.GetCalendar();
    if (days)
        return TableOf(kDayWindow, t.dayCount, t.daySeconds, t.dayYen, [&](int i) { return std::string(calendar.DayLabel(i)); },
                       [&](int i) { return DateSpan{calendar.DayDate(i), calendar.DayDate(i)}; });
    return TableOf(kMonthWindow, t.monthCount, t.monthSeconds, t.monthYen,
                   [&](int i) { return std::string(calendar.MonthLabel(i)); }, [&](int i) { return calendar.MonthDates(i); });
}

FigureRow ForecastRow(const CPeloraDoc& doc)
{
    const Tallies& t = doc.GetTallies();
    return {kForecastCaption, {}, t.forecastCount, t.forecastSeconds, t.forecastYen};
}
