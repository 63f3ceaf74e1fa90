#pragma once
// What the detail dialogs draw, in drawing order, worked out from the document without drawing:
// sunken outer frames, raised cells, and texts in their cells. The dialogs paint by looping over it.

#include "platform/gui/DrawContext.h"
#include "document/TallySeries.h"
#include "platform/core/PixelBox.h"

#include <QString>
#include <vector>

class CPeloraDoc;

struct DetailItem {
    enum Kind { Frame, Text };
    Kind kind;
    PixelBox box;       // a frame's edge lines, or the text's box (right and bottom exclusive)
    bool sunken = false; // frames
    QString text;       // texts
    unsigned format = 0;
};

// The 12 billing months with their total and monthly average; empty in the failed state.
std::vector<DetailItem> MonthDetailItems(const CPeloraDoc& doc);
// The 30 days in two groups of 15 with their total and daily average; empty in the failed state.
std::vector<DetailItem> DayDetailItems(const CPeloraDoc& doc);

// The cell texts: the figure texts with a trailing space, and a bare count with one.
QString CountCell(Figure count);
QString CallsCell(Figure count);
QString TimeCell(Figure seconds);
QString YenCell(Figure yen);
