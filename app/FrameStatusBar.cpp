#include "app/FrameStatusBar.h"

#include "res/CommandTable.h"

#include <QEvent>
#include <QLabel>
#include <algorithm>

namespace {
// QStatusBar draws its message 6 pixels in from the left and stops 2 pixels short of the first pane.
constexpr int kMessageMargins = 8;
}

CFrameStatusBar::CFrameStatusBar(QWidget* parent) : QStatusBar(parent)
{
    setSizeGripEnabled(false);
    for (std::size_t i = 0; i < m_panes.size(); ++i) {
        QLabel* pane = new QLabel(QString::fromUtf8(kPanePlaceholders[i]), this);
        pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        pane->setAlignment(Qt::AlignCenter);
        addPermanentWidget(pane);
        m_panes[i] = pane;
    }
    SizePanes();
}

// Wide enough for the text in the pane's own font, frame included.
int CFrameStatusBar::PaneWidthFor(const QLabel* pane, const QString& text)
{
    return pane->fontMetrics().horizontalAdvance(text) + 2 * pane->frameWidth() + 2;
}

// Each pane as wide as its placeholder or its text, whichever is wider, in the font it has now;
// done again when the desktop's font changes under a running window.
void CFrameStatusBar::SizePanes()
{
    for (std::size_t i = 0; i < m_panes.size(); ++i) {
        QLabel* pane = m_panes[i];
        pane->setFixedWidth(std::max(PaneWidthFor(pane, QString::fromUtf8(kPanePlaceholders[i])), PaneWidthFor(pane, pane->text())));
    }
    updateGeometry();
}

void CFrameStatusBar::SetPaneText(StatusPane pane, const QString& text)
{
    QLabel* label = m_panes[static_cast<std::size_t>(pane)];
    label->setText(text);
    if (const int wanted = PaneWidthFor(label, text); wanted > label->width()) {
        label->setFixedWidth(wanted);
        updateGeometry();
    }
    label->repaint();
}

QString CFrameStatusBar::PaneText(StatusPane pane) const
{
    return m_panes[static_cast<std::size_t>(pane)]->text();
}

void CFrameStatusBar::ShowIdleMessage(const QString& text)
{
    if (text != m_idleMessage) {
        m_idleMessage = text;
        updateGeometry();
    }
    showMessage(text);
}

// The panes, and left of them room for the idle message. The main window's layout takes the bar's
// hints (a minimum width set on the bar it would not follow).
QSize CFrameStatusBar::minimumSizeHint() const
{
    const QSize panes = QStatusBar::minimumSizeHint();
    return {panes.width() + fontMetrics().horizontalAdvance(m_idleMessage) + kMessageMargins, panes.height()};
}

void CFrameStatusBar::changeEvent(QEvent* event)
{
    QStatusBar::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        SizePanes();
}
