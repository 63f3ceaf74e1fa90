#pragma once
// The view's picture: the graph of one period and unit over the totals panel, 249 by 211, drawn
// onto any context. The window's view paints it; a picture taken without a window (--render)
// draws it onto an image, with no widget and no widget library.

#include "settings/Settings.h"

struct GraphInput;
class CDC;
class CPeloraDoc;

// The graph's input for a period and unit: the document's figures, labels and the colours.
GraphInput GraphInputOf(const CPeloraDoc& doc, Period period, Unit unit, const ColorSet& colors);

class CViewPicture {
public:
    CViewPicture(const CPeloraDoc& doc, Period dayMode, Unit unitMode, const ColorSet& colors);

    // The paint routine and its parts: the background, one graph per mode, the totals.
    void OnDraw(CDC& dc);

private:
    void DrawPanelBackground(CDC& dc);
    void DrawDayYenGraph(CDC& paintDC);
    void DrawDayTimeGraph(CDC& paintDC);
    void DrawDayCountGraph(CDC& paintDC);
    void DrawMonthYenGraph(CDC& paintDC);
    void DrawMonthTimeGraph(CDC& paintDC);
    void DrawMonthCountGraph(CDC& paintDC);
    void DrawGraph(CDC& paintDC, Period period, Unit unit);
    void DrawTotals(CDC& dc);
    ColorRef Color(ColorRole role) const { return m_colors[static_cast<std::size_t>(role)]; }

    const CPeloraDoc& m_doc;
    Period m_dayMode;
    Unit m_unitMode;
    ColorSet m_colors;
};
