#pragma once
// The program's only top-level window: fixed size, menu, tool bar, status bar with four panes, and
// the view. It remembers its position on every move, can stay on top, accepts dropped charge files,
// and routes every command: to the view first, then to itself, then to the application.

#include "app/Settings.h"

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>
#include <map>

class CPeloraDoc;
class CPeloraView;
class IClock;
class IMessageSink;
class QLabel;
class QToolBar;

// What the frame needs from the application around it.
struct FrameServices {
    CSettings& settings;
    const IClock& clock;
    IMessageSink& messages;
    std::function<void(int id)> appCommand;                 // file open, about
    std::function<void(const QString& path)> openDocument; // the application's open operation
};

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kInitialWidth = 288;
    static constexpr int kInitialHeight = 296;

    CMainFrame(CPeloraDoc& doc, FrameServices services);
    ~CMainFrame() override;

    CPeloraView* GetActiveView() const { return m_view; }
    void SetPaneText(int pane, const QString& text);
    QString PaneText(int pane) const;
    // Keeps the view's client area at 249 by 211 around whatever bars are shown; top-left stays.
    void FitFrameToView();
    void ApplyTopMost();
    void OnCommand(int id);
    void UpdateCommandUI();
    QAction* Action(int id) const;
    QToolBar* ToolBar() const { return m_wndToolBar; }

    int m_topMost = 0;

protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void PreCreateWindow();
    void createView(CPeloraDoc& doc);
    void createActions();
    void createMenus();
    void createToolBar();
    void createStatusBar();
    void fillPanes();
    void restoreBarLayout();
    void saveBarLayout();

    FrameServices m_services;
    CPeloraView* m_view = nullptr;
    QToolBar* m_wndToolBar = nullptr;
    std::array<QLabel*, 4> m_panes{};
    std::map<int, QAction*> m_actions;
    QAction* m_statusBarAction = nullptr;
};
