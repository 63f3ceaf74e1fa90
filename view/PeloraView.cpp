#include "view/PeloraView.h"

#include "document/FigureRows.h"
#include "document/FigureText.h"
#include "document/PeloraDoc.h"
#include "document/ChargeFollower.h"
#include "view/GraphGeometry.h"
#include "view/TotalsPanel.h"
#include "view/ViewPicture.h"
#include "platform/gui/DrawContext.h"
#include "platform/core/PathText.h"
#include "res/CommandTable.h"
#include "res/Resource.h"

#include <QDateTime>
#include <QPainter>

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

QString UnitPaneText(Unit unitMode)
{
    const char* name = unitMode == Unit::Yen ? kYenHeading : unitMode == Unit::Time ? kTimeHeading : kCallsHeading;
    return QLatin1Char(' ') + QString::fromUtf8(name) + QLatin1Char(' ');
}

QString PeriodPaneText(Period dayMode)
{
    return IsDayPeriod(dayMode) ? QStringLiteral(" 日 ") : QStringLiteral(" 月 ");
}

QString ClosingDayPaneText(int closingDay)
{
    return QString::asprintf(" 〆%d ", closingDay);
}

QString DatePaneText(const CivilDate& today)
{
    return QLatin1Char(' ') + QString::fromLatin1(DayLabelOf(today).data()) + QLatin1Char(' ');
}

CPeloraView::CPeloraView(CPeloraDoc& doc, CChargeFollower* follower, CSettings& settings, QWidget* parent)
    : CWalkableContent(parent), m_doc(doc), m_follower(follower), m_settings(settings)
{
    setFixedSize(kWidth, kHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName(QStringLiteral("グラフと合計"));
    OnCreate();
}

void CPeloraView::OnCreate()
{
    if (m_follower) {
        connect(m_follower, &CChargeFollower::looked, this,
                [this](std::time_t now) { emit paneTextChanged(StatusPane::Date, DatePaneText(m_doc.DateOf(now))); });
        // A load begun shows as nothing (or the figures it will replace), an outcome as itself.
        const auto showDocument = [this] {
            update();
            UpdateToolTip();
            ContentChanged();
        };
        connect(m_follower, &CChargeFollower::loading, this, showDocument);
        connect(m_follower, &CChargeFollower::loaded, this, showDocument);
        connect(m_follower, &CChargeFollower::failed, this, showDocument);
    }
    UpdateToolTip();

    m_dayMode = m_settings.DayMode();
    m_unitMode = m_settings.UnitMode();
    m_colors = m_settings.Colors();
}

bool CPeloraView::OnCmdMsg(int id)
{
    switch (id) {
    case ID_PERIOD_DAY: SetDayMode(Period::Day); return true;
    case ID_PERIOD_MONTH: SetDayMode(Period::Month); return true;
    case ID_UNIT_YEN: SetUnitMode(Unit::Yen); return true;
    case ID_UNIT_TIME: SetUnitMode(Unit::Time); return true;
    case ID_UNIT_COUNT: SetUnitMode(Unit::Count); return true;
    case ID_RELOAD: OnReload(); return true;
    case ID_DETAIL: OnDetail(); return true;
    case ID_CLOSING_DAY: OnClosingDay(); return true;
    case ID_COLOR_SELECT: OnColorSelect(); return true;
    default: return false;
    }
}

void CPeloraView::SetDayMode(Period dayMode)
{
    m_dayMode = dayMode;
    emit paneTextChanged(StatusPane::Period, PeriodPaneText(dayMode));
    m_settings.SetDayMode(dayMode);
    update(kGraphBand);
    RestartWalk();
}

void CPeloraView::SetUnitMode(Unit unitMode)
{
    m_unitMode = unitMode;
    emit paneTextChanged(StatusPane::Unit, UnitPaneText(unitMode));
    m_settings.SetUnitMode(unitMode);
    update(kGraphBand);
    RetellWalk();
}

// Which file the figures come from and when they were read, where it leaves the picture alone.
void CPeloraView::UpdateToolTip()
{
    if (!m_doc.HasChargeFile()) {
        setToolTip(QString::fromUtf8(kNoChargeFileTip));
        return;
    }
    const QString file = QStringLiteral("料金ファイル: ") + DecodePath(m_doc.GetLogPath());
    if (m_doc.IsFirstLoadPending()) {
        setToolTip(file + QStringLiteral("\n読み込み中"));
        return;
    }
    setToolTip(m_doc.IsLoadFailed()
                   ? file + QStringLiteral("\n読めません: ") + QString::fromStdString(m_doc.GetLoadError())
                   : file + QStringLiteral("\n読み込み: ")
                         + QDateTime::fromSecsSinceEpoch(m_doc.GetLastLoadTime()).toString(QStringLiteral("yyyy/MM/dd HH:mm:ss")));
}

void CPeloraView::OnReload()
{
    if (m_follower)
        m_follower->Load(CPeloraDoc::LoadKind::Whole);
}

void CPeloraView::OnDetail()
{
    if (m_dialogs)
        m_dialogs->RunDetailDlg(IsDayPeriod(m_dayMode));
}

void CPeloraView::OnClosingDay()
{
    int day = m_doc.GetClosingDay();
    if (m_dialogs && m_dialogs->RunClosingDayDlg(day)) {
        m_doc.SetClosingDay(day);
        // The labels of the new closing day come with the figures read under them.
        OnReload();
        emit paneTextChanged(StatusPane::ClosingDay, ClosingDayPaneText(day));
    }
    // Written on Cancel too: the stored value is always the one in force.
    m_settings.SetClosingDay(m_doc.GetClosingDay());
}

void CPeloraView::OnColorSelect()
{
    const int button = m_dialogs ? m_dialogs->RunColorSelectDlg() : 0;
    for (const ColorButton& entry : kColorButtons) {
        if (entry.controlId != button)
            continue;
        ColorRef& field = m_colors[static_cast<std::size_t>(entry.role)];
        ColorRef picked = field;
        if (m_dialogs->RunColorPicker(picked))
            field = picked;
    }
    update();
    // Written whatever the dialogs ended with, the modes first, so the stored values are the ones in force.
    m_settings.SetDayMode(m_dayMode);
    m_settings.SetUnitMode(m_unitMode);
    m_settings.SetColors(m_colors);
}

void CPeloraView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    CDC dc(painter);
    OnDraw(dc);
}

void CPeloraView::OnDraw(CDC& dc)
{
    CViewPicture(m_doc, m_dayMode, m_unitMode, m_colors).OnDraw(dc);
}

int CPeloraView::StartItem() const
{
    return (IsDayPeriod(m_dayMode) ? kDaySlots : kMonthSlots) - 1;
}

std::vector<AccessibleGroup> CPeloraView::AccessibleGroups() const
{
    if (m_doc.IsLoadFailed())
        return {};
    const GraphInput input = GraphInputOf(m_doc, m_dayMode, m_unitMode, m_colors);
    const auto text = [&](Figure value) {
        return m_unitMode == Unit::Yen    ? QString::fromStdString(YenText(value))
               : m_unitMode == Unit::Time ? QString::fromStdString(FormatDuration(value))
                                          : QString::fromStdString(CallsText(value));
    };
    AccessibleGroup graph{QAccessible::List,
                          QStringLiteral("グラフ:%1・%2").arg(UnitPaneText(m_unitMode).trimmed(), PeriodPaneText(m_dayMode).trimmed()),
                          QStringLiteral("最大 %1、平均 %2").arg(text(input.max), text(input.average)),
                          {}};
    const auto boxOf = [](const PixelBox& b) { return BoxOf(b.left, b.top, b.right, b.bottom); };
    const GraphGeometry geometry = LayOutGraph(input);
    const int slotCount = input.dayLayout ? kDaySlots : kMonthSlots;
    for (int i = 0; i < slotCount; ++i)
        graph.items.push_back({QString::fromLatin1(input.dayLayout ? input.calendar.DayLabel(i) : input.calendar.MonthLabel(i)),
                               text(input.values[static_cast<std::size_t>(i)]), boxOf(geometry.slotColumns[static_cast<std::size_t>(i)])});
    if (input.forecast)
        graph.items.push_back({QString::fromUtf8(kForecastCaption), text(*input.forecast),
                               boxOf(geometry.slotColumns[CBillingCalendar::kCurrentMonthSlot])});
    AccessibleGroup totals{QAccessible::Grouping, QString::fromUtf8(kTotalsCaption), {}, {}};
    for (const TotalsRow& row : LayOutTotals(m_doc.GetTallies(), m_colors).rows)
        totals.items.push_back({row.caption, row.amount.trimmed(), boxOf(row.captionBox).united(boxOf(row.amountBox))});
    return {graph, totals};
}
