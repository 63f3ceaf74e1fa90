#pragma once
// A painted widget whose items the keyboard walks: Tab gives it the focus, the arrow keys step
// through its accessible items (Home and End jump to the first and the last), and each item
// reached is told to screen readers and, once the keyboard walks, shown in a tool tip beside the
// place it is painted. Nothing is painted for it, so the picture stays exactly as it is.

#include "platform/gui/AccessibleContent.h"

#include <QWidget>

class CWalkableContent : public QWidget, public IAccessibleContent {
public:
    explicit CWalkableContent(QWidget* parent = nullptr);
    int AccessibleCurrent() const override;

protected:
    // The item the walk starts from, and goes back to when the content changes its kind.
    virtual int StartItem() const { return 0; }
    // After the content changed at the user's word: back to the start item, or on the same one,
    // told again. After a change of its own (new figures) screen readers learn the new texts and
    // the status tip follows, but the item is not announced again.
    void RestartWalk();
    void RetellWalk();
    void ContentChanged();

    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    int ItemCount() const;
    void TellCurrent(bool toScreenReaders);
    void ShowTip(const AccessibleItem& item);

    int m_current = -1;     // -1: at the start item
    bool m_walking = false; // the keyboard took the walk: a tool tip shows where it is
};
