#include "platform/gui/AccessibleContent.h"

#include "platform/gui/MenuItemAccessible.h"

#include <QAccessibleWidget>
#include <QDialog>
#include <map>
#include <memory>

namespace {
class CContentAccessible;

// A group or an item: no object of its own, its texts asked of the widget's content each time.
class CPartAccessible : public QAccessibleInterface {
public:
    CPartAccessible(CContentAccessible* root, QAccessibleInterface* parent, int group, int item)
        : m_root(root), m_parent(parent), m_group(group), m_item(item)
    {
    }
    bool isValid() const override { return true; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_parent->window(); }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override { return m_parent; }
    QAccessibleInterface* child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QString text(QAccessible::Text kind) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;

private:
    CContentAccessible* m_root;
    QAccessibleInterface* m_parent;
    int m_group;
    int m_item; // -1: the group itself
};

class CContentAccessible : public QAccessibleWidget {
public:
    CContentAccessible(QWidget* widget, const IAccessibleContent& content)
        : QAccessibleWidget(widget, qobject_cast<QDialog*>(widget) ? QAccessible::Dialog : QAccessible::Grouping),
          m_content(content)
    {
    }
    ~CContentAccessible() override
    {
        for (auto& [key, id] : m_parts)
            QAccessible::deleteAccessibleInterface(id);
    }
    std::vector<AccessibleGroup> Groups() const { return m_content.AccessibleGroups(); }
    QPoint ToScreen(const QPoint& point) const { return widget()->mapToGlobal(point); }
    // The item the keyboard is on while the widget has the focus.
    AccessiblePlace Focused() const
    {
        return widget()->hasFocus() ? PlaceOf(Groups(), m_content.AccessibleCurrent()) : AccessiblePlace{};
    }

    // One interface per part, made when first asked for and kept while the widget lives.
    QAccessibleInterface* Part(QAccessibleInterface* parent, int group, int item)
    {
        const auto key = std::make_pair(group, item);
        if (!m_parts.count(key))
            m_parts[key] = QAccessible::registerAccessibleInterface(new CPartAccessible(this, parent, group, item));
        return QAccessible::accessibleInterface(m_parts[key]);
    }
    // Screen readers keep the texts they have heard: each part they may hold is told anew.
    void TellChanged()
    {
        for (const auto& [key, id] : m_parts) {
            QAccessibleEvent event(QAccessible::accessibleInterface(id), QAccessible::NameChanged);
            QAccessible::updateAccessibility(&event);
        }
    }
    QAccessibleInterface* Item(int group, int item) { return Part(Part(this, group, -1), group, item); }
    QAccessibleInterface* focusChild() const override
    {
        const AccessiblePlace place = Focused();
        return place.group < 0 ? QAccessibleWidget::focusChild() : const_cast<CContentAccessible*>(this)->Item(place.group, place.item);
    }
    int childCount() const override { return QAccessibleWidget::childCount() + static_cast<int>(Groups().size()); }
    QAccessibleInterface* child(int index) const override
    {
        const int widgets = QAccessibleWidget::childCount();
        if (index < widgets)
            return QAccessibleWidget::child(index);
        if (index - widgets >= static_cast<int>(Groups().size()))
            return nullptr;
        auto* self = const_cast<CContentAccessible*>(this);
        return self->Part(self, index - widgets, -1);
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        for (int i = 0; i < childCount(); ++i) {
            if (this->child(i) == child)
                return i;
        }
        return -1;
    }

private:
    const IAccessibleContent& m_content;
    std::map<std::pair<int, int>, QAccessible::Id> m_parts;
};

QAccessibleInterface* CPartAccessible::child(int index) const
{
    if (m_item >= 0 || index < 0 || index >= childCount())
        return nullptr;
    return m_root->Part(const_cast<CPartAccessible*>(this), m_group, index);
}

int CPartAccessible::childCount() const
{
    if (m_item >= 0)
        return 0;
    const std::vector<AccessibleGroup> groups = m_root->Groups();
    return m_group < static_cast<int>(groups.size()) ? static_cast<int>(groups[m_group].items.size()) : 0;
}

int CPartAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    for (int i = 0; i < childCount(); ++i) {
        if (this->child(i) == child)
            return i;
    }
    return -1;
}

QString CPartAccessible::text(QAccessible::Text kind) const
{
    const std::vector<AccessibleGroup> groups = m_root->Groups();
    if (m_group >= static_cast<int>(groups.size()))
        return {};
    const AccessibleGroup& group = groups[m_group];
    if (m_item < 0)
        return kind == QAccessible::Name ? group.name : kind == QAccessible::Description ? group.description : QString();
    if (m_item >= static_cast<int>(group.items.size()))
        return {};
    const AccessibleItem& item = group.items[m_item];
    return kind == QAccessible::Name ? item.Spoken()
           : kind == QAccessible::Value ? item.value
                                        : QString();
}

// An item painted in a place of its own is there for magnifiers and pointers too.
QRect CPartAccessible::rect() const
{
    const std::vector<AccessibleGroup> groups = m_root->Groups();
    if (m_item < 0 || m_group >= static_cast<int>(groups.size())
        || m_item >= static_cast<int>(groups[m_group].items.size()))
        return m_parent->rect();
    const QRect box = groups[m_group].items[m_item].box;
    return box.isEmpty() ? m_parent->rect() : QRect(m_root->ToScreen(box.topLeft()), box.size());
}

QAccessible::Role CPartAccessible::role() const
{
    const std::vector<AccessibleGroup> groups = m_root->Groups();
    const QAccessible::Role groupRole = m_group < static_cast<int>(groups.size()) ? groups[m_group].role : QAccessible::Grouping;
    if (m_item < 0)
        return groupRole;
    return groupRole == QAccessible::List ? QAccessible::ListItem : QAccessible::StaticText;
}

// Every item can be reached by the keyboard; the one it is on reads as focused.
QAccessible::State CPartAccessible::state() const
{
    QAccessible::State state;
    state.readOnly = true;
    if (m_item >= 0) {
        state.focusable = true;
        state.focused = m_root->Focused() == AccessiblePlace{m_group, m_item};
    }
    return state;
}

QAccessibleInterface* ContentFactory(const QString& className, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (const auto* content = dynamic_cast<const IAccessibleContent*>(object); widget && content)
        return new CContentAccessible(widget, *content);
    return MenuPartAccessible(className, object);
}
} // namespace

AccessiblePlace PlaceOf(const std::vector<AccessibleGroup>& groups, int index)
{
    for (int group = 0; index >= 0 && group < static_cast<int>(groups.size()); ++group) {
        const int items = static_cast<int>(groups[static_cast<std::size_t>(group)].items.size());
        if (index < items)
            return {group, index};
        index -= items;
    }
    return {};
}

void InstallAccessibleContent()
{
    QAccessible::installFactory(ContentFactory);
}

void TellAccessibleContentChanged(QWidget* widget)
{
    if (auto* content = dynamic_cast<CContentAccessible*>(QAccessible::queryAccessibleInterface(widget)))
        content->TellChanged();
}

void TellAccessibleFocus(QWidget* widget)
{
    auto* content = dynamic_cast<CContentAccessible*>(QAccessible::queryAccessibleInterface(widget));
    if (!content)
        return;
    const AccessiblePlace place = content->Focused();
    if (place.group < 0)
        return;
    QAccessibleEvent event(content->Item(place.group, place.item), QAccessible::Focus);
    QAccessible::updateAccessibility(&event);
}
