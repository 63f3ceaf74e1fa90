#include "view/PeloraView.h"

#include "app/MainFrame.h"
#include "doc/PeloraDoc.h"
#include "platform/Clock.h"
#include "platform/MessageSink.h"
#include "res/Resource.h"

#include <QPainter>
#include <cstring>

namespace {
// The graph band: mode changes repaint only this; the totals below do not depend on the modes.
const QRect kGraphBand(0, 0, 300, 130);

constexpr ColorRole kColorOrder[] = {
    ColorRole::GraphClr, ColorRole::GraphClr2, ColorRole::AveClr, ColorRole::DTotalClr,
    ColorRole::MTotalClr, ColorRole::MTInfoClr, ColorRole::DTotalClrGraph,
    ColorRole::MTotalClrGraph, ColorRole::MTInfoClrGraph};
} // namespace

QString UnitPaneText(int unitMode)
{
    return unitMode == 0 ? QStringLiteral(" 料金 ") : unitMode == 1 ? QStringLiteral(" 時間 ")
                                                                     : QStringLiteral(" 回数 ");
}

QString PeriodPaneText(int dayMode)
{
    return dayMode != 0 ? QStringLiteral(" 日 ") : QStringLiteral(" 月 ");
}

QString ClosingDayPaneText(int closingDay)
{
    return QString::asprintf(" 〆%d ", closingDay);
}

QString DatePaneText(std::time_t now)
{
    const CivilDate today = LocalDate(now);
    return QString::asprintf(" %02d/%02d/%02d ", TwoDigitYear(today.year), today.month, today.day);
}

CPeloraView::CPeloraView(CPeloraDoc& doc, CMainFrame& frame, CSettings& settings,
                         const IClock& clock, IMessageSink& messages, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_frame(frame), m_settings(settings), m_clock(clock),
      m_messages(messages), m_help(CHelpViewer::DefaultHelpFile())
{
    setFixedSize(kWidth, kHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
    OnCreate();
}

CPeloraView::~CPeloraView()
{
    m_timer.stop();
    m_help.WinHelp(0, HELP_QUIT);
}

void CPeloraView::OnCreate()
{
    m_timer.setInterval(kTimerInterval);
    connect(&m_timer, &QTimer::timeout, this, [this] { OnTimer(m_timerId); });
    m_timer.start();
    m_timerId = kTimerId;

    m_dayMode = m_settings.DayMode();
    m_unitMode = m_settings.YenMode();
    for (const ColorRole role : kColorOrder)
        *ColorField(role) = m_settings.Color(role);
}

ColorRef* CPeloraView::ColorField(ColorRole role)
{
    switch (role) {
    case ColorRole::GraphClr: return &GraphClr;
    case ColorRole::GraphClr2: return &GraphClr2;
    case ColorRole::AveClr: return &AveClr;
    case ColorRole::DTotalClr: return &DTotalClr;
    case ColorRole::MTotalClr: return &MTotalClr;
    case ColorRole::MTInfoClr: return &MTInfoClr;
    case ColorRole::DTotalClrGraph: return &DTotalClrGraph;
    case ColorRole::MTotalClrGraph: return &MTotalClrGraph;
    case ColorRole::MTInfoClrGraph: return &MTInfoClrGraph;
    }
    return nullptr;
}

ColorRef* CPeloraView::ColorFieldOfButton(int controlId)
{
    switch (controlId) {
    case IDC_GRAPH_CLR: return &GraphClr;
    case IDC_GRAPH_CLR2: return &GraphClr2;
    case IDC_AVE_CLR: return &AveClr;
    case IDC_DTOTAL_CLR_GRAPH: return &DTotalClrGraph;
    case IDC_MTOTAL_CLR_GRAPH: return &MTotalClrGraph;
    case IDC_MTINFO_CLR_GRAPH: return &MTInfoClrGraph;
    case IDC_DTOTAL_CLR: return &DTotalClr;
    case IDC_MTOTAL_CLR: return &MTotalClr;
    case IDC_MTINFO_CLR: return &MTInfoClr;
    default: return nullptr;
    }
}

bool CPeloraView::OnCmdMsg(int id)
{
    switch (id) {
    case ID_PERIOD_DAY: SetDayMode(1); return true;
    case ID_PERIOD_MONTH: SetDayMode(0); return true;
    case ID_UNIT_YEN: SetUnitMode(0); return true;
    case ID_UNIT_TIME: SetUnitMode(1); return true;
    case ID_UNIT_COUNT: SetUnitMode(2); return true;
    case ID_RELOAD: OnReload(); return true;
    case ID_DETAIL: OnDetail(); return true;
    case ID_CLOSING_DAY: OnClosingDay(); return true;
    case ID_COLOR_SELECT: OnColorSelect(); return true;
    case ID_TOPMOST: OnTopMost(); return true;
    case ID_HELP_FINDER: OnHelp(0, HELP_FINDER); return true;
    case ID_HELP_QUICK: OnHelp(kQuickUsageTopic, HELP_CONTEXT); return true;
    default: return false;
    }
}

bool CPeloraView::OnUpdateCmdUI(CCmdUI& cmdUI) const
{
    switch (cmdUI.m_nID) {
    case ID_PERIOD_DAY: cmdUI.SetCheck(m_dayMode != 0); return true;
    case ID_PERIOD_MONTH: cmdUI.SetCheck(m_dayMode == 0); return true;
    case ID_UNIT_YEN: cmdUI.SetCheck(m_unitMode == 0); return true;
    case ID_UNIT_TIME: cmdUI.SetCheck(m_unitMode == 1); return true;
    case ID_UNIT_COUNT: cmdUI.SetCheck(m_unitMode == 2); return true;
    case ID_TOPMOST: cmdUI.SetCheck(m_frame.m_topMost == 1); return true;
    default: return false;
    }
}

void CPeloraView::SetDayMode(int dayMode)
{
    m_dayMode = dayMode;
    m_frame.SetPaneText(2, PeriodPaneText(dayMode));
    m_settings.SetDayMode(dayMode);
    update(kGraphBand);
}

void CPeloraView::SetUnitMode(int unitMode)
{
    m_unitMode = unitMode;
    m_frame.SetPaneText(1, UnitPaneText(unitMode));
    m_settings.SetYenMode(unitMode);
    update(kGraphBand);
}

void CPeloraView::OnTimer(unsigned)
{
    const std::time_t now = m_clock.Now();
    m_frame.SetPaneText(4, DatePaneText(now));
    char day[16];
    std::snprintf(day, sizeof day, "%02d", LocalDate(now).day);
    const bool dayChanged = std::strcmp(day, m_doc.GetDayLabel(29) + 6) != 0;
    if (dayChanged)
        m_doc.SetToday(now);
    if (m_doc.IsLoadFailed())
        return;
    if (!dayChanged && m_doc.HasChargeFileChanged() == 0)
        return;
    ReloadWithLabels();
}

void CPeloraView::ReloadWithLabels()
{
    m_doc.BuildPeriodLabels();
    m_doc.LoadChargeFile();
    update();
}

void CPeloraView::OnReload()
{
    m_doc.LoadChargeFile();
    update();
}

void CPeloraView::OnDetail()
{
    if (runDetailDlg)
        runDetailDlg(m_dayMode != 0);
}

void CPeloraView::OnClosingDay()
{
    int day = m_doc.GetClosingDay();
    if (runClosingDayDlg && runClosingDayDlg(day)) {
        m_doc.SetClosingDay(day);
        ReloadWithLabels();
        m_frame.SetPaneText(3, ClosingDayPaneText(day));
    }
    m_settings.SetClosingDay(m_doc.GetClosingDay());
}

void CPeloraView::OnColorSelect()
{
    const int button = runColorSelectDlg ? runColorSelectDlg() : 0;
    if (ColorRef* field = ColorFieldOfButton(button)) {
        ColorRef picked = *field;
        if (runColorPicker && runColorPicker(picked))
            *field = picked;
    }
    update();
    m_settings.SetDayMode(m_dayMode);
    m_settings.SetYenMode(m_unitMode);
    for (const ColorRole role : kColorOrder)
        m_settings.SetColor(role, *ColorField(role));
}

void CPeloraView::OnTopMost()
{
    m_frame.m_topMost = m_frame.m_topMost == 1 ? 0 : 1;
    m_frame.ApplyTopMost();
}

void CPeloraView::OnHelp(int context, int command)
{
    if (!m_help.WinHelp(context, command))
        m_messages.ShowMessage(kHelpFailedMessage);
}

void CPeloraView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    OnDraw(painter);
}

// The graphs and totals panel are drawn over this white picture.
void CPeloraView::OnDraw(QPainter& painter)
{
    painter.fillRect(rect(), Qt::white);
}
