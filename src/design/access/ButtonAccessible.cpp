#include "design/access/ButtonAccessible.h"

#include "design/widgets/SpokenName.h"
#include "design/widgets/MenuButton.h"

#include <QAbstractButton>
#include <QMenu>

namespace studio {

namespace {

// The menu a pull-down button drops, or null.
QMenu* menuOf(QWidget* widget)
{
    auto* button = qobject_cast<MenuButton*>(widget);
    return button ? button->menu() : nullptr;
}

QAbstractButton* buttonOf(QWidget* widget)
{
    return qobject_cast<QAbstractButton*>(widget);
}

// A button's words as shown, without the marks of its mnemonic.
QString words(const QAbstractButton& button)
{
    const QString text = button.text();
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size())
            ++i;
        out += text[i];
    }
    return out;
}

} // namespace

ButtonAccessible::ButtonAccessible(QWidget* control)
    : QAccessibleWidget(control, QAccessible::Button)
{
}

int ButtonAccessible::childCount() const
{
    return QAccessibleWidget::childCount() + (menuOf(widget()) ? 1 : 0);
}

QAccessibleInterface* ButtonAccessible::child(int index) const
{
    const int own = QAccessibleWidget::childCount();
    if (index == own)
        return QAccessible::queryAccessibleInterface(menuOf(widget()));
    return index >= 0 && index < own ? QAccessibleWidget::child(index) : nullptr;
}

int ButtonAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    if (!child)
        return -1;
    if (QMenu* menu = menuOf(widget()); menu && child->object() == menu)
        return QAccessibleWidget::childCount();
    return QAccessibleWidget::indexOfChild(child);
}

QString ButtonAccessible::text(QAccessible::Text t) const
{
    switch (t) {
    case QAccessible::Name: {
        const QString name = widget()->accessibleName();
        if (name.isEmpty()) {
            if (QAbstractButton* button = buttonOf(widget()))
                return spokenName(words(*button));
        }
        return name;
    }
    case QAccessible::Description: {
        // A tool tip the name begins with ("Close tab", named "Close tab
        // Home") says nothing more.
        const QString description = QAccessibleWidget::text(t);
        return text(QAccessible::Name).startsWith(description) ? QString() : description;
    }
    default:
        return QAccessibleWidget::text(t);
    }
}

QAccessible::Role ButtonAccessible::role() const
{
    if (menuOf(widget()))
        return QAccessible::ButtonMenu;
    QAbstractButton* button = buttonOf(widget());
    return button && button->isCheckable() ? QAccessible::CheckBox : QAccessible::Button;
}

QAccessible::State ButtonAccessible::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    if (QAbstractButton* button = buttonOf(widget())) {
        s.pressed = button->isDown();
        s.checkable = button->isCheckable();
        s.checked = button->isChecked();
    }
    // A pull-down says that it drops a menu, and whether it is down, as a
    // menu button of any toolkit does.
    if (QMenu* menu = menuOf(widget())) {
        s.hasPopup = true;
        s.expandable = true;
        s.expanded = menu->isVisible();
        s.collapsed = !s.expanded;
    }
    return s;
}

QStringList ButtonAccessible::actionNames() const
{
    QStringList names;
    if (QAbstractButton* button = buttonOf(widget()); button && button->isEnabled())
        names << (role() == QAccessible::CheckBox || role() == QAccessible::RadioButton ? toggleAction()
                                                                                       : pressAction());
    return names + QAccessibleWidget::actionNames();
}

void ButtonAccessible::doAction(const QString& name)
{
    QAbstractButton* button = buttonOf(widget());
    if (button && button->isEnabled() && (name == pressAction() || name == toggleAction()))
        // The button's own click: what it does is the screen's to decide.
        button->click();
    else
        QAccessibleWidget::doAction(name);
}

SteppedButtonAccessible::SteppedButtonAccessible(QAbstractButton* button, QStringList words,
                                                 std::function<int()> step)
    : ButtonAccessible(button)
    , m_words(std::move(words))
    , m_step(std::move(step))
    , m_heard(current())
{
}

int SteppedButtonAccessible::current() const
{
    const int step = m_step();
    return step >= 0 && step < m_words.size() ? step : 0;
}

QString SteppedButtonAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Value)
        return m_words.value(current());
    return ButtonAccessible::text(t);
}

void* SteppedButtonAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::ValueInterface)
        return static_cast<QAccessibleValueInterface*>(this);
    return ButtonAccessible::interface_cast(type);
}

void SteppedButtonAccessible::setCurrentValue(const QVariant& value)
{
    bool ok = false;
    const int wanted = value.toInt(&ok);
    QAbstractButton* button = buttonOf(widget());
    if (!ok || wanted < 0 || wanted >= m_words.size() || !button)
        return;
    // One round at most: a button that stops stepping is not pressed on.
    for (qsizetype presses = 0; presses < m_words.size() && current() != wanted && button->isEnabled(); ++presses)
        button->click();
}

void SteppedButtonAccessible::announce()
{
    const int now = current();
    if (now == m_heard)
        return;
    m_heard = now;
    if (!widget()->isVisible())
        return;
    QAccessibleValueChangeEvent event(object(), now);
    QAccessible::updateAccessibility(&event);
}

} // namespace studio
