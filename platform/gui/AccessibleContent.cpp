#include "platform/gui/AccessibleContent.h"

#include <QAccessibleWidget>
#include <QWidget>
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
    QRect rect() const override { return m_parent->rect(); }
    QAccessible::Role role() const override;
    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.readOnly = true;
        return state;
    }

private:
    CContentAccessible* m_root;
    QAccessibleInterface* m_parent;
    int m_group;
    int m_item; // -1: the group itself
};

class CContentAccessible : public QAccessibleWidget {
public:
    CContentAccessible(QWidget* widget, const IAccessibleContent& content)
        : QAccessibleWidget(widget, QAccessible::Client), m_content(content)
    {
    }
    ~CContentAccessible() override
    {
        for (auto& [key, id] : m_parts)
            QAccessible::deleteAccessibleInterface(id);
    }
    std::vector<AccessibleGroup> Groups() const { return m_content.AccessibleGroups(); }

    // One interface per part, made when first asked for and kept while the widget lives.
    QAccessibleInterface* Part(QAccessibleInterface* parent, int group, int item)
    {
        const auto key = std::make_pair(group, item);
        if (!m_parts.count(key))
            m_parts[key] = QAccessible::registerAccessibleInterface(new CPartAccessible(this, parent, group, item));
        return QAccessible::accessibleInterface(m_parts[key]);
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
    return kind == QAccessible::Name ? item.name + QStringLiteral(": ") + item.value
           : kind == QAccessible::Value ? item.value
                                        : QString();
}

QAccessible::Role CPartAccessible::role() const
{
    if (m_item >= 0)
        return QAccessible::StaticText;
    const std::vector<AccessibleGroup> groups = m_root->Groups();
    return m_group < static_cast<int>(groups.size()) ? groups[m_group].role : QAccessible::Grouping;
}

QAccessibleInterface* ContentFactory(const QString&, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    const auto* content = dynamic_cast<const IAccessibleContent*>(object);
    return widget && content ? new CContentAccessible(widget, *content) : nullptr;
}
} // namespace

void InstallAccessibleContent()
{
    QAccessible::installFactory(ContentFactory);
}
