// The six bar graphs of the view. Each reads its series from the document, lays the graph out
// (GraphGeometry) and paints the result on a drawing context of its own.

#include "document/PeloraDoc.h"
#include "platform/core/Clock.h"
#include "view/DrawHelpers.h"
#include "view/GraphGeometry.h"
#include "view/PeloraView.h"

GraphInput CPeloraView::GraphInputOf(bool dayLayout, Figure (CPeloraDoc::*slot)(int) const, Figure max,
                                     Figure average) const
{
    GraphInput input;
    input.dayLayout = dayLayout;
    const int slotCount = dayLayout ? kDaySlots : kMonthSlots;
    for (int i = 0; i < slotCount; ++i) {
        input.values[static_cast<std::size_t>(i)] = (m_doc.*slot)(i);
        input.labels[static_cast<std::size_t>(i)] = dayLayout ? m_doc.GetDayLabel(i) : m_doc.GetMonthLabel(i);
    }
    input.max = max;
    input.average = average;
    input.today = LocalDate(m_clock.Now());
    input.closingDay = m_doc.GetClosingDay();
    input.colors = m_colors;
    return input;
}

void CPeloraView::DrawDayYenGraph(CDC& paintDC)
{
    GraphInput input = GraphInputOf(true, &CPeloraDoc::GetDayYen, m_doc.GetDayYenMax(), m_doc.GetDayYenAverage());
    input.caption = "(Yen)";
    input.captionY = 1;
    DrawGraph(paintDC, LayOutGraph(input));
}

void CPeloraView::DrawDayTimeGraph(CDC& paintDC)
{
    GraphInput input = GraphInputOf(true, &CPeloraDoc::GetDaySeconds, m_doc.GetDaySecondsMax(),
                                    m_doc.GetDaySecondsAverage());
    input.valueText = ValueText::Minutes;
    input.caption = "(Min)";
    DrawGraph(paintDC, LayOutGraph(input));
}

void CPeloraView::DrawDayCountGraph(CDC& paintDC)
{
    GraphInput input = GraphInputOf(true, &CPeloraDoc::GetDayCount, m_doc.GetDayCountMax(),
                                    m_doc.GetDayCountAverage());
    input.caption = "(Access)";
    input.captionY = 1;
    DrawGraph(paintDC, LayOutGraph(input));
}

void CPeloraView::DrawMonthYenGraph(CDC& paintDC)
{
    GraphInput input = GraphInputOf(false, &CPeloraDoc::GetMonthYen, m_doc.GetMonthYenMax(),
                                    m_doc.GetMonthYenAverage());
    input.forecast = m_doc.GetForecastYen();
    input.caption = "(Yen)";
    DrawGraph(paintDC, LayOutGraph(input));
}

void CPeloraView::DrawMonthTimeGraph(CDC& paintDC)
{
    GraphInput input = GraphInputOf(false, &CPeloraDoc::GetMonthSeconds, m_doc.GetMonthSecondsMax(),
                                    m_doc.GetMonthSecondsAverage());
    input.forecast = m_doc.GetForecastSeconds();
    input.valueText = ValueText::HoursMinutes;
    input.caption = "(H:M)";
    DrawGraph(paintDC, LayOutGraph(input));
}

void CPeloraView::DrawMonthCountGraph(CDC& paintDC)
{
    GraphInput input = GraphInputOf(false, &CPeloraDoc::GetMonthCount, m_doc.GetMonthCountMax(),
                                    m_doc.GetMonthCountAverage());
    input.forecast = m_doc.GetForecastCount();
    input.caption = "(Access)";
    DrawGraph(paintDC, LayOutGraph(input));
}

// A context of its own with the default attributes, whatever the paint routine set on its own.
void CPeloraView::DrawGraph(CDC& paintDC, const GraphGeometry& g)
{
    CDC dc(paintDC.Painter());
    const int a = g.axisX;
    dc.MoveTo(a, GraphGeometry::kScaleTop);
    dc.LineTo(a, GraphGeometry::kBase);
    dc.LineTo(GraphGeometry::kRight, GraphGeometry::kBase);
    {
        CPen grid(dc, RGB(128, 128, 128));
        for (const int y : GraphGeometry::kGridY) {
            dc.MoveTo(a + 1, y);
            dc.LineTo(GraphGeometry::kRight, y);
        }
    }
    {
        CPen average(dc, Color(ColorRole::AveClr));
        dc.MoveTo(a + 1, g.averageY);
        dc.LineTo(GraphGeometry::kRight, g.averageY);
    }
    for (const GraphBar& bar : g.bars) {
        CPen pen(dc, bar.outline);
        CBrush brush(dc, bar.fill);
        dc.Rectangle(bar.box.left, bar.box.top, bar.box.right, bar.box.bottom);
    }
    CFont font(dc, MakeFont(PGothicFaces(), 8, 500));
    for (const GraphText& label : g.periodLabels)
        dc.TextOut(label.x, label.y, label.text);
    for (std::size_t i = 0; i < g.scaleTexts.size(); ++i) {
        const int top = GraphGeometry::kScaleBoxTops[i];
        dc.DrawText(g.scaleTexts[i], BoxOf(1, top, g.labelRight, top + 10), DT_RIGHT);
    }
    dc.TextOut(g.caption.x, g.caption.y, g.caption.text);
    dc.SetTextColor(Color(ColorRole::AveClr));
    const PixelBox& box = g.averageBox;
    dc.DrawText(g.averageText, BoxOf(box.left, box.top, box.right, box.bottom), DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
}
