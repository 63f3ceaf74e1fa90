#pragma once
// The one view: a fixed 249 by 211 picture of the graph and the totals panel. It owns the display
// state (period and unit mode, nine colours), handles the view's commands and check marks, and runs
// the one-minute timer that keeps the date pane current and reloads the charge file when it changes.
// It knows nothing of the frame around it: pane texts go out through paneTextChanged.

#include "platform/gui/CmdUI.h"
#include "platform/core/FileWatch.h"
#include "platform/gui/HelpViewer.h"
#include "document/TallySeries.h"
#include "settings/Settings.h"

#include <QTimer>
#include <QWidget>
#include <functional>

class CDC;
class CPeloraDoc;
struct GraphGeometry;
struct GraphInput;
class IClock;
class IMessageSink;

class CPeloraView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 249;
    static constexpr int kHeight = 211;
    static constexpr unsigned kTimerId = 1;
    static constexpr int kTimerInterval = 60000;
    static constexpr int kSettleInterval = 50; // ms: writes this close together are one change

    CPeloraView(CPeloraDoc& doc, CSettings& settings, const IClock& clock, IMessageSink& messages,
                QWidget* parent = nullptr);
    ~CPeloraView() override;

    CPeloraDoc* GetDocument() const { return &m_doc; }
    // The view's commands; false for a command that is not the view's.
    bool OnCmdMsg(int id);
    // Check marks of the view's commands; false for a command it does not mark.
    bool OnUpdateCmdUI(CCmdUI& cmdUI) const;
    void OnTimer(unsigned id);
    // Follows the document's charge file (and its folder) for changes; called again whenever the
    // document may have taken another file.
    void WatchChargeFile();
    const QTimer& Timer() const { return m_timer; }
    CHelpViewer& HelpViewer() { return m_help; }

    ColorRef Color(ColorRole role) const { return m_colors[static_cast<std::size_t>(role)]; }

    // The dialogs the commands open. Each returns what its dialog ended with.
    std::function<void(bool dayTable)> runDetailDlg;
    std::function<bool(int& day)> runClosingDayDlg;     // true for OK
    std::function<int()> runColorSelectDlg;             // the id of the button pressed, or 0
    std::function<bool(ColorRef& color)> runColorPicker; // true for OK

    // The paint routine and its parts: the background, one graph per mode, the totals.
    void OnDraw(CDC& dc);
    void DrawPanelBackground(CDC& dc);
    void DrawDayYenGraph(CDC& paintDC);
    void DrawDayTimeGraph(CDC& paintDC);
    void DrawDayCountGraph(CDC& paintDC);
    void DrawMonthYenGraph(CDC& paintDC);
    void DrawMonthTimeGraph(CDC& paintDC);
    void DrawMonthCountGraph(CDC& paintDC);

    unsigned m_timerId = 0;
    int m_unitMode = 0;
    int m_dayMode = 1;

signals:
    // Status pane 1 unit, 2 period, 3 closing day, 4 today's date.
    void paneTextChanged(int pane, const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void OnCreate();
    void SetDayMode(int dayMode);
    void SetUnitMode(int unitMode);
    void OnReload();
    void OnDetail();
    void OnClosingDay();
    void OnColorSelect();
    void OnHelp(int context, int command);
    void ReloadWithLabels();
    GraphInput GraphInputOf(bool dayLayout, Figure (CPeloraDoc::*slot)(int) const, Figure max,
                            Figure average) const;
    void DrawGraph(CDC& paintDC, const GraphGeometry& geometry);
    void DrawTotals(CDC& dc);

    CPeloraDoc& m_doc;
    CSettings& m_settings;
    const IClock& m_clock;
    IMessageSink& m_messages;
    ColorSet m_colors{};
    QTimer m_timer;
    CFileWatch m_fileWatch{kSettleInterval};
    CHelpViewer m_help;
};

// Status-pane texts.
QString UnitPaneText(int unitMode);
QString PeriodPaneText(int dayMode);
QString ClosingDayPaneText(int closingDay);
QString DatePaneText(std::time_t now);
