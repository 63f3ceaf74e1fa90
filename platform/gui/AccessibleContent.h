#pragma once
// What a painted widget shows, for screen readers: groups of named items (a graph's slots, a
// panel's totals, a table's rows) that the widget reports at the moment it is asked. A widget
// that implements IAccessibleContent gets an accessible tree of its own once
// InstallAccessibleContent() has run; its real child widgets (buttons) stay in it as well.

#include <QAccessible>
#include <QString>
#include <vector>

struct AccessibleItem {
    QString name;
    QString value;
};

struct AccessibleGroup {
    QAccessible::Role role = QAccessible::List;
    QString name;
    QString description;
    std::vector<AccessibleItem> items;
};

class IAccessibleContent {
public:
    virtual ~IAccessibleContent() = default;
    virtual std::vector<AccessibleGroup> AccessibleGroups() const = 0;
};

void InstallAccessibleContent();
