#pragma once
// What the detail dialogs draw, in drawing order, worked out from the figure table without
// drawing: sunken outer frames, raised cells, and texts in their cells. The dialogs paint by
// looping over it.

#include "platform/gui/DrawContext.h"
#include "document/FigureRows.h"
#include "platform/core/PixelBox.h"

#include <QString>
#include <vector>

struct DetailItem {
    enum Kind { Frame, Text };
    Kind kind;
    PixelBox box;       // a frame's edge lines, or the text's box (right and bottom exclusive)
    bool sunken = false; // frames
    QString text;       // texts
    unsigned format = 0;
};

// The 12 billing months with their total and monthly average; nothing for an empty table.
std::vector<DetailItem> MonthDetailItems(const FigureTable& table);
// The 30 days in two groups of 15 with their total and daily average; nothing for an empty table.
std::vector<DetailItem> DayDetailItems(const FigureTable& table);

// The cell texts: the figure texts with a trailing space, and a bare count with one.
QString CountCell(Figure count);
QString CallsCell(Figure count);
QString TimeCell(Figure seconds);
QString YenCell(Figure yen);
