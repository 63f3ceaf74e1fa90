#include "platform/gui/WalkableContent.h"

#include <QKeyEvent>
#include <QTimer>
#include <QToolTip>

CWalkableContent::CWalkableContent(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
}

int CWalkableContent::ItemCount() const
{
    int count = 0;
    for (const AccessibleGroup& group : AccessibleGroups())
        count += static_cast<int>(group.items.size());
    return count;
}

// Fewer items than before (a month graph after a day graph, a file that failed) keep the walk
// on the last one there is.
int CWalkableContent::AccessibleCurrent() const
{
    const int count = ItemCount();
    if (count == 0)
        return -1;
    return std::clamp(m_current < 0 ? StartItem() : m_current, 0, count - 1);
}

void CWalkableContent::RestartWalk()
{
    m_current = -1;
    RetellWalk();
}

void CWalkableContent::RetellWalk()
{
    TellAccessibleContentChanged(this);
    if (hasFocus())
        TellCurrent(true);
}

void CWalkableContent::ContentChanged()
{
    TellAccessibleContentChanged(this);
    if (hasFocus())
        TellCurrent(false);
}

void CWalkableContent::keyPressEvent(QKeyEvent* event)
{
    const int current = AccessibleCurrent();
    const int last = ItemCount() - 1;
    int next = current;
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up: next = current - 1; break;
    case Qt::Key_Right:
    case Qt::Key_Down: next = current + 1; break;
    case Qt::Key_Home: next = 0; break;
    case Qt::Key_End: next = last; break;
    default: QWidget::keyPressEvent(event); return;
    }
    m_walking = true;
    if (current >= 0 && next >= 0 && next <= last)
        m_current = next;
    TellCurrent(true);
}

// Told after the focus event Qt sends for the widget itself, so the item is what is heard last.
// The tool tip shows the walk once the keyboard takes it (Tab or an arrow key), not when the
// window merely comes to the front.
void CWalkableContent::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    m_walking = event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
    QTimer::singleShot(0, this, [this] {
        if (hasFocus())
            TellCurrent(true);
    });
}

void CWalkableContent::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    if (m_walking)
        QToolTip::hideText();
    m_walking = false;
}

void CWalkableContent::TellCurrent(bool toScreenReaders)
{
    const std::vector<AccessibleGroup> groups = AccessibleGroups();
    if (const AccessiblePlace place = PlaceOf(groups, AccessibleCurrent()); m_walking && place.group >= 0)
        ShowTip(groups[static_cast<std::size_t>(place.group)].items[static_cast<std::size_t>(place.item)]);
    if (toScreenReaders)
        TellAccessibleFocus(this);
}

// Just below the item's place, where a pointer resting on it would show its tip; an item painted
// in no place of its own has none.
void CWalkableContent::ShowTip(const AccessibleItem& item)
{
    if (!item.box.isEmpty())
        QToolTip::showText(mapToGlobal(QPoint(item.box.left(), item.box.bottom() + 1)), item.Spoken(), this, item.box);
}
