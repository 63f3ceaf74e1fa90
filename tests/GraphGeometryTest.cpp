#include "TestSupport.h"
#include "view/GraphGeometry.h"

#include <gtest/gtest.h>
#include <sstream>

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

// (20 March 1997, closing day 20, and 15 March 1997 are in the golden dumps.)
TEST(GraphGeometryTest, BarColoursAcrossClosingDatesAndAYearChange)
{
    Graph next(true, {1997, 3, 21}, 20);
    std::vector<ColorRef> allEarlier(30, kEarlier);
    allEarlier[29] = kToday;
    EXPECT_EQ(next.BarColors(), allEarlier);

    Graph endOfMonth(true, {1997, 3, 5}, 31); // D is 28 February: 1 to 4 March are current
    const std::vector<ColorRef> colors = endOfMonth.BarColors();
    EXPECT_EQ(colors[24], kEarlier);
    EXPECT_EQ(colors[25], kCurrent);

    Graph december(false, {1997, 12, 25}, 20); // slot 11 is 98/01
    std::vector<ColorRef> monthsEarlier(11, kEarlier);
    monthsEarlier.insert(monthsEarlier.end(), {kForecast, kMonth});
    EXPECT_EQ(december.BarColors(), monthsEarlier);
}

// A refund reads with its sign, as in the tables; the most negative total still has a magnitude.
TEST(GraphGeometryTest, NegativeHoursAndMinutesKeepTheirSign)
{
    EXPECT_EQ(FormatValue(-480, ValueText::HoursMinutes), "-0:08");
    EXPECT_EQ(FormatValue(-1, ValueText::HoursMinutes), "-0:00");
    EXPECT_EQ(FormatValue(std::numeric_limits<Figure>::min(), ValueText::HoursMinutes), "-2562047788015215:30");
}

// Everything of a graph, one thing a line.
std::string Dump(const GraphGeometry& g)
{
    std::ostringstream dump;
    dump << "axis " << g.axisX << " right " << g.labelRight << " average " << g.averageY << '\n';
    for (const GraphBar& bar : g.bars)
        dump << "bar " << bar.box.left << ' ' << bar.box.top << ' ' << bar.box.right << ' ' << bar.box.bottom
             << std::hex << " outline " << bar.outline << " fill " << bar.fill << std::dec << '\n';
    for (const GraphText& label : g.periodLabels)
        dump << "label \"" << label.text.toStdString() << "\" " << label.x << ' ' << label.y << '\n';
    for (const QString& text : g.scaleTexts)
        dump << "scale \"" << text.toStdString() << "\"\n";
    const PixelBox& box = g.averageBox;
    dump << "caption \"" << g.caption.text.toStdString() << "\" " << g.caption.x << ' ' << g.caption.y << '\n'
         << "average \"" << g.averageText.toStdString() << "\" " << box.left << ' ' << box.top << ' ' << box.right << ' '
         << box.bottom << '\n';
    return dump.str();
}

struct GoldenCase {
    const char* name;
    bool dayLayout;
    CivilDate today;
    ValueText valueText;
    Figure last, max, average, forecast;
    ColorRef forecastColor;
};

// Whole graphs against the dumps in tests/golden: a white forecast bar outlined in the month's
// colour and allowed past the top edge, scales in hours and minutes, the day graph's minutes, its
// average line and box, and the period labels without their leading zeros, three pixels right.
TEST(GraphGeometryTest, GraphsAreLaidOutAsTheirGoldenDumps)
{
    const GoldenCase cases[] = {
        {"month_graph_white_forecast", false, {1997, 3, 15}, ValueText::Decimal, 50, 100, 30, 300, 0xFFFFFF},
        {"month_graph_hours", false, {1997, 3, 15}, ValueText::HoursMinutes, 3661, 3661, 0, 0, 0},
        {"day_graph_minutes", true, {1997, 3, 20}, ValueText::Minutes, 10800, 10800, 5400, 0, 0}};
    for (const GoldenCase& c : cases) {
        Graph graph(c.dayLayout, c.today, 20);
        graph.input.valueText = c.valueText;
        graph.input.values[c.dayLayout ? 29 : 11] = c.last;
        graph.input.max = c.max;
        graph.input.average = c.average;
        if (!c.dayLayout) {
            graph.input.forecast = c.forecast;
            graph.input.colors[static_cast<std::size_t>(ColorRole::MTInfoClrGraph)] = c.forecastColor;
        }
        ExpectGolden(c.name + std::string(".txt"), Dump(LayOutGraph(graph.input)));
    }
}
} // namespace
