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
        const QString description = QAccessibleWidget::text(t);
        return description == text(QAccessible::Name) ? QString() : description;
    }
    default:
        return QAccessibleWidget::text(t);
    }
}

QAccessible::Role ButtonAccessible::role() const
{
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

} // namespace studio
