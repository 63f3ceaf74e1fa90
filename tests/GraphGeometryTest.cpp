#include "TestSupport.h"
#include "view/GraphGeometry.h"

#include <gtest/gtest.h>

namespace {
// Each role's colour is its index + 1, so every bar tells which role painted it.
constexpr ColorRef Role(ColorRole role) { return static_cast<ColorRef>(role) + 1; }
constexpr ColorRef kEarlier = Role(ColorRole::GraphClr), kCurrent = Role(ColorRole::GraphClr2),
                   kToday = Role(ColorRole::DTotalClrGraph), kMonth = Role(ColorRole::MTotalClrGraph),
                   kForecast = Role(ColorRole::MTInfoClrGraph);

// A graph on a date with its labels and colours; every value 0 until a test sets it.
struct Graph {
    GraphInput input;

    Graph(bool dayLayout, const CivilDate& today, int closingDay)
    {
        input.dayLayout = dayLayout;
        input.calendar = CBillingCalendar(today, closingDay);
        for (std::size_t i = 0; i < input.colors.size(); ++i)
            input.colors[i] = static_cast<ColorRef>(i) + 1;
        if (!dayLayout)
            input.forecast = 0;
    }
    std::vector<ColorRef> BarColors() const
    {
        std::vector<ColorRef> colors;
        for (const GraphBar& bar : LayOutGraph(input).bars)
            colors.push_back(bar.fill);
        return colors;
    }
};

struct HeightCase {
    const char* name;
    Figure value, max;
    int height;
};

TEST(BarHeightTest, TruncatesOnTheHundredthScale)
{
    const HeightCase cases[] = {
        {"MaxSeven", 7, 7, 99}, {"MaxFourteen", 14, 14, 99},
        {"MaxHundred", 100, 100, 100}, {"Half", 50, 100, 50},
        {"MaxZero", 0, 0, 0}, {"Negative", -40, 100, 0},
        {"FarAboveTheScaleStopsAtTheLimit", 1'000'000'000'000, 1, 115},
        {"SixtyFourBit", 4'000'000'000'000, 8'000'000'000'000, 50}};
    for (const HeightCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(BarHeight(c.value, c.max, 115), c.height);
    }
}

TEST(GraphGeometryTest, DayBarsAcrossAClosingDate)
{
    // Closing day 20 on 20 March 1997: the window starts on 19 February.
    Graph graph(true, {1997, 3, 20}, 20);
    std::vector<ColorRef> expected(30, kCurrent);
    expected[0] = expected[1] = kEarlier; // 19 and 20 February
    expected[29] = kToday;
    EXPECT_EQ(graph.BarColors(), expected);

    Graph next(true, {1997, 3, 21}, 20);
    std::vector<ColorRef> allEarlier(30, kEarlier);
    allEarlier[29] = kToday;
    EXPECT_EQ(next.BarColors(), allEarlier);

    Graph endOfMonth(true, {1997, 3, 5}, 31); // D is 28 February: 1 to 4 March are current
    const std::vector<ColorRef> colors = endOfMonth.BarColors();
    EXPECT_EQ(colors[24], kEarlier);
    EXPECT_EQ(colors[25], kCurrent);
}

TEST(GraphGeometryTest, MonthBarsAcrossAYearChangeWithTheForecastFirst)
{
    Graph graph(false, {1997, 3, 15}, 20); // slots 96/04 .. 97/03
    std::vector<ColorRef> expected(9, kEarlier);
    expected.insert(expected.end(), {kCurrent, kCurrent, kForecast, kMonth});
    EXPECT_EQ(graph.BarColors(), expected);

    Graph december(false, {1997, 12, 25}, 20); // slot 11 is 98/01
    std::vector<ColorRef> allEarlier(11, kEarlier);
    allEarlier.insert(allEarlier.end(), {kForecast, kMonth});
    EXPECT_EQ(december.BarColors(), allEarlier);
}

TEST(GraphGeometryTest, ForecastBarOutlinedWhenWhiteAndAllowedAboveTheScale)
{
    Graph graph(false, {1997, 3, 15}, 20);
    graph.input.colors[static_cast<std::size_t>(ColorRole::MTInfoClrGraph)] = 0xFFFFFF;
    graph.input.values[11] = 50;
    graph.input.max = 100;
    graph.input.forecast = 300;
    const GraphGeometry g = LayOutGraph(graph.input);
    ASSERT_EQ(g.bars.size(), 13u);
    const GraphBar& forecast = g.bars[11];
    EXPECT_EQ(forecast.outline, kMonth);
    EXPECT_EQ(forecast.fill, 0xFFFFFFu);
    EXPECT_EQ(forecast.box, (PixelBox{52 + 16 * 11, -1, 52 + 16 * 11 + 11, 115})); // past the top edge
    EXPECT_EQ(g.bars[12].box, (PixelBox{228, 65, 239, 115}));
}

TEST(GraphGeometryTest, ScaleAndAverageTexts)
{
    Graph month(false, {1997, 3, 15}, 20);
    month.input.valueText = ValueText::HoursMinutes;
    month.input.max = 3661;
    const GraphGeometry g = LayOutGraph(month.input);
    EXPECT_EQ(g.scaleTexts, (std::array<QString, 4>{"1:01", "0:45", "0:30", "0:15"}));
    EXPECT_EQ(g.labelRight, 41);
    // A refund month reads with its sign, as in the tables.
    EXPECT_EQ(FormatValue(-480, ValueText::HoursMinutes), "-0:08");
    EXPECT_EQ(FormatValue(-1, ValueText::HoursMinutes), "-0:00");
    EXPECT_EQ(FormatValue(std::numeric_limits<Figure>::min(), ValueText::HoursMinutes), "-2562047788015215:30");

    Graph day(true, {1997, 3, 15}, 20);
    day.input.valueText = ValueText::Minutes;
    day.input.max = 10800;
    day.input.average = 5400;
    const GraphGeometry d = LayOutGraph(day.input);
    EXPECT_EQ(d.averageText, "90");
    EXPECT_EQ(d.averageY, 65);
    EXPECT_EQ(d.averageBox, (PixelBox{1, 55, 26, 75}));

    day.input.valueText = ValueText::Decimal;
    day.input.max = 3;
    EXPECT_EQ(LayOutGraph(day.input).scaleTexts, (std::array<QString, 4>{"3", "1", "1", "0"}));
}

TEST(GraphGeometryTest, PeriodLabelsDropTheLeadingZeroThreePixelsRight)
{
    Graph month(false, {1997, 3, 15}, 20); // 96/04 .. 97/03
    const GraphGeometry m = LayOutGraph(month.input);
    ASSERT_EQ(m.periodLabels.size(), 12u);
    EXPECT_EQ(m.periodLabels[0].text, "4");
    EXPECT_EQ(m.periodLabels[0].x, 54);
    EXPECT_EQ(m.periodLabels[6].text, "10");
    EXPECT_EQ(m.periodLabels[6].x, 51 + 16 * 6);
    EXPECT_EQ(m.periodLabels[6].y, 119);

    Graph day(true, {1997, 3, 20}, 20); // 19 February .. 20 March
    const GraphGeometry d = LayOutGraph(day.input);
    std::vector<std::pair<QString, int>> labels;
    for (const GraphText& t : d.periodLabels)
        labels.emplace_back(t.text, t.x);
    EXPECT_EQ(labels, (std::vector<std::pair<QString, int>>{
                          {"19", 30}, {"24", 65}, {"1", 103}, {"6", 138}, {"11", 170}, {"16", 205}, {"20", 233}}));
}
} // namespace
