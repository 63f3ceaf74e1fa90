#pragma once
// The one view: a fixed 249 by 211 picture of the graph and the totals panel. It owns the display
// state (period and unit mode, nine colours), handles the view's commands and check marks, and
// follows the charge file (told at once of a change, and looking each minute) to keep the date
// pane current and reload the file when it changes. The graphs and the panel are laid out by
// GraphGeometry and TotalsPanel, and the paint only loops over them.
// It knows nothing of the frame around it: pane texts go out through paneTextChanged.

#include "platform/gui/CmdUI.h"
#include "document/ChargeFollower.h"
#include "platform/gui/AccessibleContent.h"
#include "platform/gui/HelpViewer.h"
#include "document/TallySeries.h"
#include "settings/Settings.h"

#include <QWidget>
#include <functional>

class CDC;
struct GraphInput;
class IClock;
class IMessageSink;

class CPeloraView : public QWidget, public IAccessibleContent {
    Q_OBJECT
public:
    static constexpr int kWidth = 249;
    static constexpr int kHeight = 211;

    CPeloraView(CPeloraDoc& doc, CSettings& settings, const IClock& clock, IMessageSink& messages,
                QWidget* parent = nullptr);
    ~CPeloraView() override;

    CPeloraDoc* GetDocument() const { return &m_doc; }
    // The view's commands; false for a command that is not the view's.
    bool OnCmdMsg(int id);
    // Check marks of the view's commands; false for a command it does not mark.
    bool OnUpdateCmdUI(CCmdUI& cmdUI) const;
    // The minute's look: the date pane, a new day, a changed charge file read whole.
    void OnTimer();
    // A change the system told of: read on from where the last load stopped.
    void OnChargeFileChanged();
    // Follows the document's charge file (and its folder) for changes; called again whenever the
    // document may have taken another file.
    void WatchChargeFile();
    CHelpViewer& HelpViewer() { return m_help; }
    // Whether a load of the charge file is under way (the figures shown are the previous ones).
    bool IsLoading() const { return m_follower.IsLoading(); }

    Period DayMode() const { return m_dayMode; }
    Unit UnitMode() const { return m_unitMode; }
    ColorRef Color(ColorRole role) const { return m_colors[static_cast<std::size_t>(role)]; }
    // For screen readers: the graph (its unit, period, maximum, average and every slot) and the
    // three totals, as the picture shows them now.
    std::vector<AccessibleGroup> AccessibleGroups() const override;

    // The dialogs the commands open. Each returns what its dialog ended with.
    std::function<void(bool dayTable)> runDetailDlg;
    std::function<bool(int& day)> runClosingDayDlg;     // true for OK
    std::function<int()> runColorSelectDlg;             // the id of the button pressed, or 0
    std::function<bool(ColorRef& color)> runColorPicker; // true for OK

signals:
    // Status pane 1 unit, 2 period, 3 closing day, 4 today's date.
    void paneTextChanged(int pane, const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The paint routine and its parts: the background, one graph per mode, the totals.
    void OnDraw(CDC& dc);
    void DrawPanelBackground(CDC& dc);
    void DrawDayYenGraph(CDC& paintDC);
    void DrawDayTimeGraph(CDC& paintDC);
    void DrawDayCountGraph(CDC& paintDC);
    void DrawMonthYenGraph(CDC& paintDC);
    void DrawMonthTimeGraph(CDC& paintDC);
    void DrawMonthCountGraph(CDC& paintDC);
    void OnCreate();
    void SetDayMode(Period dayMode);
    void SetUnitMode(Unit unitMode);
    void OnReload();
    void OnDetail();
    void OnClosingDay();
    void OnColorSelect();
    void OnHelp(int context, int command);
    void ReloadWithLabels();
    void UpdateToolTip();
    GraphInput GraphInputOf(Period period, Unit unit) const;
    void DrawGraph(CDC& paintDC, Period period, Unit unit);
    void DrawTotals(CDC& dc);

    CPeloraDoc& m_doc;
    CSettings& m_settings;
    const IClock& m_clock;
    IMessageSink& m_messages;
    Period m_dayMode = Period::Day;
    Unit m_unitMode = Unit::Yen;
    ColorSet m_colors{};
    CChargeFollower m_follower;
    CHelpViewer m_help;
};

// Status-pane texts.
QString UnitPaneText(Unit unitMode);
QString PeriodPaneText(Period dayMode);
QString ClosingDayPaneText(int closingDay);
QString DatePaneText(std::time_t now);
