#pragma once
// What the detail dialogs draw, in drawing order, worked out from the document without drawing:
// sunken outer frames, raised cells, and texts in their cells. The dialogs paint by looping over it.

#include "platform/gui/DrawContext.h"
#include "view/GraphGeometry.h"

#include <QString>
#include <vector>

class CPeloraDoc;

struct DetailItem {
    enum Kind { Frame, Text };
    Kind kind;
    PixelBox box;       // a frame's edge lines, or the text's box (right and bottom exclusive)
    int sunken = 0;     // frames
    QString text;       // texts
    unsigned format = 0;
};

// The 12 billing months with their total and monthly average; empty in the failed state.
std::vector<DetailItem> MonthDetailItems(const CPeloraDoc& doc);
// The 30 days in two groups of 15 with their total and daily average; empty in the failed state.
std::vector<DetailItem> DayDetailItems(const CPeloraDoc& doc);

// The cell texts: "%d ", "%d 回 ", "%d:%02d:%02d " and "%d 円 ". A negative time (a refund line
// can make one) keeps its sign in front rather than showing "0:00:-540".
QString CountText(Figure count);
QString CallsText(Figure count);
QString TimeText(Figure seconds);
QString YenText(Figure yen);
