#pragma once
// The main window's status bar: the message pane and the four panes of unit, period, closing day
// and date. Its size hint holds every pane and the idle message in the font it has now, so the
// window that follows it widens with a large desktop font rather than clip a pane or a hint.

#include "view/PeloraView.h"

#include <QStatusBar>
#include <array>

class QLabel;

class CFrameStatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit CFrameStatusBar(QWidget* parent);

    void SetPaneText(StatusPane pane, const QString& text);
    QString PaneText(StatusPane pane) const;
    // What the message pane shows when no prompt is shown ("Ready", or how to choose a file).
    void ShowIdleMessage(const QString& text);
    QSize minimumSizeHint() const override;

protected:
    void changeEvent(QEvent* event) override;

private:
    static int PaneWidthFor(const QLabel* pane, const QString& text);
    void SizePanes();

    std::array<QLabel*, kStatusPanes> m_panes{};
    QString m_idleMessage;
};
