#include "app/MainFrame.h"

#include "app/FrameStatusBar.h"

#include "dialogs/ClosingDayDlg.h"
#include "dialogs/ColorSelectDlg.h"
#include "dialogs/DetailDlg.h"
#include "document/PeloraDoc.h"
#include "platform/core/PathText.h"
#include "document/ChargeFollower.h"
#include "platform/core/MessageSink.h"
#include "platform/gui/MenuItemAccessible.h"
#include "res/CommandTable.h"
#include "res/Resource.h"
#include "res/ToolBarImages.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QColorDialog>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <QLayout>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QToolBar>

CMainFrame::CMainFrame(CPeloraDoc& doc, CChargeFollower& follower, FrameServices services)
    : m_services(std::move(services)), m_doc(doc), m_follower(follower),
      m_help(CHelpViewer::DefaultHelpFile(), QString::fromUtf8(kHelpTitle))
{
    PreCreateWindow();
    createView();
    createActions();
    createToolBar();
    createMenus();
    createStatusBar();
    fillPanes();
    setAcceptDrops(true);
    restoreBarLayout();
    RestorePosition();
    // The user's changes to the bars, each written shortly after.
    connect(m_wndToolBar, &QToolBar::topLevelChanged, &m_layoutTimer, qOverload<>(&QTimer::start));
    connect(m_wndToolBar, &QToolBar::orientationChanged, &m_layoutTimer, qOverload<>(&QTimer::start));
    for (QAction* toggle : {m_wndToolBar->toggleViewAction(), m_statusBarAction})
        connect(toggle, &QAction::triggered, &m_layoutTimer, qOverload<>(&QTimer::start));
    m_topMost = m_services.settings.TopMost();
    m_actions[ID_TOPMOST]->setChecked(m_topMost == 1);
    ApplyTopMost();
}

CMainFrame::~CMainFrame()
{
    m_help.WinHelp(0, HELP_QUIT);
}

void CMainFrame::PreCreateWindow()
{
    setWindowTitle(QString::fromUtf8(kAppTitle));
    setWindowIcon(ProgramIcon());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowCloseButtonHint);
    // Read now, used once the window knows its size.
    m_storedPosition = QPoint(m_services.settings.Xpos(), m_services.settings.Ypos());
    resize(kInitialWidth, kInitialHeight);
    m_positionTimer.setSingleShot(true);
    m_positionTimer.setInterval(kPositionWriteDelay);
    connect(&m_positionTimer, &QTimer::timeout, this, &CMainFrame::WritePendingPosition);
    // The bar layout too is written shortly after each change, not only at exit: a session that
    // ends with the X server gone never reaches the exit.
    m_layoutTimer.setSingleShot(true);
    m_layoutTimer.setInterval(kPositionWriteDelay);
    connect(&m_layoutTimer, &QTimer::timeout, this, &CMainFrame::saveBarLayout);
}

CWindowPlacement::Screens CMainFrame::Screens()
{
    CWindowPlacement::Screens screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens.push_back({screen->geometry(), screen->availableGeometry(), screen->devicePixelRatio()});
    return screens;
}

// At the stored place (device pixels), judged in the size the window has around the view and its
// bars; a window placed wholly off every screen (a monitor since removed, a hand-edited value)
// could never be reached, so the system places it then.
void CMainFrame::RestorePosition()
{
    if (const auto place = m_placement.Restore(m_storedPosition.x(), m_storedPosition.y(), size(), Screens()))
        move(*place);
}

void CMainFrame::createView()
{
    m_view = new CPeloraView(m_doc, &m_follower, m_services.settings, this);
    m_view->SetDialogs(this);
    setCentralWidget(m_view);
    connect(m_view, &CPeloraView::paneTextChanged, this, &CMainFrame::SetPaneText);
    // Told once the document holds the outcome, and after the step that loaded, so no box opens
    // inside another.
    connect(&m_follower, &CChargeFollower::failed, this, [this](const QString& path, const QString& reason) {
        m_services.messages.ShowMessage(LoadFailureText(EncodePath(path), reason.toStdString()));
    }, Qt::QueuedConnection);
    // No sizing border: the frame always wraps the view and the bars exactly.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

// The view's commands open their dialogs over this frame.
void CMainFrame::RunDetailDlg(bool dayTable)
{
    std::unique_ptr<CDetailDlg> dialog;
    if (dayTable)
        dialog = std::make_unique<CDayDetailDlg>(m_doc, this);
    else
        dialog = std::make_unique<CMonthDetailDlg>(m_doc, this);
    // A load under the open dialog shows in it, and in what it copies, at once.
    connect(&m_follower, &CChargeFollower::loaded, dialog.get(), &CDetailDlg::Refresh);
    connect(&m_follower, &CChargeFollower::failed, dialog.get(), &CDetailDlg::Refresh);
    dialog->exec();
}

bool CMainFrame::RunClosingDayDlg(int& day)
{
    CClosingDayDlg dialog(m_services.messages, this);
    dialog.m_day = day;
    if (dialog.exec() != QDialog::Accepted)
        return false;
    day = dialog.m_day;
    return true;
}

int CMainFrame::RunColorSelectDlg()
{
    return CColorSelectDlg(this).exec();
}

bool CMainFrame::RunColorPicker(ColorRef& color)
{
    const QColor chosen = QColorDialog::getColor(ToQColor(color), this);
    if (!chosen.isValid())
        return false;
    color = RGB(chosen.red(), chosen.green(), chosen.blue());
    return true;
}

void CMainFrame::createActions()
{
    for (const CommandEntry& entry : CommandTable()) {
        const QStringList prompt = QString::fromUtf8(entry.prompt).split(QLatin1Char('\n'));
        QAction* action = nullptr;
        if (entry.id == ID_VIEW_STATUS_BAR) {
            action = m_statusBarAction = new QAction(this);
        } else if (entry.id == ID_VIEW_TOOLBAR) {
            continue; // the tool bar's own toggle, made with the tool bar
        } else {
            action = new QAction(this);
            connect(action, &QAction::triggered, this, [this, id = entry.id] { OnCommand(id); });
        }
        action->setText(QString::fromUtf8(entry.menuText));
        action->setStatusTip(prompt.value(0));
        action->setToolTip(prompt.value(1, prompt.value(0)));
        if (entry.key)
            action->setShortcut(QKeySequence(QString::fromLatin1(entry.key)));
        if (entry.toolBarPlace > 0)
            action->setIcon(ToolBarImage(entry.toolBarPlace));
        m_actions[entry.id] = action;
    }
    for (const int id : {ID_PERIOD_DAY, ID_PERIOD_MONTH, ID_UNIT_YEN, ID_UNIT_TIME, ID_UNIT_COUNT, ID_TOPMOST}) {
        m_actions[id]->setCheckable(true);
        // A real check mark in the menus; the tool-bar buttons keep their pressed look.
        m_actions[id]->setIconVisibleInMenu(false);
    }
    // Each mode set is one choice: its actions keep the check mark of the mode in force.
    for (const auto& modes : {std::vector{ID_PERIOD_DAY, ID_PERIOD_MONTH}, std::vector{ID_UNIT_YEN, ID_UNIT_TIME, ID_UNIT_COUNT}}) {
        auto* group = new QActionGroup(this);
        for (const int id : modes)
            group->addAction(m_actions[id]);
    }
    // A stored unit outside the three marks none, as it draws none.
    m_actions[IsDayPeriod(m_view->DayMode()) ? ID_PERIOD_DAY : ID_PERIOD_MONTH]->setChecked(true);
    for (const auto& [unit, id] : {std::pair{Unit::Yen, ID_UNIT_YEN}, std::pair{Unit::Time, ID_UNIT_TIME}, std::pair{Unit::Count, ID_UNIT_COUNT}})
        m_actions[id]->setChecked(m_view->UnitMode() == unit);
    m_statusBarAction->setCheckable(true);
    m_statusBarAction->setChecked(true);
    connect(m_statusBarAction, &QAction::toggled, this, [this](bool shown) {
        statusBar()->setVisible(shown);
        FitFrameToView();
    });
}

void CMainFrame::createMenus()
{
    QMenu* popups[std::size(kPopupTitles)];
    for (std::size_t i = 0; i < std::size(kPopupTitles); ++i) {
        popups[i] = menuBar()->addMenu(QString::fromUtf8(kPopupTitles[i]));
    }
    for (const CommandEntry& entry : CommandTable()) {
        popups[entry.popup]->addAction(m_actions[entry.id]);
        if (entry.separatorAfter)
            popups[entry.popup]->addSeparator();
    }
}

void CMainFrame::createToolBar()
{
    m_wndToolBar = new QToolBar(this);
    m_wndToolBar->setObjectName(QStringLiteral("ToolBar"));
    // The View menu's ToolBar command is the tool bar's own show/hide toggle.
    QAction* toggle = m_wndToolBar->toggleViewAction();
    const auto entry = std::find_if(CommandTable().begin(), CommandTable().end(),
                                    [](const CommandEntry& e) { return e.id == ID_VIEW_TOOLBAR; });
    toggle->setText(QString::fromUtf8(entry->menuText));
    toggle->setStatusTip(QString::fromUtf8(entry->prompt));
    m_actions[ID_VIEW_TOOLBAR] = toggle;

    m_wndToolBar->setWindowTitle(QStringLiteral("ToolBar"));
    m_wndToolBar->setIconSize(QSize(16, 16));
    m_wndToolBar->setAllowedAreas(Qt::AllToolBarAreas);
    m_wndToolBar->setFloatable(true);
    m_wndToolBar->setMovable(true);
    for (int place = 1; place <= 7; ++place) {
        for (const CommandEntry& entry : CommandTable()) {
            if (entry.toolBarPlace == place)
                m_wndToolBar->addAction(m_actions[entry.id]);
        }
        if (SeparatorAfterToolBarPlace(place))
            m_wndToolBar->addSeparator();
    }
    // Screen readers name each button by its command alone, without the menu's mnemonic and keys.
    NameToolBarButtons(m_wndToolBar, QStringLiteral("その他のボタン"));
    addToolBar(Qt::RightToolBarArea, m_wndToolBar);
    connect(m_wndToolBar, &QToolBar::visibilityChanged, this, &CMainFrame::FitFrameToView);
    connect(m_wndToolBar, &QToolBar::topLevelChanged, this, &CMainFrame::FitFrameToView);
    connect(m_wndToolBar, &QToolBar::orientationChanged, this, &CMainFrame::FitFrameToView);
}

void CMainFrame::createStatusBar()
{
    m_statusBar = new CFrameStatusBar(this);
    setStatusBar(m_statusBar);
    // The message pane reads "Ready" whenever no prompt is shown, or before a charge file was ever
    // chosen, how to choose one.
    connect(m_statusBar, &QStatusBar::messageChanged, this, [this](const QString& message) {
        if (message.isEmpty())
            ShowIdleMessage();
    });
    ShowIdleMessage();
}

// The status bar has sized itself to the new font; the window follows at once.
void CMainFrame::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::FontChange && m_statusBar)
        FitFrameToView();
}

void CMainFrame::ShowIdleMessage()
{
    const bool chosen = m_doc.HasChargeFile();
    m_statusBar->ShowIdleMessage(QString::fromUtf8(chosen ? kReadyMessage : kChooseFileMessage));
    // The window takes the bar's new width at once: resized after it exists but before the window
    // manager framed it, it would be placed by its inside rather than by its frame.
    FitFrameToView();
}

void CMainFrame::fillPanes()
{
    CSettings& settings = m_services.settings;
    SetPaneText(StatusPane::Unit, UnitPaneText(settings.UnitMode()));
    SetPaneText(StatusPane::Period, PeriodPaneText(settings.DayMode()));
    SetPaneText(StatusPane::ClosingDay, ClosingDayPaneText(settings.ClosingDay()));
    SetPaneText(StatusPane::Date, DatePaneText(m_doc.GetTodayDate()));
}

void CMainFrame::SetPaneText(StatusPane pane, const QString& text)
{
    m_statusBar->SetPaneText(pane, text);
}

QString CMainFrame::PaneText(StatusPane pane) const
{
    return m_statusBar->PaneText(pane);
}

void CMainFrame::restoreBarLayout()
{
    const QByteArray state = m_services.settings.BarLayout();
    if (!state.isEmpty())
        restoreState(state);
    m_statusBarAction->setChecked(m_services.settings.StatusBarVisible() != 0);
    statusBar()->setVisible(m_statusBarAction->isChecked());
    FitFrameToView();
}

void CMainFrame::saveBarLayout()
{
    m_services.settings.SetBarLayout(saveState());
    m_services.settings.SetStatusBarVisible(statusBar()->isVisibleTo(this) ? 1 : 0);
}

void CMainFrame::FitFrameToView()
{
    const QPoint topLeft = pos();
    layout()->activate();
    if (pos() != topLeft)
        move(topLeft);
}

void CMainFrame::ApplyTopMost()
{
    const bool wanted = m_topMost != 0;
    if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) == wanted)
        return;
    const bool shown = isVisible();
    const QPoint topLeft = pos();
    setWindowFlag(Qt::WindowStaysOnTopHint, wanted);
    move(topLeft);
    if (shown)
        show();
}

QAction* CMainFrame::Action(int id) const
{
    const auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}

void CMainFrame::OnTopMost()
{
    m_topMost = m_actions[ID_TOPMOST]->isChecked() ? 1 : 0;
    ApplyTopMost();
    m_services.settings.SetTopMost(m_topMost);
}

void CMainFrame::OnHelp(int context, int command)
{
    if (!m_help.WinHelp(context, command))
        m_services.messages.ShowMessage(kHelpFailedMessage);
}

void CMainFrame::OnCommand(int id)
{
    if (m_view && m_view->OnCmdMsg(id))
        return;
    switch (id) {
    case ID_TOPMOST: OnTopMost(); break;
    case ID_APP_EXIT: close(); break;
    case ID_HELP_FINDER: OnHelp(0, HELP_FINDER); break;
    case ID_HELP_QUICK: OnHelp(kQuickUsageTopic, HELP_CONTEXT); break;
    default:
        if (m_services.appCommand)
            m_services.appCommand(id);
    }
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    WritePendingPosition();
    saveBarLayout();
    m_services.settings.SetTopMost(m_topMost);
    event->accept();
}

void CMainFrame::moveEvent(QMoveEvent* event)
{
    QMainWindow::moveEvent(event);
    if (isMinimized())
        return;
    m_pendingPosition = m_placement.ToStored(pos(), Screens());
    if (!m_positionTimer.isActive())
        m_positionTimer.start();
}

void CMainFrame::WritePendingPosition()
{
    m_positionTimer.stop();
    if (!m_pendingPosition)
        return;
    m_services.settings.SetPosition(m_pendingPosition->x(), m_pendingPosition->y());
    m_pendingPosition.reset();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    activateWindow();
    for (const QUrl& url : event->mimeData()->urls()) {
        if (!url.isLocalFile() || !m_services.openDocument)
            continue;
        // The path's own bytes, from its percent-encoded form: a name need not be UTF-8.
        const QByteArray bytes = QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
        m_services.openDocument(DecodePath(bytes.toStdString()));
    }
    event->acceptProposedAction();
}
