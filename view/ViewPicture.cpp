#include "view/ViewPicture.h"

#include "document/PeloraDoc.h"
#include "view/DrawHelpers.h"
#include "view/GraphGeometry.h"
#include "view/TotalsPanel.h"

namespace {
// What differs between the six graphs besides their figures: how values read and the caption.
struct GraphStyle {
    ValueText valueText;
    const char* caption;
    int captionY;
};
const GraphStyle& StyleOf(Period period, Unit unit)
{
    static const GraphStyle kMonth[] = {{ValueText::Decimal, "(Yen)", 2},
                                        {ValueText::HoursMinutes, "(H:M)", 2},
                                        {ValueText::Decimal, "(Access)", 2}};
    static const GraphStyle kDay[] = {{ValueText::Decimal, "(Yen)", 1},
                                      {ValueText::Minutes, "(Min)", 2},
                                      {ValueText::Decimal, "(Access)", 1}};
    return (IsDayPeriod(period) ? kDay : kMonth)[static_cast<int>(unit)];
}

// The series' slots, maximum and average into the graph's input.
template <int N> void TakeSeries(GraphInput& input, const TallySeries<N>& series)
{
    for (int i = 0; i < N; ++i)
        input.values[static_cast<std::size_t>(i)] = series.Slot(i);
    input.max = series.Max();
    input.average = series.Average();
}
} // namespace

CViewPicture::CViewPicture(const CPeloraDoc& doc, Period dayMode, Unit unitMode, const ColorSet& colors)
    : m_doc(doc), m_dayMode(dayMode), m_unitMode(unitMode), m_colors(colors)
{
}

GraphInput GraphInputOf(const CPeloraDoc& doc, Period period, Unit unit, const ColorSet& colors)
{
    const Tallies& t = doc.GetTallies();
    const GraphStyle& style = StyleOf(period, unit);
    GraphInput input;
    input.dayLayout = IsDayPeriod(period);
    if (input.dayLayout) {
        TakeSeries(input, unit == Unit::Yen ? t.dayYen : unit == Unit::Time ? t.daySeconds : t.dayCount);
    } else {
        TakeSeries(input, unit == Unit::Yen ? t.monthYen : unit == Unit::Time ? t.monthSeconds : t.monthCount);
        input.forecast = unit == Unit::Yen ? t.forecastYen : unit == Unit::Time ? t.forecastSeconds : t.forecastCount;
    }
    input.valueText = style.valueText;
    input.caption = style.caption;
    input.captionY = style.captionY;
    input.calendar = doc.GetCalendar();
    input.colors = colors;
    return input;
}

void CViewPicture::OnDraw(CDC& dc)
{
    DrawPanelBackground(dc);
    if (m_doc.IsLoadFailed())
        return;
    if (IsDayPeriod(m_dayMode)) {
        switch (m_unitMode) {
        case Unit::Yen: DrawDayYenGraph(dc); break;
        case Unit::Time: DrawDayTimeGraph(dc); break;
        case Unit::Count: DrawDayCountGraph(dc); break;
        default: break;
        }
    } else {
        switch (m_unitMode) {
        case Unit::Yen: DrawMonthYenGraph(dc); break;
        case Unit::Time: DrawMonthTimeGraph(dc); break;
        case Unit::Count: DrawMonthCountGraph(dc); break;
        default: break;
        }
    }
    DrawTotals(dc);
}

void CViewPicture::DrawPanelBackground(CDC& dc)
{
    for (const auto& [ground, color] : {std::pair{TotalsPanel::kGraphGround, RGB(255, 255, 255)},
                                        std::pair{TotalsPanel::kPanelGround, GetSysColor(COLOR_BTNFACE)}}) {
        CPen pen(dc, color);
        CBrush brush(dc, color);
        dc.Rectangle(ground.left, ground.top, ground.right, ground.bottom);
    }
    for (const PixelBox& box : TotalsPanel::kRaisedBoxes)
        Draw3DFrame(dc, box.left, box.top, box.right, box.bottom, false);
    for (const Groove& groove : TotalsPanel::kGrooves) {
        for (const auto& [y, color] : {std::pair{groove.y, COLOR_BTNSHADOW}, std::pair{groove.y + 1, COLOR_BTNHIGHLIGHT}}) {
            CPen pen(dc, GetSysColor(color));
            dc.MoveTo(groove.left, y);
            dc.LineTo(groove.right, y);
        }
    }
}

void CViewPicture::DrawTotals(CDC& dc)
{
    CFont font(dc, MakeFont(PGothicFaces(), 14, 600));
    dc.SetBkMode(TRANSPARENT);
    const TotalsPanel panel = LayOutTotals(m_doc.GetTallies(), m_colors);
    // Black, the colours' default, stands for the ground's own text colour: the same in a light
    // palette, readable in a dark one.
    const auto textColor = [](ColorRef color) { return color == RGB(0, 0, 0) ? GetSysColor(COLOR_BTNTEXT) : color; };
    for (const TotalsRow& row : panel.rows) {
        dc.SetTextColor(textColor(row.color));
        const PixelBox& b = row.captionBox;
        dc.DrawText(row.caption, BoxOf(b.left, b.top, b.right, b.bottom), DT_CENTER | DT_TOP);
    }
    for (const TotalsRow& row : panel.rows) {
        dc.SetTextColor(textColor(row.color));
        const PixelBox& b = row.amountBox;
        dc.DrawText(row.amount, BoxOf(b.left, b.top, b.right, b.bottom), DT_RIGHT | DT_TOP);
    }
}

void CViewPicture::DrawDayYenGraph(CDC& paintDC) { DrawGraph(paintDC, Period::Day, Unit::Yen); }
void CViewPicture::DrawDayTimeGraph(CDC& paintDC) { DrawGraph(paintDC, Period::Day, Unit::Time); }
void CViewPicture::DrawDayCountGraph(CDC& paintDC) { DrawGraph(paintDC, Period::Day, Unit::Count); }
void CViewPicture::DrawMonthYenGraph(CDC& paintDC) { DrawGraph(paintDC, Period::Month, Unit::Yen); }
void CViewPicture::DrawMonthTimeGraph(CDC& paintDC) { DrawGraph(paintDC, Period::Month, Unit::Time); }
void CViewPicture::DrawMonthCountGraph(CDC& paintDC) { DrawGraph(paintDC, Period::Month, Unit::Count); }


// A context of its own with the default attributes, whatever the paint routine set on its own.
void CViewPicture::DrawGraph(CDC& paintDC, Period period, Unit unit)
{
    const GraphGeometry g = LayOutGraph(GraphInputOf(m_doc, period, unit, m_colors));
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

