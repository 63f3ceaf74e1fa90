#pragma once
// What a painted widget shows, for screen readers: groups of named items (a graph's slots, a
// panel's totals, a table's rows) that the widget reports at the moment it is asked. A widget
// that implements IAccessibleContent gets an accessible tree of its own once
// InstallAccessibleContent() has run; its real child widgets (buttons) stay in it as well.
// Items of a list group are list items; the one the keyboard is on (AccessibleCurrent) reads as
// focused while the widget has the focus.

#include <QAccessible>
#include <QRect>
#include <QString>
#include <vector>

class QWidget;

struct AccessibleItem {
    QString name;
    QString value;
    QRect box; // where it is painted in the widget; empty: nowhere of its own
    QString Spoken() const { return name + QStringLiteral(": ") + value; }
};

struct AccessibleGroup {
    QAccessible::Role role = QAccessible::List;
    QString name;
    QString description;
    std::vector<AccessibleItem> items;
};

// Where an item counted over the items of every group in order stands; group -1 past the end.
struct AccessiblePlace {
    int group = -1;
    int item = -1;
    bool operator==(const AccessiblePlace&) const = default;
};
AccessiblePlace PlaceOf(const std::vector<AccessibleGroup>& groups, int index);

class IAccessibleContent {
public:
    virtual ~IAccessibleContent() = default;
    virtual std::vector<AccessibleGroup> AccessibleGroups() const = 0;
    // The item the keyboard is on, counted over the items of every group in order; -1 for none.
    virtual int AccessibleCurrent() const { return -1; }
};

// Installs the accessible trees of painted content, and plain names and roles for the parts of
// menus and tool bars that Qt leaves without them.
void InstallAccessibleContent();

// Tells screen readers that the texts of a content widget's groups and items changed.
void TellAccessibleContentChanged(QWidget* widget);

// Tells screen readers which item of a content widget has the keyboard now, if the widget has it.
void TellAccessibleFocus(QWidget* widget);
