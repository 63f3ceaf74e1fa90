#pragma once
// The panel under the graph, worked out without drawing: the white graph ground, the button-face
// panel with two raised boxes, each cut into three rows by grooves, and in each row a caption on
// the left and its amount in yen on the right, in the row's colour. The paint loops over it.

#include "document/TallySeries.h"
#include "platform/core/PixelBox.h"
#include "settings/Settings.h"

#include <QString>
#include <array>

struct TotalsRow {
    QString caption;
    QString amount;
    PixelBox captionBox; // right and bottom exclusive
    PixelBox amountBox;
    ColorRef color;
};

// A groove: a dark line from left to right (exclusive) at y, a light one under it.
struct Groove {
    int left, right, y;
};

struct TotalsPanel {
    static constexpr PixelBox kGraphGround{0, 0, 400, 400};
    static constexpr PixelBox kPanelGround{0, 131, 400, 250};
    static constexpr std::array<PixelBox, 2> kRaisedBoxes{{{5, 137, 110, 206}, {117, 137, 244, 206}}};
    static constexpr std::array<Groove, 4> kGrooves{{{10, 105, 159}, {10, 105, 182}, {122, 239, 159}, {122, 239, 182}}};

    // Today, this billing month, and the forecast for this billing month.
    std::array<TotalsRow, 3> rows;
};

TotalsPanel LayOutTotals(const Tallies& tallies, const ColorSet& colors);
