#include "view/PeloraView.h"

#include "document/PeloraDoc.h"
#include "platform/core/Clock.h"
#include "platform/core/MessageSink.h"
#include "platform/core/PathText.h"
#include "res/Resource.h"


namespace {
// The graph band: mode changes repaint only this; the totals below do not depend on the modes.
const QRect kGraphBand(0, 0, 300, 130);

// The colour each button of the colour-selection dialog edits.
struct ColorButton {
    int controlId;
    ColorRole role;
};
constexpr ColorButton kColorButtons[] = {
    {IDC_GRAPH_CLR, ColorRole::GraphClr}, {IDC_GRAPH_CLR2, ColorRole::GraphClr2},
    {IDC_AVE_CLR, ColorRole::AveClr}, {IDC_DTOTAL_CLR_GRAPH, ColorRole::DTotalClrGraph},
    {IDC_MTOTAL_CLR_GRAPH, ColorRole::MTotalClrGraph}, {IDC_MTINFO_CLR_GRAPH, ColorRole::MTInfoClrGraph},
    {IDC_DTOTAL_CLR, ColorRole::DTotalClr}, {IDC_MTOTAL_CLR, ColorRole::MTotalClr},
    {IDC_MTINFO_CLR, ColorRole::MTInfoClr}};
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

CPeloraView::CPeloraView(CPeloraDoc& doc, CSettings& settings, const IClock& clock,
                         IMessageSink& messages, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_settings(settings), m_clock(clock), m_messages(messages),
      m_help(CHelpViewer::DefaultHelpFile(), QString::fromUtf8(kHelpTitle))
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
    connect(&m_fileWatch, &CFileWatch::changed, this, [this] { OnTimer(m_timerId); });
    WatchChargeFile();

    m_dayMode = m_settings.DayMode();
    m_unitMode = m_settings.YenMode();
    m_colors = m_settings.Colors();
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
    default: return false;
    }
}

void CPeloraView::SetDayMode(int dayMode)
{
    m_dayMode = dayMode;
    emit paneTextChanged(2, PeriodPaneText(dayMode));
    m_settings.SetDayMode(dayMode);
    update(kGraphBand);
}

void CPeloraView::SetUnitMode(int unitMode)
{
    m_unitMode = unitMode;
    emit paneTextChanged(1, UnitPaneText(unitMode));
    m_settings.SetYenMode(unitMode);
    update(kGraphBand);
}

void CPeloraView::OnTimer(unsigned)
{
    const std::time_t now = m_clock.Now();
    emit paneTextChanged(4, DatePaneText(now));
    if (m_doc.Refresh(now))
        update();
    WatchChargeFile();
}

void CPeloraView::ReloadWithLabels()
{
    m_doc.BuildPeriodLabels();
    m_doc.LoadChargeFile();
    update();
}

// The kernel tells of a change at once; the minute timer stays for the day change and as the
// fallback where there is no notification.
void CPeloraView::WatchChargeFile()
{
    if (m_doc.HasChargeFile())
        m_fileWatch.Follow(DecodePath(m_doc.GetLogPath()));
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
        emit paneTextChanged(3, ClosingDayPaneText(day));
    }
    // Written on Cancel too: the stored value is always the one in force.
    m_settings.SetClosingDay(m_doc.GetClosingDay());
}

void CPeloraView::OnColorSelect()
{
    const int button = runColorSelectDlg ? runColorSelectDlg() : 0;
    for (const ColorButton& entry : kColorButtons) {
        if (entry.controlId != button)
            continue;
        ColorRef& field = m_colors[static_cast<std::size_t>(entry.role)];
        ColorRef picked = field;
        if (runColorPicker && runColorPicker(picked))
            field = picked;
    }
    update();
    // Written whatever the dialogs ended with, the modes first, as the settings have always been.
    m_settings.SetDayMode(m_dayMode);
    m_settings.SetYenMode(m_unitMode);
    m_settings.SetColors(m_colors);
}

void CPeloraView::OnHelp(int context, int command)
{
    if (!m_help.WinHelp(context, command))
        m_messages.ShowMessage(kHelpFailedMessage);
}
