#pragma once
// The one view: a fixed 249 by 211 picture of the graph and the totals panel. It owns the display
// state (period and unit mode, nine colours) and handles the view's commands; the dialogs they
// open come from whoever frames it (IViewDialogs). It shows what the document holds and redraws
// when the follower it is given (none for a picture taken once) tells of a load; the graphs and
// the panel are laid out by GraphGeometry and TotalsPanel and drawn by CViewPicture, which the
// paint only hands a context.
// It knows nothing of the frame around it: pane texts go out through paneTextChanged.

#include "document/PeriodLabels.h"
#include "document/TallySeries.h"
#include "platform/gui/WalkableContent.h"
#include "settings/Settings.h"

#include <QPointer>

class CChargeFollower;
class CDC;
class CPeloraDoc;

// The dialogs the view's commands open, each returning what it ended with.
// The status bar's panes the view fills, left to right after the message pane.
enum class StatusPane { Unit, Period, ClosingDay, Date };
inline constexpr int kStatusPanes = 4;

class IViewDialogs {
public:
    virtual ~IViewDialogs() = default;
    virtual void RunDetailDlg(bool dayTable) = 0;
    virtual bool RunClosingDayDlg(int& day) = 0;     // true for OK
    virtual int RunColorSelectDlg() = 0;             // the id of the button pressed, or 0
    virtual bool RunColorPicker(ColorRef& color) = 0; // true for OK
};

class CPeloraView : public CWalkableContent {
    Q_OBJECT
public:
    static constexpr int kWidth = 249;
    static constexpr int kHeight = 211;

    // follower: where loads are asked for and told of (not owned); none for a picture taken once.
    CPeloraView(CPeloraDoc& doc, CChargeFollower* follower, CSettings& settings, QWidget* parent = nullptr);

    void SetDialogs(IViewDialogs* dialogs) { m_dialogs = dialogs; }
    // The view's commands; false for a command that is not the view's.
    bool OnCmdMsg(int id);

    Period DayMode() const { return m_dayMode; }
    Unit UnitMode() const { return m_unitMode; }
    ColorRef Color(ColorRole role) const { return m_colors[static_cast<std::size_t>(role)]; }
    // For screen readers and the keyboard: the graph (its unit, period, maximum, average and every
    // slot) and the three totals, as the picture shows them now.
    std::vector<AccessibleGroup> AccessibleGroups() const override;

signals:
    void paneTextChanged(StatusPane pane, const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    // The walk starts at today's slot, or the current billing month's.
    int StartItem() const override;

private:
    // The paint routine: the picture of the modes and colours in force (CViewPicture).
    void OnDraw(CDC& dc);
    void OnCreate();
    void SetDayMode(Period dayMode);
    void SetUnitMode(Unit unitMode);
    void OnReload();
    void OnDetail();
    void OnClosingDay();
    void OnColorSelect();
    void UpdateToolTip();

    CPeloraDoc& m_doc;
    QPointer<CChargeFollower> m_follower; // not owned; may be none
    CSettings& m_settings;
    IViewDialogs* m_dialogs = nullptr; // not owned
    Period m_dayMode = Period::Day;
    Unit m_unitMode = Unit::Yen;
    ColorSet m_colors{};
};

// Status-pane texts.
QString UnitPaneText(Unit unitMode);
QString PeriodPaneText(Period dayMode);
QString ClosingDayPaneText(int closingDay);
QString DatePaneText(const CivilDate& today);
