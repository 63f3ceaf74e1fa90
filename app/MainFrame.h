#pragma once
// The program's only top-level window: fixed size, menu, tool bar, status bar with four panes, and
// the view. It remembers its position on every move, can stay on top, accepts dropped charge files,
// and routes every command: to the view first, then to itself, then to the application.

#include "app/WindowPlacement.h"
#include "platform/gui/HelpViewer.h"
#include "settings/Settings.h"
#include "view/PeloraView.h"

#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <map>
#include <optional>

class CChargeFollower;
class CFrameStatusBar;
class CPeloraDoc;
class IMessageSink;
class QToolBar;

// What the frame needs from the application around it.
struct FrameServices {
    CSettings& settings;
    IMessageSink& messages;
    std::function<void(int id)> appCommand;                 // file open, about
    std::function<void(const QString& path)> openDocument; // the application's open operation
};

class CMainFrame : public QMainWindow, private IViewDialogs {
    Q_OBJECT
public:
    static constexpr int kInitialWidth = 288;
    static constexpr int kInitialHeight = 296;
    static constexpr int kPositionWriteDelay = 250; // ms

    // follower: how the document is loaded and followed (not owned); its failures are shown here.
    CMainFrame(CPeloraDoc& doc, CChargeFollower& follower, FrameServices services);
    ~CMainFrame() override;

    CPeloraView* GetActiveView() const { return m_view; }
    void SetPaneText(StatusPane pane, const QString& text);
    QString PaneText(StatusPane pane) const;
    // Keeps the view's client area at 249 by 211 around whatever bars are shown; top-left stays.
    void FitFrameToView();
    void ApplyTopMost();
    // The latest position not yet written; at most a few writes a second while the frame is dragged.
    void WritePendingPosition();
    void OnCommand(int id);
    QAction* Action(int id) const;
    CHelpViewer& HelpViewer() { return m_help; }
    QToolBar* ToolBar() const { return m_wndToolBar; }
    // The message pane's text when no prompt is shown.
    void ShowIdleMessage();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void PreCreateWindow();
    static CWindowPlacement::Screens Screens();
    void RestorePosition();
    void createView();
    void createActions();
    void createMenus();
    void createToolBar();
    void createStatusBar();
    void fillPanes();
    void restoreBarLayout();
    void saveBarLayout();
    void OnTopMost();
    void OnHelp(int context, int command);
    void RunDetailDlg(bool dayTable) override;
    bool RunClosingDayDlg(int& day) override;
    int RunColorSelectDlg() override;
    bool RunColorPicker(ColorRef& color) override;

    FrameServices m_services;
    CPeloraDoc& m_doc;
    CChargeFollower& m_follower;
    CPeloraView* m_view = nullptr;
    CHelpViewer m_help;
    // 1 when the frame stays on top. Any other stored non-zero value keeps the frame on top
    // without a check mark, and the command turns it into 1, so a stored value keeps its meaning.
    int m_topMost = 0;
    QToolBar* m_wndToolBar = nullptr;
    CFrameStatusBar* m_statusBar = nullptr;
    std::map<int, QAction*> m_actions;
    QAction* m_statusBarAction = nullptr;
    QTimer m_positionTimer;
    QTimer m_layoutTimer;
    QPoint m_storedPosition;
    CWindowPlacement m_placement;
    std::optional<QPoint> m_pendingPosition; // in the unit stored
};
