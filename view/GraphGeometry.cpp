#include "view/GraphGeometry.h"

#include "document/FigureText.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace {
constexpr int kForecastLimit = GraphGeometry::kBase + 1; // may run past the top edge, no further

ColorRef ColorOf(const GraphInput& input, ColorRole role)
{
    return input.colors[static_cast<std::size_t>(role)];
}

GraphBar Bar(int left, int width, int height, ColorRef outline, ColorRef fill)
{
    return {{left, GraphGeometry::kBase - height, left + width, GraphGeometry::kBase}, outline, fill};
}

void LayOutDayBars(const GraphInput& input, GraphGeometry& g)
{
    const CBillingCalendar& calendar = input.calendar;
    for (int i = 0; i < kDaySlots; ++i) {
        const bool current = calendar.InCurrentMonth(calendar.DayDate(i));
        ColorRef color = ColorOf(input, current ? ColorRole::GraphClr2 : ColorRole::GraphClr);
        if (i == CBillingCalendar::kTodaySlot)
            color = ColorOf(input, ColorRole::DTotalClrGraph);
        const int height = BarHeight(input.values[static_cast<std::size_t>(i)], input.max, GraphGeometry::kBase);
        g.bars.push_back(Bar(34 + 7 * i, 5, height, color, color));
        g.slotColumns.push_back({34 + 7 * i, GraphGeometry::kScaleTop, 39 + 7 * i, GraphGeometry::kBase});
        if (i % 5 == 0 || i == CBillingCalendar::kTodaySlot) {
            const char* day = calendar.DayLabel(i) + 6;
            const bool zero = day[0] == '0';
            g.periodLabels.push_back({QString::fromLatin1(zero ? day + 1 : day), (zero ? 33 : 30) + 7 * i,
                                      GraphGeometry::kPeriodLabelY});
        }
    }
}

void LayOutMonthBars(const GraphInput& input, GraphGeometry& g)
{
    const char* current = input.calendar.MonthLabel(CBillingCalendar::kCurrentMonthSlot);
    // Labels ascend, so once a slot of the current year is reached the colour stays.
    ColorRef color = ColorOf(input, ColorRole::GraphClr);
    for (int i = 0; i < kMonthSlots; ++i) {
        const char* label = input.calendar.MonthLabel(i);
        if (std::strncmp(label, current, 2) == 0)
            color = ColorOf(input, ColorRole::GraphClr2);
        const int left = 52 + 16 * i;
        g.slotColumns.push_back({left, GraphGeometry::kScaleTop, left + 11, GraphGeometry::kBase});
        const int height = BarHeight(input.values[static_cast<std::size_t>(i)], input.max, GraphGeometry::kBase);
        if (i == CBillingCalendar::kCurrentMonthSlot) {
            const ColorRef info = ColorOf(input, ColorRole::MTInfoClrGraph);
            const ColorRef total = ColorOf(input, ColorRole::MTotalClrGraph);
            // A white forecast bar would vanish on the white ground: outline it in the month's colour.
            const bool white = info == 0xFFFFFF;
            g.bars.push_back(Bar(left, 11, BarHeight(input.forecast.value_or(0), input.max, kForecastLimit),
                                 white ? total : info, info));
            g.bars.push_back(Bar(left, 11, height, total, total));
        } else {
            g.bars.push_back(Bar(left, 11, height, color, color));
        }
        const char* month = label + 3;
        const bool zero = month[0] == '0';
        g.periodLabels.push_back({QString::fromLatin1(zero ? month + 1 : month), (zero ? 54 : 51) + 16 * i,
                                  GraphGeometry::kPeriodLabelY});
    }
}
} // namespace

int BarHeight(Figure value, Figure max, int limit)
{
    if (max == 0)
        return 0;
    const double scale = static_cast<double>(max) * 0.01;
    const double height = std::trunc(static_cast<double>(value) / scale);
    if (!(height > 0))
        return 0;
    return height >= limit ? limit : static_cast<int>(height);
}

QString FormatValue(Figure value, ValueText kind)
{
    switch (kind) {
    case ValueText::Decimal:
        return QString::number(value);
    case ValueText::Minutes:
        return QString::number(value / 60);
    case ValueText::HoursMinutes: {
        // Split on the magnitude, so a negative total (refund lines) reads "-0:08" as the tables do.
        // The most negative total is taken one second short: the minutes shown are the same.
        const bool negative = value < 0;
        Figure hours = 0, minutes = 0;
        Figure seconds = !negative ? value : value == std::numeric_limits<Figure>::min() ? std::numeric_limits<Figure>::max() : -value;
        SplitSeconds(hours, minutes, seconds);
        return QString::asprintf("%s%lld:%02lld", negative ? "-" : "", static_cast<long long>(hours),
                                 static_cast<long long>(minutes));
    }
    }
    return {};
}

GraphGeometry LayOutGraph(const GraphInput& input)
{
    GraphGeometry g;
    g.axisX = input.dayLayout ? 30 : 45;
    g.labelRight = input.dayLayout ? 26 : 41;
    const int averageHeight = BarHeight(input.average, input.max, GraphGeometry::kBase);
    g.averageY = GraphGeometry::kBase - averageHeight;
    if (input.dayLayout)
        LayOutDayBars(input, g);
    else
        LayOutMonthBars(input, g);
    const Figure m = input.max;
    const Figure scale[4] = {m, m / 2 + m / 4, m / 2, m / 4};
    for (std::size_t i = 0; i < g.scaleTexts.size(); ++i)
        g.scaleTexts[i] = FormatValue(scale[i], input.valueText);
    g.caption = {QString::fromLatin1(input.caption), 3, input.captionY};
    g.averageText = FormatValue(input.average, input.valueText);
    g.averageBox = {1, 105 - averageHeight, g.labelRight, 125 - averageHeight};
    return g;
}
