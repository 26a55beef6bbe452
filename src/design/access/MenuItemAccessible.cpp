#include "design/access/MenuItemAccessible.h"

#include <QAccessible>
#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QStyle>
#include <QWindow>

namespace studio {

namespace {

// The words of an item's text, without the marks of its mnemonic ("&&" is a
// shown "&").
QString withoutMarks(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size())
            ++i;
        out += text[i];
    }
    return out;
}

// The letter after a single "&", lower-cased as a toolkit tells it.
QString mnemonicOf(const QString& text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'&')
            continue;
        if (text[i + 1] != u'&')
            return text[i + 1].toLower();
        ++i;
    }
    return {};
}

class MenuItemAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    MenuItemAccessible(QWidget* owner, QAction* action)
        : m_owner(owner)
        , m_action(action)
    {
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }

    bool isValid() const override { return m_action && m_owner; }
    QObject* object() const override { return m_action; }

    QWindow* window() const override
    {
        return m_owner ? m_owner->window()->windowHandle() : nullptr;
    }

    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(m_owner.data()); }

    int childCount() const override { return submenu() ? 1 : 0; }

    QAccessibleInterface* child(int index) const override
    {
        return index == 0 && submenu() ? QAccessible::queryAccessibleInterface(submenu()) : nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child && submenu() && child->object() == submenu() ? 0 : -1;
    }

    QAccessibleInterface* childAt(int x, int y) const override
    {
        QAccessibleInterface* menu = child(0);
        return menu && menu->rect().contains(x, y) ? menu : nullptr;
    }

    QRect rect() const override
    {
        if (!isValid())
            return {};
        QRect at;
        if (auto* bar = qobject_cast<QMenuBar*>(m_owner.data()))
            at = bar->actionGeometry(m_action);
        else if (auto* menu = qobject_cast<QMenu*>(m_owner.data()))
            at = menu->actionGeometry(m_action);
        return at.translated(m_owner->mapToGlobal(QPoint(0, 0)));
    }

    QAccessible::Role role() const override
    {
        return m_action && m_action->isSeparator() ? QAccessible::Separator : QAccessible::MenuItem;
    }

    void setText(QAccessible::Text, const QString&) override {}

    QAccessible::State state() const override
    {
        QAccessible::State s;
        if (!isValid())
            return s;
        if (!m_owner->isVisible() || !m_action->isVisible())
            s.invisible = true;
        QAction* active = nullptr;
        if (auto* bar = qobject_cast<QMenuBar*>(m_owner.data()))
            active = bar->activeAction();
        else if (auto* menu = qobject_cast<QMenu*>(m_owner.data()))
            active = menu->activeAction();
        s.focusable = !m_action->isSeparator();
        s.focused = active == m_action;
        if (m_owner->style()->styleHint(QStyle::SH_Menu_MouseTracking))
            s.hotTracked = true;
        s.disabled = m_action->isSeparator() || !m_action->isEnabled();
        s.checkable = m_action->isCheckable();
        s.checked = m_action->isChecked();
        s.hasPopup = submenu() != nullptr;
        return s;
    }

    QString text(QAccessible::Text t) const override
    {
        if (!m_action)
            return {};
        switch (t) {
        case QAccessible::Name: return withoutMarks(words());
        case QAccessible::Accelerator: return shortcut();
        default: return {};
        }
    }

    QStringList actionNames() const override
    {
        if (!m_action || m_action->isSeparator())
            return {};
        return {submenu() ? showMenuAction() : pressAction()};
    }

    void doAction(const QString& name) override
    {
        if (!m_action || !m_action->isEnabled())
            return;
        if (name == pressAction()) {
            m_action->trigger();
        } else if (name == showMenuAction() && submenu()) {
            if (submenu()->isVisible())
                submenu()->hide();
            else if (auto* bar = qobject_cast<QMenuBar*>(m_owner.data()))
                bar->setActiveAction(m_action);
            else if (auto* menu = qobject_cast<QMenu*>(m_owner.data()))
                menu->setActiveAction(m_action);
        }
    }

    QStringList keyBindingsForAction(const QString& name) const override
    {
        // A menu item's binding as toolkits tell it: "mnemonic;path;shortcut"
        // (the bridge joins the parts with ';'), each part empty when there
        // is none.
        if (!m_action || !actionNames().contains(name))
            return {};
        const QString mnemonic = mnemonicOf(words());
        const QString keys = shortcut();
        if (mnemonic.isEmpty() && keys.isEmpty())
            return {};
        return {mnemonic, QString(), keys};
    }

private:
    QMenu* submenu() const { return m_action ? m_action->menu<QMenu*>() : nullptr; }

    // The item's text before the tab its shortcut may follow.
    QString words() const { return m_action->text().section(u'\t', 0, 0); }

    QString shortcut() const
    {
        const QKeySequence keys = m_action->shortcut();
        if (!keys.isEmpty())
            return keys.toString(QKeySequence::NativeText);
        return m_action->text().section(u'\t', 1).trimmed();
    }

    QPointer<QWidget> m_owner;
    QPointer<QAction> m_action;
};

} // namespace

QAccessibleInterface* makeMenuItemAccessible(QAction* action)
{
    // The menu or menu bar that shows it (an action shown in several reads
    // as an item of the first, as Qt reads it).
    for (QObject* shown : action->associatedObjects()) {
        if (qobject_cast<QMenu*>(shown) || qobject_cast<QMenuBar*>(shown))
            return new MenuItemAccessible(static_cast<QWidget*>(shown), action);
    }
    return nullptr;
}

} // namespace studio
