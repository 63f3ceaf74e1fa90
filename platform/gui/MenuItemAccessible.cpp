#include "platform/gui/MenuItemAccessible.h"

#include <QAccessibleWidget>
#include <QAction>
#include <QMenu>
#include <QPointer>
#include <QRegularExpression>
#include <QToolBar>
#include <QToolButton>

namespace {
// An item of a drop-down menu: named plainly, its key told apart as the accelerator.
class CMenuItemAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    explicit CMenuItemAccessible(QAction* action) : m_action(action) {}

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }
    bool isValid() const override { return m_action && Menu(); }
    QObject* object() const override { return m_action; }
    QWindow* window() const override { return Menu() ? Menu()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(Menu()); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    void setText(QAccessible::Text, const QString&) override {}

    QString text(QAccessible::Text kind) const override
    {
        if (!m_action)
            return {};
        switch (kind) {
        case QAccessible::Name: return PlainActionText(m_action->text());
        case QAccessible::Description: return m_action->statusTip();
        case QAccessible::Accelerator: return m_action->shortcut().toString(QKeySequence::NativeText);
        default: return {};
        }
    }
    QRect rect() const override
    {
        QMenu* menu = Menu();
        if (!menu || !m_action)
            return {};
        const QRect box = menu->actionGeometry(m_action);
        return QRect(menu->mapToGlobal(box.topLeft()), box.size());
    }
    QAccessible::Role role() const override
    {
        return m_action && m_action->isSeparator() ? QAccessible::Separator : QAccessible::MenuItem;
    }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        if (!m_action)
            return state;
        QMenu* menu = Menu();
        state.invisible = !m_action->isVisible() || !menu || !menu->isVisible();
        state.disabled = !m_action->isEnabled();
        state.focusable = !m_action->isSeparator() && m_action->isEnabled();
        state.focused = state.hotTracked = menu && menu->activeAction() == m_action;
        state.checkable = m_action->isCheckable();
        state.checked = m_action->isChecked();
        return state;
    }

    QStringList actionNames() const override
    {
        return m_action && m_action->isEnabled() && !m_action->isSeparator() ? QStringList{pressAction()} : QStringList{};
    }
    void doAction(const QString& name) override
    {
        if (name == pressAction() && m_action && m_action->isEnabled())
            m_action->trigger();
    }
    QStringList keyBindingsForAction(const QString& name) const override
    {
        const QString key = text(QAccessible::Accelerator);
        return name == pressAction() && !key.isEmpty() ? QStringList{key} : QStringList{};
    }

private:
    // The menu showing the item now, else the first it is in: a context menu may show it a while.
    QMenu* Menu() const
    {
        QMenu* first = nullptr;
        if (m_action) {
            for (QObject* owner : m_action->associatedObjects()) {
                if (auto* menu = qobject_cast<QMenu*>(owner)) {
                    if (menu->isVisible())
                        return menu;
                    first = first ? first : menu;
                }
            }
        }
        return first;
    }

    QPointer<QAction> m_action;
};

bool InAMenu(const QAction* action)
{
    const QList<QObject*> owners = action->associatedObjects();
    return std::any_of(owners.begin(), owners.end(), [](QObject* owner) { return qobject_cast<QMenu*>(owner); });
}
} // namespace

QString PlainActionText(const QString& text)
{
    static const QRegularExpression mnemonic(QStringLiteral("\\(&[^)]\\)"));
    QString plain = text.section(QLatin1Char('\t'), 0, 0).remove(mnemonic);
    plain.replace(QStringLiteral("&&"), QStringLiteral("\x01")).remove(QLatin1Char('&'));
    return plain.replace(QLatin1Char('\x01'), QLatin1Char('&'));
}

QAccessibleInterface* MenuPartAccessible(const QString& className, QObject* object)
{
    if (className == QLatin1String("QToolBarSeparator"))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Separator);
    // Items that open a menu of their own (the menu bar's) keep Qt's interface.
    if (auto* action = qobject_cast<QAction*>(object); action && !action->menu() && InAMenu(action))
        return new CMenuItemAccessible(action);
    return nullptr;
}

void NameToolBarButtons(QToolBar* bar, const QString& overflowName)
{
    for (QAction* action : bar->actions()) {
        if (QWidget* button = bar->widgetForAction(action); button && !action->isSeparator())
            button->setAccessibleName(PlainActionText(action->text()));
    }
    for (QToolButton* button : bar->findChildren<QToolButton*>(Qt::FindDirectChildrenOnly)) {
        if (button->inherits("QToolBarExtension"))
            button->setAccessibleName(overflowName);
    }
}
