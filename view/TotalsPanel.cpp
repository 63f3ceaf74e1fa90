// The view's paint routine: the white graph area, the button-face panel with its two raised boxes,
// the graph of the current mode and the three totals in yen.

#include "document/PeloraDoc.h"
#include "view/DrawHelpers.h"
#include "view/PeloraView.h"

#include <QPainter>

void CPeloraView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    CDC dc(painter);
    OnDraw(dc);
}

void CPeloraView::OnDraw(CDC& dc)
{
    // The frame keeps the view at 249 by 211 through its layout, so nothing is resized from here.
    DrawPanelBackground(dc);
    if (m_doc.IsLoadFailed())
        return;
    if (m_dayMode != 0) {
        switch (m_unitMode) {
        case 0: DrawDayYenGraph(dc); break;
        case 1: DrawDayTimeGraph(dc); break;
        case 2: DrawDayCountGraph(dc); break;
        default: break;
        }
    } else {
        switch (m_unitMode) {
        case 0: DrawMonthYenGraph(dc); break;
        case 1: DrawMonthTimeGraph(dc); break;
        case 2: DrawMonthCountGraph(dc); break;
        default: break;
        }
    }
    DrawTotals(dc);
}

void CPeloraView::DrawPanelBackground(CDC& dc)
{
    {
        CPen pen(dc, RGB(255, 255, 255));
        CBrush brush(dc, RGB(255, 255, 255));
        dc.Rectangle(0, 0, 400, 400);
    }
    {
        const COLORREF face = GetSysColor(COLOR_BTNFACE);
        CPen pen(dc, face);
        CBrush brush(dc, face);
        dc.Rectangle(0, 131, 400, 250);
    }
    // Two raised boxes, each cut into three rows by two grooves (a dark line over a light one).
    Draw3DFrame(dc, 5, 137, 110, 206, 0);
    Draw3DFrame(dc, 117, 137, 244, 206, 0);
    for (const auto& [left, right] : {std::pair{10, 105}, std::pair{122, 239}}) {
        for (const int y : {159, 182}) {
            {
                CPen shadow(dc, GetSysColor(COLOR_BTNSHADOW));
                dc.MoveTo(left, y);
                dc.LineTo(right, y);
            }
            CPen light(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
            dc.MoveTo(left, y + 1);
            dc.LineTo(right, y + 1);
        }
    }
}

void CPeloraView::DrawTotals(CDC& dc)
{
    CFont font(dc, MakeFont(PGothicFaces(), 14, 600));
    dc.SetBkMode(TRANSPARENT);
    struct Row {
        const char* caption;
        int top;
        Figure amount;
        ColorRef color;
    };
    const Row rows[] = {
        {"今日の合計", 142, m_doc.GetDayYen(kDaySlots - 1), Color(ColorRole::DTotalClr)},
        {"今月の合計", 165, m_doc.GetMonthYen(kMonthSlots - 1), Color(ColorRole::MTotalClr)},
        {"今月合計予測", 188, m_doc.GetForecastYen(), Color(ColorRole::MTInfoClr)},
    };
    for (const Row& row : rows) {
        dc.SetTextColor(row.color);
        dc.DrawText(QString::fromUtf8(row.caption), BoxOf(5, row.top, 110, row.top + 22), DT_CENTER | DT_TOP);
    }
    for (const Row& row : rows) {
        dc.SetTextColor(row.color);
        dc.DrawText(QStringLiteral("%1 円 ").arg(row.amount), BoxOf(117, row.top, 244, row.top + 22),
                    DT_RIGHT | DT_TOP);
    }
}
