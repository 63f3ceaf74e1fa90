#pragma once
// Where everything of one bar graph goes, worked out without drawing: the axes, the average line,
// the bars with their colours, and the texts with their places. The view's six graph members fill
// in a GraphInput from the document, lay it out here and only loop over the result to paint.
// The slots' labels come from the input's calendar.

#include "document/BillingCalendar.h"
#include "document/TallySeries.h"
#include "platform/core/PixelBox.h"
#include "settings/Settings.h"

#include <QString>
#include <array>
#include <optional>
#include <vector>

enum class ValueText { Decimal, Minutes, HoursMinutes };

struct GraphInput {
    bool dayLayout = true;                 // 30 day slots, else 12 billing months
    std::array<Figure, kDaySlots> values{}; // the first 12 in the month layout
    Figure max = 0;
    Figure average = 0;
    std::optional<Figure> forecast;        // month graphs only
    ValueText valueText = ValueText::Decimal;
    const char* caption = "";
    int captionY = 2;
    CBillingCalendar calendar;             // the slots' labels and the current billing month
    ColorSet colors{};
};

struct GraphBar {
    PixelBox box;
    ColorRef outline;
    ColorRef fill;
};

struct GraphText {
    QString text;
    int x, y; // top-left corner
};

struct GraphGeometry {
    static constexpr int kBase = 115;
    static constexpr int kScaleTop = 15;
    static constexpr int kRight = 245;
    static constexpr std::array<int, 3> kGridY{65, 40, 90};
    static constexpr std::array<int, 4> kScaleBoxTops{12, 37, 62, 87};
    static constexpr int kPeriodLabelY = 119;

    int axisX = 0;        // the vertical axis
    int labelRight = 0;   // right edge of the scale-label and average-value boxes
    int averageY = kBase;
    std::vector<GraphBar> bars; // in drawing order: a forecast bar comes before its month's bar
    std::vector<PixelBox> slotColumns; // each slot's column of the graph, oldest first
    std::vector<GraphText> periodLabels;
    std::array<QString, 4> scaleTexts;
    GraphText caption;
    QString averageText;
    PixelBox averageBox{};
};

// The height of value v on a scale whose maximum is max: v ÷ (max × 0.01), truncated; 0 for a
// maximum of 0. Clamped to 0..limit, so a hostile figure can neither wrap nor reach the panel.
int BarHeight(Figure value, Figure max, int limit);
QString FormatValue(Figure value, ValueText kind);
GraphGeometry LayOutGraph(const GraphInput& input);
